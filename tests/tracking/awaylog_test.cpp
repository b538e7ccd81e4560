#include "tracking/awaylog.h"

#include "core/apptexts.h"
#include "trackerfixture.h"
#include "tracking/awaytracker.h"

#include <deque>

namespace ryv::testing {
namespace {

class TScriptedQuestion final : public IAwayQuestion {
public:
    std::deque<TAwayAnswer> answers; // none left: Keep
    std::vector<QString> asked;

    bool CanAsk() const override { return true; }
    TAwayAnswer Ask(const TAwayQuestionTexts& texts) override
    {
        asked.push_back(texts.text);
        if (answers.empty())
            return TAwayAnswer::Keep;
        const TAwayAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Update(const TAwayQuestionTexts&) override { }
};

// The away rules on the real engine: its log, its day change and its files.
class AwayLogTest : public TrackerTest {
protected:
    AwayLogTest()
    {
        tracker.SetAwayHold([this] { return away.HoldsDayChange(); });
    }

    // A task runs from start; the clock stands at start, the engine's day is
    // its day.
    void Run(TDateTime start)
    {
        clock.Set(start);
        tracker.UpdateToday();
        auto e = Entry(ryvkTask, start, start, QStringLiteral("Weekly report"),
            QStringLiteral("https://tracker/42"), QStringLiteral("notes"));
        e->state = ryvsDone;
        AddToday(std::move(e));
        today.SetWorking(true);
        ASSERT_TRUE(store.SaveData(true, 0));
        away.Start();
    }
    // Time passes as the program sees it awake: the away rules tick every
    // few seconds; the engine's clock too, unless it ticks once a minute in
    // the background and its next tick has not come yet.
    void PassUntil(TDateTime t, bool engineTicks = true)
    {
        while (clock.Now() < t) {
            clock.Set(std::min(t, clock.Now() + 5 * OneSecond));
            away.tmrAwayTimer();
            if (engineTicks)
                tracker.tmrCheckTimer();
        }
    }
    void Lock(bool locked)
    {
        away.ScreenLockChanged(locked);
        away.tmrAskTimer();
    }
    static QStringList Described(const TEntries& entries)
    {
        QStringList out;
        for (const auto& e : entries)
            out << (e->IsPause() ? QStringLiteral("b ") : QStringLiteral("t ")) + Span(*e);
        return out;
    }

