#include "platform/awaysources.h"
#include "platform/screenlockwatcher.h"
#include "platform/sleepwatcher.h"

#include "core/clock.h"
#include "core/ryvoptions.h"
#include "privatebus.h"
#include "tracking/awaytracker.h"

#include <QDBusMessage>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace ryv {
namespace {

void Send(QDBusConnection& from, const QString& path, const QString& interface, const QString& name,
    bool value)
{
    QDBusMessage message = QDBusMessage::createSignal(path, interface, name);
    message << value;
    ASSERT_TRUE(from.send(message));
}

// One round trip to the bus: everything this connection sent before has been
// routed when it returns.
void Sync(QDBusConnection& connection)
{
    const QDBusMessage reply = connection.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage);
}

// Waits for the spy's next signal and returns its first argument.
std::optional<bool> Next(QSignalSpy& spy, qsizetype seen)
{
    if (spy.count() <= seen && !spy.wait(5000))
        return std::nullopt;
    return spy.at(seen).at(0).toBool();
}

// Both screen saver services are heard, on any object path, even when they
// appear after the watcher (the desktop started later).
TEST(ScreenLockWatcher, HearsBothServicesOnAnyPath)
{
    RYV_REQUIRE_PRIVATE_BUS(bus);
    TScreenLockWatcher watcher(bus.Connect(QStringLiteral("client")));
    ASSERT_TRUE(watcher.IsWatching());
    QSignalSpy spy(&watcher, &TScreenLockWatcher::lockChanged);

    QDBusConnection kde = bus.Connect(QStringLiteral("kde"));
    ASSERT_TRUE(kde.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    QDBusConnection gnome = bus.Connect(QStringLiteral("gnome"));
    ASSERT_TRUE(gnome.registerService(QStringLiteral("org.gnome.ScreenSaver")));

    const struct {
        QDBusConnection* from;
        QString path;
        QString interface;
        bool locked;
    } cases[] = {
        { &kde, u"/org/freedesktop/ScreenSaver"_qs, u"org.freedesktop.ScreenSaver"_qs, true },
        { &kde, u"/ScreenSaver"_qs, u"org.freedesktop.ScreenSaver"_qs, false },
        { &gnome, u"/org/gnome/ScreenSaver"_qs, u"org.gnome.ScreenSaver"_qs, true },
        { &gnome, u"/org/gnome/ScreenSaver"_qs, u"org.gnome.ScreenSaver"_qs, false },
    };
    qsizetype seen = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        Send(*c.from, c.path, c.interface, QStringLiteral("ActiveChanged"), c.locked);
        EXPECT_EQ(Next(spy, seen++), c.locked);
    }
}

// A program that does not own the screen saver's name cannot fake a lock.
TEST(ScreenLockWatcher, IgnoresOtherSenders)
{
    RYV_REQUIRE_PRIVATE_BUS(bus);
    TScreenLockWatcher watcher(bus.Connect(QStringLiteral("client")));
    QSignalSpy spy(&watcher, &TScreenLockWatcher::lockChanged);
    QDBusConnection service = bus.Connect(QStringLiteral("service"));
    ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    QDBusConnection intruder = bus.Connect(QStringLiteral("intruder"));

    Send(intruder, u"/org/freedesktop/ScreenSaver"_qs, u"org.freedesktop.ScreenSaver"_qs,
        u"ActiveChanged"_qs, true);
    Sync(intruder);
    // The genuine signal comes after the fake one; had the fake been heard,
    // it would be the first.
    Send(service, u"/org/freedesktop/ScreenSaver"_qs, u"org.freedesktop.ScreenSaver"_qs,
        u"ActiveChanged"_qs, false);
    EXPECT_EQ(Next(spy, 0), false);
    EXPECT_EQ(spy.count(), 1);
}

TEST(SleepWatcher, HearsLogindOnly)
{
    RYV_REQUIRE_PRIVATE_BUS(bus);
    TSleepWatcher watcher(bus.Connect(QStringLiteral("client")));
    ASSERT_TRUE(watcher.IsWatching());
    QSignalSpy spy(&watcher, &TSleepWatcher::sleepChanged);
    QDBusConnection logind = bus.Connect(QStringLiteral("logind"));
    ASSERT_TRUE(logind.registerService(QStringLiteral("org.freedesktop.login1")));
    QDBusConnection intruder = bus.Connect(QStringLiteral("intruder"));

    const QString path = QStringLiteral("/org/freedesktop/login1");
    const QString manager = QStringLiteral("org.freedesktop.login1.Manager");
    const QString name = QStringLiteral("PrepareForSleep");
    Send(logind, path, manager, name, true);
    EXPECT_EQ(Next(spy, 0), true);
    Send(intruder, path, manager, name, true);
    Sync(intruder);
    Send(logind, path, manager, name, false);
    EXPECT_EQ(Next(spy, 1), false);
    EXPECT_EQ(spy.count(), 2);
}

