#include "ui/terminationsignals.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <csignal>

#include <gtest/gtest.h>

namespace ryv {
namespace {

// Lets the event loop take what is waiting in the pipe; a bounded number of
// passes, no waiting for time.
void DeliverPending(const QSignalSpy& spy)
{
    for (int i = 0; i < 100 && spy.isEmpty(); ++i)
        QCoreApplication::processEvents();
}

TEST(TerminationSignals, EndingSignalsArriveOnTheEventLoopInsteadOfKilling)
{
    // Without the watcher each of these would end the test program at once.
    for (int signalNumber : { SIGTERM, SIGHUP, SIGINT }) {
        SCOPED_TRACE(signalNumber);
        TTerminationSignals watcher;
        ASSERT_TRUE(watcher.IsWatching());
        QSignalSpy spy(&watcher, &TTerminationSignals::terminationRequested);
        ASSERT_EQ(std::raise(signalNumber), 0);
        DeliverPending(spy);
        ASSERT_EQ(spy.size(), 1);
        EXPECT_EQ(spy.at(0).at(0).toInt(), signalNumber);
    }
}

TEST(TerminationSignals, EarlierHandlersComeBackAfterwards)
{
    struct sigaction before = {};
    ::sigaction(SIGTERM, nullptr, &before);
    {
        TTerminationSignals watcher;
        struct sigaction during = {};
        ::sigaction(SIGTERM, nullptr, &during);
        EXPECT_NE(during.sa_handler, before.sa_handler);
        // A second watcher at the same time refuses instead of stealing.
        TTerminationSignals second;
        EXPECT_FALSE(second.IsWatching());
    }
    struct sigaction after = {};
    ::sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

} // namespace
} // namespace ryv