    TScriptedQuestion question;
    TAwayTracker away { options, clock, tracker.AwayLog(), question };
};

// Each answer, for an absence within a day and for absences around
// midnight: today's log, the day file of the day before, and what the next
// start of the program reads. A recorded break never crosses midnight, and a
// stopped task leaves no day before today in the log.
TEST_F(AwayLogTest, Answers_GiveTheLogTheyPromise)
{
    const struct {
        const char* name;
        TDateTime start; // the task's start
        TDateTime lock; // the screen is locked...
        TDateTime unlock; // ... and unlocked again
        TAwayAnswer answer;
        QStringList today; // after the next tick, the running task ends "on"
        QStringList dayBefore; // the file of day 7 when the absence ends on day 8
    } cases[] = {
        { "keep", At(7, 11, 0), At(7, 12, 5), At(7, 12, 51), TAwayAnswer::Keep, { "t 11:00:00-on" },
            {} },
        { "break", At(7, 11, 0), At(7, 12, 5, 30), At(7, 12, 51, 40), TAwayAnswer::Break,
            { "t 11:00:00-12:05:00", "b 12:05:00-12:51:00", "t 12:51:00-on" }, {} },
        { "stop", At(7, 11, 0), At(7, 12, 5), At(7, 12, 51), TAwayAnswer::Stop,
            { "t 11:00:00-12:05:00" }, {} },
        { "midnight, keep", At(7, 22, 0), At(7, 23, 40), At(8, 0, 30), TAwayAnswer::Keep,
            { "t 00:00:00-on" }, { "t 22:00:00-23:59:59" } },
        { "midnight, break", At(7, 22, 0), At(7, 23, 40), At(8, 0, 30), TAwayAnswer::Break,
            { "b 00:00:00-00:30:00", "t 00:30:00-on" },
            { "t 22:00:00-23:40:00", "b 23:40:00-23:59:59" } },
        { "midnight, stop", At(7, 22, 0), At(7, 23, 40), At(8, 0, 30), TAwayAnswer::Stop, {},
            { "t 22:00:00-23:40:00" } },
        // Locked in the first minute of the day, before the day change
        // (which ticks once a minute in the background) split the task.
        { "just after midnight, break", At(7, 22, 0), At(8, 0, 0, 20), At(8, 0, 30),
            TAwayAnswer::Break, { "b 00:00:00-00:30:00", "t 00:30:00-on" },
            { "t 22:00:00-23:59:59" } },
        { "just after midnight, stop", At(7, 22, 0), At(8, 0, 0, 20), At(8, 0, 30),
            TAwayAnswer::Stop, {}, { "t 22:00:00-23:59:59" } },
        // Away from the task's first minute: the break goes before the task,
        // which runs on from the end; no task of no length is left.
        { "first minute, break", At(7, 12, 5, 10), At(7, 12, 5, 30), At(7, 12, 51, 40),
            TAwayAnswer::Break, { "b 12:05:10-12:51:00", "t 12:51:00-on" }, {} },
        { "first minute, over midnight, break", At(7, 23, 40, 10), At(7, 23, 40, 30), At(8, 0, 30),
            TAwayAnswer::Break, { "b 00:00:00-00:30:00", "t 00:30:00-on" },
            { "b 23:40:10-23:59:59" } },
        { "first minute, stop", At(7, 12, 5, 10), At(7, 12, 5, 30), At(7, 12, 51, 40),
            TAwayAnswer::Stop, { "t 12:05:10-12:05:10" }, {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        today.SetWorking(false);
        today.Clear();
        QFile::remove(DayFilePath(options, At(7, 0, 0)));
        question = TScriptedQuestion();
        question.answers.push_back(c.answer);

        Run(c.start);
        PassUntil(std::min(c.lock, At(7, 23, 59, 55)));
        PassUntil(c.lock, false);
        Lock(true);
        PassUntil(c.unlock);
        EXPECT_EQ(today.Count(), 1) << "the day changed while away";
        EXPECT_TRUE(question.asked.empty());
        Lock(false);
        ASSERT_EQ(question.asked.size(), 1u);
        PassUntil(c.unlock + 5 * OneSecond);

        QStringList log = Spans(today);
        if (today.IsWorking())
            log.last() = log.last().left(log.last().indexOf(QLatin1Char('-')) + 1) + u"on"_qs;
        EXPECT_EQ(log, c.today);
        EXPECT_EQ(Described(ReadDay(At(7, 0, 0))), c.dayBefore);
        if (today.IsWorking()) {
            // The same task again: title, link, description, not the mark.
            EXPECT_EQ(today.Last()->title, u"Weekly report"_qs);
            EXPECT_EQ(today.Last()->url, u"https://tracker/42"_qs);
            EXPECT_EQ(today.Last()->descr, u"notes"_qs);
            if (c.answer == TAwayAnswer::Break) {
                EXPECT_EQ(today.Last()->state, ryvsNone);
            }
        }

        // Saved as any change of the log: the next start reads the same.
        store.FlushPendingSaves();
        TTrackerWorld next(dir.path(), clock.Now());
        next.store.LoadData();
        EXPECT_EQ(Spans(next.today), Spans(today));
        EXPECT_EQ(next.today.IsWorking(), today.IsWorking());
        EXPECT_TRUE(messages.warnings.isEmpty());
    }
}

// The hold is the away rules' only while they need it: without an absence
// the day changes at the first tick after midnight, and with the rules off
// (awayMinutes 0) a lock over midnight holds nothing.
TEST_F(AwayLogTest, DayChange_HeldOnlyWhileAnAbsenceMayBeAnswered)
{
    Run(At(7, 23, 0));
    PassUntil(At(8, 0, 0, 10));
    EXPECT_EQ(Titles(today), QStringList { u"Weekly report"_qs });
    EXPECT_DOUBLE_EQ(today.Last()->start, At(8, 0, 0));

    options.AwayMinutes = 0;
    clock.Set(At(8, 23, 50));
    tracker.tmrCheckTimer();
    Lock(true);
    PassUntil(At(9, 0, 0, 10));
    EXPECT_DOUBLE_EQ(today.Last()->start, At(9, 0, 0));
    Lock(false);
    EXPECT_TRUE(question.asked.empty());
}

// A command given right after the clock was set back, before any tick saw
// it, does not end the running task at the earlier time: the engine looks at
// the clock first, so the task keeps the time it had, nothing runs until the
// question is answered, and "Keep running" lets it run on from the new time.
// Both are saved as any change of the log.
TEST_F(AwayLogTest, ClockSetBack_CommandRightAfterDoesNotShortenTheTask)
{
    tracker.SetClockWatch([this] { away.Poll(); });
    Run(At(7, 10, 0));
    PassUntil(At(7, 13, 11));
    clock.Set(At(7, 10, 31, 20));

    TUiState ui;
    ui.focus = TListKind::Today;
    EXPECT_FALSE(tracker.Execute(TCommand::acStop, ui)) << "nothing runs any more";
    tracker.Execute(TCommand::acStart, ui); // does nothing: the last entry ends after now
    EXPECT_EQ(Spans(today), QStringList { u"t 10:00:00-13:11:00"_qs });
    EXPECT_FALSE(today.IsWorking());

    away.tmrAskTimer(); // Keep
    ASSERT_EQ(question.asked.size(), 1u);
    tracker.tmrCheckTimer();
    EXPECT_EQ(Spans(today), (QStringList { u"t 10:00:00-13:11:00"_qs, u"t 10:31:00-10:31:20"_qs }));
    EXPECT_TRUE(today.IsWorking());
    EXPECT_EQ(today.Last()->title, u"Weekly report"_qs);

    store.FlushPendingSaves();
    TTrackerWorld next(dir.path(), clock.Now());
    next.store.LoadData();
    EXPECT_EQ(Spans(next.today), Spans(today));
    EXPECT_TRUE(messages.warnings.isEmpty());
    tracker.SetClockWatch(nullptr);
}

} // namespace
} // namespace ryv::testing