// Without a bus the watchers are there and silent.
TEST(AwayWatchers, NoBus_Silent)
{
    const QDBusConnection none(QStringLiteral("ryv-no-such-bus"));
    ASSERT_FALSE(none.isConnected());
    TScreenLockWatcher lock(none);
    TSleepWatcher sleep(none);
    EXPECT_FALSE(lock.IsWatching());
    EXPECT_FALSE(sleep.IsWatching());
}

// --- the sources attached to the engine ---------------------------------------

class TRunningLog final : public IAwayLog {
public:
    TRyvItem task;
    std::optional<TRyvItem> RunningTask() const override { return task; }
    void StopRunningAt(TDateTime) override { }
    void AppendBreak(TDateTime, TDateTime) override { }
    void StartAgainAt(const TRyvItem&, TDateTime) override { }
    void BreakBeforeRunning(const std::vector<std::pair<TDateTime, TDateTime>>&, TDateTime) override
    {
    }
    void MoveEarlierDays() override { }
};

class TNoQuestion final : public IAwayQuestion {
public:
    bool CanAsk() const override { return false; }
    TAwayAnswer Ask(const TAwayQuestionTexts&) override { return TAwayAnswer::Keep; }
    void Update(const TAwayQuestionTexts&) override { }
};

class TFixedIdle final : public IIdleTime {
public:
    explicit TFixedIdle(qint64& ms)
        : FMs(ms)
    {
    }
    qint64 IdleMs() override { return FMs; }

private:
    qint64& FMs;
};

TEST(AwaySources, AttachedEngineHearsLockSleepAndIdle)
{
    RYV_REQUIRE_PRIVATE_BUS(bus);
    TRyvOptions options(QStringLiteral("/tmp/ryv-away-sources-test"));
    TManualClock clock(EncodeDateTime(2022, 1, 7, 12, 0));
    TRunningLog log;
    log.task.start = EncodeDateTime(2022, 1, 7, 9, 0);
    log.task.title = QStringLiteral("Design");
    TNoQuestion question;
    TAwayTracker away(options, clock, log, question);
    qint64 idleMs = 0;
    auto sources = std::make_unique<TAwaySources>(bus.Connect(QStringLiteral("session")),
        bus.Connect(QStringLiteral("system")), std::make_unique<TFixedIdle>(idleMs));
    sources->Attach(away);
    QDBusConnection desktop = bus.Connect(QStringLiteral("desktop"));
    ASSERT_TRUE(desktop.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    ASSERT_TRUE(desktop.registerService(QStringLiteral("org.freedesktop.login1")));

    QSignalSpy locks(&sources->LockWatcher(), &TScreenLockWatcher::lockChanged);
    Send(desktop, u"/org/freedesktop/ScreenSaver"_qs, u"org.freedesktop.ScreenSaver"_qs,
        u"ActiveChanged"_qs, true);
    ASSERT_TRUE(locks.wait(5000));
    EXPECT_TRUE(away.IsAway());
    clock.AdvanceSeconds(20 * 60);
    Send(desktop, u"/org/freedesktop/ScreenSaver"_qs, u"org.freedesktop.ScreenSaver"_qs,
        u"ActiveChanged"_qs, false);
    ASSERT_TRUE(locks.wait(5000));
    EXPECT_FALSE(away.IsAway());
    EXPECT_TRUE(away.HasPending()); // the question waits: another dialog is open

    QSignalSpy sleeps(&sources->SleepWatcher(), &TSleepWatcher::sleepChanged);
    Send(desktop, u"/org/freedesktop/login1"_qs, u"org.freedesktop.login1.Manager"_qs,
        u"PrepareForSleep"_qs, true);
    ASSERT_TRUE(sleeps.wait(5000));
    EXPECT_TRUE(away.IsAway());
    Send(desktop, u"/org/freedesktop/login1"_qs, u"org.freedesktop.login1.Manager"_qs,
        u"PrepareForSleep"_qs, false);
    ASSERT_TRUE(sleeps.wait(5000));
    EXPECT_FALSE(away.IsAway());

    idleMs = 15 * 60 * 1000;
    away.Poll();
    EXPECT_TRUE(away.IsAway());

    // The sources may go first; the engine then has no idle source left, and
    // the idle part of the absence ends.
    sources.reset();
    away.Poll();
    EXPECT_FALSE(away.IsAway()) << "a freed idle source was read";
}

} // namespace
} // namespace ryv
