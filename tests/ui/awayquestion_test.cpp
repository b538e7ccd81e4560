#include "ui/awayquestion.h"

#include "core/modalcount.h"
#include "core/regional.h"
#include "tracking/awaytracker.h"
#include "tracking/trackerworld.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace ryv {
namespace {

TDateTime At(int hour, int minute, int second = 0)
{
    return EncodeDateTime(2026, 12, 10, hour, minute, second);
}

// Runs f once the event loop of the modal window now opening runs.
void WhenOpen(std::function<void()> f)
{
    QTimer::singleShot(0, qApp, std::move(f));
}

int OpenBoxes()
{
    int n = 0;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<const QMessageBox*>(w) && w->isVisible())
            ++n;
    return n;
}

// The three answers in their order, Keep first and also for Escape and the
// window's close button.
TEST(AwayQuestion, ButtonsAnswer_EscapeAndClosingKeep)
{
    const TAwayQuestionTexts texts {
        u"You were away from 12:05 to 12:51 (0:46) while \"<b>Weekly</b> "
        u"report\" was running."_qs,
        u"Keep as work"_qs, u"Record a break"_qs, u"Stop at 12:05"_qs
    };
    const struct {
        const char* name;
        std::function<void(TAwayQuestion&)> act;
        TAwayAnswer answer;
    } cases[] = {
        { "keep", [](TAwayQuestion& q) { q.Button(TAwayAnswer::Keep)->click(); },
            TAwayAnswer::Keep },
        { "break", [](TAwayQuestion& q) { q.Button(TAwayAnswer::Break)->click(); },
            TAwayAnswer::Break },
        { "stop", [](TAwayQuestion& q) { q.Button(TAwayAnswer::Stop)->click(); },
            TAwayAnswer::Stop },
        { "escape", [](TAwayQuestion& q) { QTest::keyClick(q.Box(), Qt::Key_Escape); },
            TAwayAnswer::Keep },
        { "enter", [](TAwayQuestion& q) { QTest::keyClick(q.Box(), Qt::Key_Return); },
            TAwayAnswer::Keep },
        { "close button", [](TAwayQuestion& q) { q.Box()->close(); }, TAwayAnswer::Keep },
    };
    QWidget window;
    window.show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TModalCount modals;
        TAwayQuestion question(modals, &window);
        EXPECT_TRUE(question.CanAsk());
        bool seen = false;
        WhenOpen([&] {
            QMessageBox* box = question.Box();
            ASSERT_NE(box, nullptr);
            seen = true;
            EXPECT_TRUE(box->isModal() || QApplication::activeModalWidget() == box);
            EXPECT_FALSE(question.CanAsk()) << "never two at a time";
            EXPECT_TRUE(modals.IsOpen()) << "a modal window of ours, counted";
            EXPECT_EQ(box->text(), texts.text);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            const QAbstractButton* keep = question.Button(TAwayAnswer::Keep);
            const QAbstractButton* recordBreak = question.Button(TAwayAnswer::Break);
            const QAbstractButton* stop = question.Button(TAwayAnswer::Stop);
            EXPECT_EQ(keep->text(), texts.keep);
            EXPECT_EQ(recordBreak->text(), texts.recordBreak);
            EXPECT_EQ(stop->text(), texts.stop);
            EXPECT_LT(keep->x(), recordBreak->x());
            EXPECT_LT(recordBreak->x(), stop->x());
            c.act(question);
        });
        EXPECT_EQ(question.Ask(texts), c.answer);
        EXPECT_TRUE(seen);
        EXPECT_EQ(question.Box(), nullptr);
        EXPECT_EQ(OpenBoxes(), 0);
    }
}

// The question about a clock set back has no break to record: two answers.
TEST(AwayQuestion, WithoutABreakToRecord_TwoAnswers)
{
    const TAwayQuestionTexts texts { u"The clock was set back from 13:11 to 10:31 ..."_qs,
        u"Keep running"_qs, QString(), u"Stop at 13:11"_qs };
    QWidget window;
    window.show();
    TModalCount modals;
    TAwayQuestion question(modals, &window);
    bool seen = false;
    WhenOpen([&] {
        ASSERT_NE(question.Box(), nullptr);
        seen = true;
        EXPECT_TRUE(question.Button(TAwayAnswer::Keep)->isVisible());
        EXPECT_FALSE(question.Button(TAwayAnswer::Break)->isVisible());
        EXPECT_TRUE(question.Button(TAwayAnswer::Stop)->isVisible());
        question.Button(TAwayAnswer::Stop)->click();
    });
    EXPECT_EQ(question.Ask(texts), TAwayAnswer::Stop);
    EXPECT_TRUE(seen);
}

// On the real engine: an absence that ends while another dialog of ours is
// open waits for it to close; a second absence while the question is open
// extends the question instead of opening another; the answer applies to the
// whole.
TEST(AwayQuestion, WaitsForAnotherDialog_SecondAbsenceExtendsTheOpenQuestion)
{
    const TRegionalScope regional("en_GB");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TTrackerWorld world(dir.path(), At(11, 0));
    QWidget window;
    window.show();
    TAwayQuestion question(world.tracker.Modals(), &window);
    TAwayTracker away(world.options, world.clock, world.tracker.AwayLog(), question);
    world.tracker.SetAwayHold([&away] { return away.HoldsDayChange(); });
    auto task = std::make_unique<TRyvItem>();
    task->title = u"Weekly report"_qs;
    task->start = At(11, 0);
    task->stop = At(11, 0);
    world.today.Append(std::move(task));
    world.today.SetWorking(true);
    away.Start();

    // Time passes tick by tick (a gap would be a sleep of the computer).
    auto passUntil = [&](TDateTime t) {
        while (world.clock.Now() < t) {
            world.clock.Set(std::min(t, world.clock.Now() + 5 * OneSecond));
            away.tmrAwayTimer();
            world.tracker.tmrCheckTimer();
        }
    };
    auto absence = [&](TDateTime from, TDateTime to) {
        passUntil(from);
        away.ScreenLockChanged(true);
        passUntil(to);
        away.ScreenLockChanged(false);
    };

    QDialog other(&window);
    WhenOpen([&] {
        absence(At(12, 5), At(12, 51));
        EXPECT_TRUE(away.HasPending());
        QCoreApplication::processEvents(); // the question's own timer
        EXPECT_FALSE(away.IsAsking()) << "asked over another dialog";
        EXPECT_EQ(question.Box(), nullptr);
        other.accept();
    });
    other.exec();

    bool seen = false;
    WhenOpen([&] {
        ASSERT_NE(question.Box(), nullptr);
        EXPECT_EQ(question.Box()->text(),
            u"You were away from 12:05 to 12:51 (0:46) while \"Weekly report\" was running."_qs);
        passUntil(At(12, 55));
        away.ScreenLockChanged(true);
        passUntil(At(13, 10));
        // While it goes on, the question shows it up to now.
        EXPECT_EQ(question.Box()->text(),
            u"You were away from 12:05 to 13:10 (1:05) while \"Weekly report\" was running."_qs);
        passUntil(At(13, 20));
        away.ScreenLockChanged(false);
        EXPECT_EQ(OpenBoxes(), 1);
        EXPECT_EQ(question.Box()->text(),
            u"You were away from 12:05 to 13:20 (1:15) while \"Weekly report\" was running."_qs);
        EXPECT_EQ(question.Button(TAwayAnswer::Stop)->text(), u"Stop at 12:05"_qs);
        seen = true;
        question.Button(TAwayAnswer::Break)->click();
    });
    away.tmrAwayTimer(); // the next tick asks
    EXPECT_TRUE(seen);
    ASSERT_EQ(world.today.Count(), 3);
    EXPECT_TRUE(world.today.Item(1)->IsPause());
    EXPECT_DOUBLE_EQ(world.today.Item(1)->start, At(12, 5));
    EXPECT_DOUBLE_EQ(world.today.Item(1)->stop, At(13, 20));
    EXPECT_TRUE(world.today.IsWorking());
    EXPECT_EQ(world.today.Last()->title, u"Weekly report"_qs);
    world.tracker.SetAwayHold(nullptr);
}

} // namespace
} // namespace ryv
