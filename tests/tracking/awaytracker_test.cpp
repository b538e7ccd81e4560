#include "tracking/awaytracker.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/daylist.h"
#include "core/regional.h"
#include "core/ryvoptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace ryv {
namespace {

// 2022-01-07 is a Friday; 2022-01-10 a Monday.
TDateTime At(int day, int h, int m, int s = 0)
{
    return EncodeDateTime(2022, 1, day, h, m, s);
}

QString Describe(const TRyvItem& e, bool running)
{
    const QString from = FormatDateTime(QStringLiteral("hh:nn:ss"), e.start);
    const QString to
        = running ? QStringLiteral("on") : FormatDateTime(QStringLiteral("hh:nn:ss"), e.stop);
    return (e.IsPause() ? QStringLiteral("break") : e.title) + QLatin1Char(' ') + from
        + QLatin1Char('-') + to;
}

// Today's log on a TDayList with the edits the answers make, the day files
// the day change writes, and the part of the tracker's clock tick that splits
// the running task at midnight, which waits while the away rules hold it.
class TDayListAwayLog final : public IAwayLog {
public:
    TDayListAwayLog(TDayList& today, const TClock& clock)
        : FToday(today)
        , FClock(clock)
        , FLogDay(DayOf(clock.Now()))
    {
    }

    std::map<int, std::vector<TRyvItem>> files;

    // A new log day from now on, no files.
    void Reset()
    {
        files.clear();
        FLogDay = DayOf(FClock.Now());
    }

    void Run(
        const QString& title, TDateTime start, const QString& url = {}, const QString& descr = {})
    {
        auto e = std::make_unique<TRyvItem>();
        e->start = start;
        e->stop = FClock.Now();
        e->title = title;
        e->url = url;
        e->descr = descr;
        e->state = ryvsDone;
        FToday.Append(std::move(e));
        FToday.SetWorking(true);
    }

    // The tracker's clock tick.
    void Tick(TAwayTracker& away)
    {
        const TDateTime now = FClock.Now();
        if (DayOf(now) > FLogDay) {
            if (FToday.IsWorking() && !FToday.IsEmpty()) {
                if (away.HoldsDayChange())
                    return;
                FToday.SetStop(LastRow(), now);
                SplitLastAtMidnight();
                MoveEarlierDays();
            }
            FLogDay = DayOf(now);
        }
        if (FToday.IsWorking() && !FToday.IsEmpty())
            FToday.SetStop(LastRow(), now);
    }

    QStringList Today() const
    {
        QStringList out;
        for (int i = 0; i < FToday.Count(); ++i)
            out << Describe(*FToday.Item(i), FToday.IsWorking() && i == FToday.Count() - 1);
        return out;
    }
    QStringList File(TDateTime day) const
    {
        QStringList out;
        const auto it = files.find(DayOf(day));
        if (it != files.end())
            for (const TRyvItem& e : it->second)
                out << Describe(e, false);
        return out;
    }

    std::optional<TRyvItem> RunningTask() const override
    {
        if (!FToday.IsWorking() || FToday.IsEmpty())
            return std::nullopt;
        return *FToday.Last();
    }
    void StopRunningAt(TDateTime at) override
    {
        EXPECT_TRUE(FToday.IsWorking());
        EXPECT_GE(at, FToday.Last()->start);
        FToday.SetStop(LastRow(), at);
        FToday.SetWorking(false);
    }
    void AppendBreak(TDateTime start, TDateTime stop) override
    {
        EXPECT_EQ(DayOf(start), DayOf(stop)) << "a break crosses midnight";
        EXPECT_LT(start, stop);
        auto e = std::make_unique<TRyvItem>();
        e->kind = ryvkPause;
        e->start = start;
        e->stop = stop;
        FToday.Append(std::move(e));
    }
    void StartAgainAt(const TRyvItem& task, TDateTime at) override
    {
        auto e = std::make_unique<TRyvItem>();
        e->start = at;
        e->stop = FClock.Now();
        e->title = task.title;
        e->url = task.url;
        e->descr = task.descr;
        FToday.Append(std::move(e));
        FToday.SetWorking(true);
    }
    void BreakBeforeRunning(
        const std::vector<std::pair<TDateTime, TDateTime>>& breaks, TDateTime at) override
    {
        EXPECT_TRUE(FToday.IsWorking());
        for (const auto& [start, stop] : breaks) {
            EXPECT_EQ(DayOf(start), DayOf(stop)) << "a break crosses midnight";
            auto e = std::make_unique<TRyvItem>();
            e->kind = ryvkPause;
            e->start = start;
            e->stop = stop;
            FToday.Insert(LastRow(), std::move(e));
        }
        FToday.SetTimes(LastRow(), at, FClock.Now());
        FToday.SetState(LastRow(), ryvsNone);
    }
    void MoveEarlierDays() override
    {
        const int today = DayOf(FClock.Now());
        for (int i = 0; i < FToday.Count();) {
            const TRyvItem& e = *FToday.Item(i);
            if (DayOf(e.start) < today) {
                files[DayOf(e.start)].push_back(e);
                FToday.Remove(i);
            } else {
                ++i;
            }
        }
    }

private:
    int LastRow() const { return FToday.Count() - 1; }

    void SplitLastAtMidnight()
    {
        const TRyvItem* last = FToday.Last();
        if (DayOf(last->start) >= DayOf(last->stop))
            return;
        auto before = std::make_unique<TRyvItem>(*last);
        before->stop = EndOfDayOf(last->start);
        FToday.SetStart(LastRow(), MidnightOf(last->stop));
        FToday.Insert(LastRow(), std::move(before));
    }

    TDayList& FToday;
    const TClock& FClock;
    int FLogDay;
};

// Milliseconds since the last input, following the clock.
class TFakeIdle final : public IIdleTime {
public:
    explicit TFakeIdle(const TClock& clock)
        : FClock(clock)
        , FLastInput(clock.Now())
    {
    }
    bool present = true;
    void Input() { FLastInput = FClock.Now(); }
    void InputAt(TDateTime t) { FLastInput = t; }
    qint64 IdleMs() override
    {
        return present ? std::llround((FClock.Now() - FLastInput) * MsPerDay) : -1;
    }

private:
    const TClock& FClock;
    TDateTime FLastInput;
};

class TFakeQuestion final : public IAwayQuestion {
public:
    bool canAsk = true;
    std::deque<TAwayAnswer> answers; // none left: Keep, as Escape gives
    std::vector<TAwayQuestionTexts> asked;
    std::vector<TAwayQuestionTexts> updates;
    std::function<void()> whileOpen; // runs inside Ask, as the nested event loop would

    bool CanAsk() const override { return canAsk; }
    TAwayAnswer Ask(const TAwayQuestionTexts& texts) override
    {
        asked.push_back(texts);
        if (whileOpen)
            whileOpen();
        if (answers.empty())
            return TAwayAnswer::Keep;
        const TAwayAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void Update(const TAwayQuestionTexts& texts) override { updates.push_back(texts); }
};

constexpr int Step = TAwayTracker::TickInterval / 1000; // seconds

class AwayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        away.SetIdleTime(&idle);
        away.Start();
    }

    // Time passes tick by tick, each tick of the engine followed by one of the
    // tracker; with active, the user gives input at every tick.
    void Pass(int seconds, bool active = false)
    {
        for (int s = 0; s < seconds; s += Step) {
            // Whole milliseconds, as the system clock gives them; adding
            // fractions of a day would drift.
            clock.Set(std::round((clock.Now() + Step * OneSecond) * MsPerDay) / MsPerDay);
            if (active)
                idle.Input();
            away.tmrAwayTimer();
            log.Tick(away);
        }
    }
    void PassUntil(TDateTime t, bool active = false)
    {
        Pass(static_cast<int>(std::llround((t - clock.Now()) * 86400.0)), active);
    }
    // A case of a table begins afresh: nothing in the log, the question
    // answers answer (none: Escape), the clock at start with a new log day,
    // the user there, the away rules started.
    void NewCase(std::optional<TAwayAnswer> answer, TDateTime start)
    {
        today.Clear();
        today.SetWorking(false);
        question = TFakeQuestion();
        if (answer)
            question.answers.push_back(*answer);
        clock.Set(start);
        log.Reset();
        idle.Input();
        away.Start();
    }
    // The computer sleeps: the clock moves, no timer fires.
    void Sleep(TDateTime until) { clock.Set(until); }
    void Lock(bool locked)
    {
        away.ScreenLockChanged(locked);
        away.tmrAskTimer();
    }

    TRegionalScope regional { "en_GB" };
    TRyvOptions options { QStringLiteral("/tmp/ryv-away-test") };
    TManualClock clock { At(7, 11, 0) };
    TDayList today { TDayListRole::Today, options, clock };
    TDayListAwayLog log { today, clock };
    TFakeIdle idle { clock };
    TFakeQuestion question;
    TAwayTracker away { options, clock, log, question };
};

// Idle from 12:05 to 12:51 with awayMinutes 10: one question when the user is
// back, and each answer leaves the log the issue describes.
TEST_F(AwayTest, IdleAbsence_EachAnswerGivesItsLog)
{
    const struct {
        const char* name;
        std::optional<TAwayAnswer> answer; // none: Escape or closing
        QStringList log;
    } cases[] = {
        { "keep", TAwayAnswer::Keep, { "Weekly report 11:00:00-on" } },
        { "escape", std::nullopt, { "Weekly report 11:00:00-on" } },
        { "break", TAwayAnswer::Break,
            { "Weekly report 11:00:00-12:05:00", "break 12:05:00-12:51:00",
                "Weekly report 12:51:00-on" } },
        { "stop", TAwayAnswer::Stop, { "Weekly report 11:00:00-12:05:00" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewCase(c.answer, At(7, 11, 0));
        log.Run(QStringLiteral("Weekly report"), At(7, 11, 0), u"https://x/1"_qs, u"notes"_qs);

        PassUntil(At(7, 12, 5), true);
        PassUntil(At(7, 12, 51)); // away: idle, the tick goes on
        EXPECT_TRUE(question.asked.empty()) << "asked while away";
        EXPECT_TRUE(away.IsAway());
        Pass(Step, true); // back at 12:51:05

        ASSERT_EQ(question.asked.size(), 1u);
        EXPECT_EQ(question.asked[0].text,
            u"You were away from 12:05 to 12:51 (0:46) while \"Weekly report\" was running."_qs);
        EXPECT_EQ(question.asked[0].keep, u"Keep as work"_qs);
        EXPECT_EQ(question.asked[0].recordBreak, u"Record a break"_qs);
        EXPECT_EQ(question.asked[0].stop, u"Stop at 12:05"_qs);
        EXPECT_EQ(log.Today(), c.log);
        EXPECT_FALSE(away.HasPending());
        EXPECT_FALSE(away.IsAway());
        if (c.answer == TAwayAnswer::Break) {
            // The same task runs again: title, link and description, not the
            // done mark.
            const TRyvItem& again = *today.Last();
            EXPECT_EQ(again.url, u"https://x/1"_qs);
            EXPECT_EQ(again.descr, u"notes"_qs);
            EXPECT_EQ(again.state, ryvsNone);
        }

        Pass(60, true);
        EXPECT_EQ(question.asked.size(), 1u) << "asked twice";
    }
}

// The screen lock alone, and together with the idle time, which tells when
// the user really left; a lock shorter than awayMinutes asks nothing.
TEST_F(AwayTest, ScreenLock_AsksWhenUnlocked)
{
    log.Run(QStringLiteral("Mail"), At(7, 11, 0));
    PassUntil(At(7, 11, 50), true);
    PassUntil(At(7, 11, 53)); // three idle minutes, then the lock
    Lock(true);
    PassUntil(At(7, 12, 30));
    EXPECT_TRUE(question.asked.empty());
    idle.Input(); // typing the password
    Pass(Step);
    EXPECT_TRUE(question.asked.empty()) << "asked while still locked";
    Lock(false);
    ASSERT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(question.asked[0].text,
        u"You were away from 11:50 to 12:30 (0:40) while \"Mail\" was running."_qs);

    // Without an idle source the lock's own times count; five minutes ask
    // nothing.
    away.SetIdleTime(nullptr);
    PassUntil(At(7, 13, 0), true);
    Lock(true);
    PassUntil(At(7, 13, 5));
    Lock(false);
    EXPECT_EQ(question.asked.size(), 1u);
    Lock(true);
    PassUntil(At(7, 13, 20));
    Lock(false);
    ASSERT_EQ(question.asked.size(), 2u);
    EXPECT_EQ(question.asked[1].stop, u"Stop at 13:05"_qs);
}

// Sleep reported by the session manager: the signals may come in time or
// only after the wake-up; either way the absence runs from before the sleep
// to the wake-up. A sleep nobody reported shows as a jump of the clock.
TEST_F(AwayTest, Suspend_BySignalAndByClockJump)
{
    const struct {
        const char* name;
        bool before; // PrepareForSleep(true) arrives before the sleep
        bool after; // PrepareForSleep(false) arrives at all
    } cases[] = {
        { "signals in time", true, true },
        { "both signals after the wake-up", false, true },
        { "no signal: clock jump", false, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewCase(TAwayAnswer::Break, At(7, 11, 0));
        log.Run(QStringLiteral("Design"), At(7, 11, 0));
        PassUntil(At(7, 12, 5), true);
        if (c.before)
            away.SleepChanged(true);
        Sleep(At(7, 12, 51, 3));
        idle.Input(); // the key that woke it
        if (!c.before && c.after)
            away.SleepChanged(true);
        if (c.after)
            away.SleepChanged(false);
        away.tmrAwayTimer();
        log.Tick(away);

        ASSERT_EQ(question.asked.size(), 1u);
        EXPECT_EQ(question.asked[0].text,
            u"You were away from 12:05 to 12:51 (0:46) while \"Design\" was running."_qs);
        EXPECT_EQ(log.Today(),
            (QStringList { u"Design 11:00:00-12:05:00"_qs, u"break 12:05:00-12:51:00"_qs,
                u"Design 12:51:00-on"_qs }));
    }
}

// A sleep announced but never over (the suspend failed and its end was not
// reported): once the program has run awake for a while, the absence ends.
TEST_F(AwayTest, Suspend_AnnouncedButNeverReportedOver_EndsByItself)
{
    log.Run(QStringLiteral("Design"), At(7, 11, 0));
    PassUntil(At(7, 12, 0), true);
    away.SleepChanged(true);
    Pass(110, true);
    EXPECT_TRUE(away.IsAway());
    EXPECT_TRUE(away.tmrSleepGuard.isActive());
    away.tmrSleepGuardTimer();
    EXPECT_FALSE(away.IsAway());
    EXPECT_FALSE(away.HoldsDayChange());
    EXPECT_TRUE(question.asked.empty()); // two minutes: no absence worth asking about
}

// Jumps that are no absence: a short one, a change to daylight saving time,
// and a program that was merely busy for a while.
TEST_F(AwayTest, ClockJump_ShortOrDaylightSavingIsNoAbsence)
{
    int offset = 3600;
    away.SetUtcOffset([&offset] { return offset; });
    log.Run(QStringLiteral("Design"), At(7, 11, 0));
    PassUntil(At(7, 12, 0), true);

    clock.AdvanceSeconds(8); // a late tick
    idle.Input();
    away.tmrAwayTimer();
    EXPECT_FALSE(away.IsAway());

    clock.AdvanceSeconds(3600 + Step); // the clock is put forward an hour
    offset = 7200;
    idle.Input();
    away.tmrAwayTimer();
    EXPECT_FALSE(away.IsAway());
    EXPECT_FALSE(away.HasPending());

    Sleep(clock.Now() + 9 * OneMinute); // a jump below awayMinutes
    idle.Input();
    away.tmrAwayTimer();
    Pass(60, true);
    EXPECT_TRUE(question.asked.empty());
}

// Away over midnight: the day change waits for the answer, so each answer
// edits the whole task, and the day change that follows puts the day before
// into its file. A break never crosses midnight.
TEST_F(AwayTest, Midnight_AnswersFollowTheDayChange)
{
    const struct {
        const char* name;
        TAwayAnswer answer;
        QStringList file;
        QStringList today;
    } cases[] = {
        { "keep", TAwayAnswer::Keep, { "Report 22:00:00-23:59:59" }, { "Report 00:00:00-on" } },
        { "break", TAwayAnswer::Break, { "Report 22:00:00-23:40:00", "break 23:40:00-23:59:59" },
            { "break 00:00:00-00:30:00", "Report 00:30:00-on" } },
        { "stop", TAwayAnswer::Stop, { "Report 22:00:00-23:40:00" }, {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        today.Clear();
        today.SetWorking(false);
        log.files.clear();
        question = TFakeQuestion();
        question.answers.push_back(c.answer);
        clock.Set(At(7, 22, 0));
        log.Reset();
        away.Start();
        log.Run(QStringLiteral("Report"), At(7, 22, 0));

        PassUntil(At(7, 23, 40), true);
        Lock(true);
        PassUntil(At(8, 0, 30));
        EXPECT_TRUE(log.files.empty()) << "the day changed while away";
        idle.Input();
        Lock(false);
        ASSERT_EQ(question.asked.size(), 1u);
        EXPECT_EQ(question.asked[0].text,
            u"You were away from 07/01/2022 23:40 to 00:30 (0:50) while \"Report\" was running."_qs);
        EXPECT_EQ(question.asked[0].stop, u"Stop at 07/01/2022 23:40"_qs);
        Pass(Step, true);
        EXPECT_EQ(log.File(At(7, 0, 0)), c.file);
        EXPECT_EQ(log.Today(), c.today);
    }
}

// Asleep over a weekend: the days between get nothing, not even a break.
TEST_F(AwayTest, Midnight_SeveralDaysAsleep_BreakOnlyOnTheFirstAndLastDay)
{
    question.answers.push_back(TAwayAnswer::Break);
    clock.Set(At(7, 17, 0));
    log.Reset();
    away.Start();
    log.Run(QStringLiteral("Report"), At(7, 17, 0));
    PassUntil(At(7, 18, 5), true);
    away.SleepChanged(true);
    Sleep(At(10, 8, 51));
    idle.Input();
    away.SleepChanged(false);
    log.Tick(away); // the tracker's tick comes first: it waits
    EXPECT_TRUE(log.files.empty());
    away.tmrAskTimer();
    ASSERT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(question.asked[0].text,
        u"You were away from 07/01/2022 18:05 to 08:51 (62:46) while \"Report\" was running."_qs);
    Pass(Step, true);
    EXPECT_EQ(log.File(At(7, 0, 0)),
        (QStringList { u"Report 17:00:00-18:05:00"_qs, u"break 18:05:00-23:59:59"_qs }));
    EXPECT_EQ(log.File(At(8, 0, 0)), QStringList());
    EXPECT_EQ(log.File(At(9, 0, 0)), QStringList());
    EXPECT_EQ(
        log.Today(), (QStringList { u"break 00:00:00-08:51:00"_qs, u"Report 08:51:00-on"_qs }));
}

// The last input came shortly before midnight: until it is known whether the
// idle stretch becomes an absence, the running task stays whole.
TEST_F(AwayTest, Midnight_IdleFromBeforeMidnight_DayChangeWaits)
{
    clock.Set(At(7, 23, 0));
    log.Reset();
    away.Start();
    log.Run(QStringLiteral("Report"), At(7, 23, 0));

    // Back after five minutes: no absence; the day changes at once.
    PassUntil(At(7, 23, 58), true);
    PassUntil(At(8, 0, 3));
    EXPECT_TRUE(log.files.empty());
    Pass(Step, true);
    EXPECT_TRUE(question.asked.empty());
    EXPECT_EQ(log.File(At(7, 0, 0)), QStringList { u"Report 23:00:00-23:59:59"_qs });

    // Idle from 23:55 the next night, found away only at 00:05.
    question.answers.push_back(TAwayAnswer::Break);
    PassUntil(At(8, 23, 55), true);
    PassUntil(At(9, 0, 20));
    EXPECT_EQ(log.File(At(8, 0, 0)), QStringList()) << "the day changed while away";
    Pass(Step, true);
    ASSERT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(log.File(At(8, 0, 0)),
        (QStringList { u"Report 00:00:00-23:55:00"_qs, u"break 23:55:00-23:59:59"_qs }));
    EXPECT_EQ(
        log.Today(), (QStringList { u"break 00:00:00-00:20:00"_qs, u"Report 00:20:00-on"_qs }));
}

// Nothing asks while no task runs, with awayMinutes 0, or when the task that
// runs now was started after the user came back.
TEST_F(AwayTest, NoQuestion_NothingRunningOrSwitchedOffOrTaskStartedAfter)
{
    Lock(true);
    PassUntil(At(7, 12, 0));
    idle.Input();
    Lock(false);
    EXPECT_TRUE(question.asked.empty()) << "nothing running";

    log.Run(QStringLiteral("Mail"), At(7, 12, 0));
    options.AwayMinutes = 0;
    Lock(true);
    PassUntil(At(7, 13, 0));
    EXPECT_FALSE(away.HoldsDayChange());
    idle.Input();
    Lock(false);
    PassUntil(At(7, 13, 10), true);
    EXPECT_TRUE(question.asked.empty()) << "switched off";
    EXPECT_EQ(log.Today(), QStringList { u"Mail 12:00:00-on"_qs });

    // Back at 14:00 while a dialog is open; the user starts a new task in it.
    options.AwayMinutes = 10;
    question.canAsk = false;
    Lock(true);
    PassUntil(At(7, 14, 0));
    idle.Input();
    Lock(false);
    EXPECT_TRUE(away.HasPending());
    PassUntil(At(7, 14, 2), true);
    today.SetStop(today.Count() - 1, At(7, 14, 2));
    today.SetWorking(false);
    log.Run(QStringLiteral("Call"), At(7, 14, 2));
    question.canAsk = true;
    Pass(Step, true);
    EXPECT_TRUE(question.asked.empty());
    EXPECT_FALSE(away.HasPending());
}

// Exactly awayMinutes asks, a second less does not.
TEST_F(AwayTest, Threshold_AtLeastAwayMinutes)
{
    away.SetIdleTime(nullptr);
    log.Run(QStringLiteral("Mail"), At(7, 11, 0));
    const struct {
        int seconds;
        bool asks;
    } cases[] = { { 599, false }, { 600, true }, { 601, true } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        question.asked.clear();
        Pass(60);
        Lock(true);
        Pass(595);
        clock.AdvanceSeconds(c.seconds - 595);
        Lock(false);
        EXPECT_EQ(question.asked.size(), c.asks ? 1u : 0u);
    }
}

// A further absence while the question is open extends it, and the answer
// covers both: one question, never two.
TEST_F(AwayTest, NeverStacks_SecondAbsenceWhileOpenExtendsIt)
{
    log.Run(QStringLiteral("Design"), At(7, 11, 0));
    question.answers.push_back(TAwayAnswer::Break);
    question.whileOpen = [this] {
        // The user leaves the question on screen for a meeting.
        PassUntil(At(7, 13, 20));
        EXPECT_TRUE(away.HoldsDayChange());
        idle.Input();
        Pass(Step);
        // ... and a short lock later does not extend it.
        Lock(true);
        PassUntil(At(7, 13, 25));
        Lock(false);
    };
    PassUntil(At(7, 12, 5), true);
    PassUntil(At(7, 12, 51));
    Pass(Step, true);

    ASSERT_EQ(question.asked.size(), 1u);
    ASSERT_FALSE(question.updates.empty());
    EXPECT_EQ(question.updates.back().text,
        u"You were away from 12:05 to 13:20 (1:15) while \"Design\" was running."_qs);
    EXPECT_EQ(question.updates.back().stop, u"Stop at 12:05"_qs);
    EXPECT_EQ(log.Today(),
        (QStringList { u"Design 11:00:00-12:05:00"_qs, u"break 12:05:00-13:20:00"_qs,
            u"Design 13:20:00-on"_qs }));
}

// The open question follows an absence while it goes on: it shows the
// times up to now, so an answer given the moment the user is back (before
// a tick saw the return) records what the question said.
TEST_F(AwayTest, OpenQuestion_FollowsAnAbsenceGoingOn_AnswerRecordsWhatItShows)
{
    log.Run(QStringLiteral("Design"), At(7, 11, 0));
    question.answers.push_back(TAwayAnswer::Break);
    std::vector<QString> shown;
    question.whileOpen = [this, &shown] {
        // The user leaves the question on screen for a meeting ...
        PassUntil(At(7, 12, 58));
        for (const TAwayQuestionTexts& t : question.updates)
            shown.push_back(t.text);
        PassUntil(At(7, 13, 20));
        // ... and answers as soon as they are back.
        idle.Input();
    };
    PassUntil(At(7, 12, 5), true);
    PassUntil(At(7, 12, 51));
    Pass(Step, true);

    ASSERT_EQ(question.asked.size(), 1u);
    EXPECT_TRUE(shown.empty()) << "idle for less than awayMinutes is no absence yet";
    ASSERT_FALSE(question.updates.empty());
    EXPECT_EQ(question.updates.front().text,
        u"You were away from 12:05 to 13:01 (0:56) while \"Design\" was running."_qs);
    EXPECT_EQ(question.updates.back().text,
        u"You were away from 12:05 to 13:20 (1:15) while \"Design\" was running."_qs);
    EXPECT_EQ(log.Today(),
        (QStringList { u"Design 11:00:00-12:05:00"_qs, u"break 12:05:00-13:20:00"_qs,
            u"Design 13:20:00-on"_qs }));
    Pass(60, true);
    EXPECT_EQ(question.asked.size(), 1u) << "the part under the question was asked again";
}

// The clock set back by more than a minute: the running task keeps the time
// it had (it ends where the clock stood before the jump, and nothing runs
// while the question is open); the answer lets it run on from the new time or
// leaves it stopped. Also with the away question switched off. Half a
// minute back (the network correcting the clock) or back to standard time
// is no jump.
TEST_F(AwayTest, ClockSetBack_TaskKeepsItsTime_RunsOnOrStops)
{
    int offset = 7200;
    away.SetUtcOffset([&offset] { return offset; });
    const struct {
        const char* name;
        int awayMinutes;
        TDateTime setTo;
        int offsetAfter;
        std::optional<TAwayAnswer> answer; // none: Escape or closing
        QStringList log;
    } cases[] = {
        { "keep", 10, At(7, 10, 31), 7200, TAwayAnswer::Keep,
            { "Design 10:00:00-13:11:00", "Design 10:31:00-on" } },
        { "escape", 10, At(7, 10, 31), 7200, std::nullopt,
            { "Design 10:00:00-13:11:00", "Design 10:31:00-on" } },
        { "stop", 10, At(7, 10, 31), 7200, TAwayAnswer::Stop, { "Design 10:00:00-13:11:00" } },
        { "before the task's start, away question off", 0, At(7, 8, 2), 7200, TAwayAnswer::Keep,
            { "Design 10:00:00-13:11:00", "Design 08:02:00-on" } },
        { "half a minute", 10, At(7, 13, 10, 30), 7200, std::nullopt, { "Design 10:00:00-on" } },
        { "back to standard time", 10, At(7, 12, 11), 3600, std::nullopt,
            { "Design 10:00:00-on" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        options.AwayMinutes = c.awayMinutes;
        offset = 7200;
        NewCase(c.answer, At(7, 10, 0));
        log.Run(QStringLiteral("Design"), At(7, 10, 0));
        PassUntil(At(7, 13, 11), true);

        bool runningWhileAsked = true;
        question.whileOpen = [this, &runningWhileAsked] { runningWhileAsked = today.IsWorking(); };
        clock.Set(c.setTo);
        offset = c.offsetAfter;
        Pass(Step, true);
        Pass(60, true);

        QStringList expected = c.log;
        EXPECT_EQ(log.Today(), expected);
        if (expected.size() == 1 && expected[0].endsWith(u"-on"_qs)) {
            EXPECT_TRUE(question.asked.empty());
            continue;
        }
        ASSERT_EQ(question.asked.size(), 1u);
        EXPECT_FALSE(runningWhileAsked);
        const QString to = FormatDateTime(u"hh:mm"_qs, c.setTo);
        EXPECT_EQ(question.asked[0].text,
            u"The clock was set back from 13:11 to %1 while \"Design\" was running. Its time "
            u"until 13:11 is kept."_qs.arg(to));
        EXPECT_EQ(question.asked[0].keep, u"Keep running"_qs);
        EXPECT_TRUE(question.asked[0].recordBreak.isEmpty());
        EXPECT_EQ(question.asked[0].stop, u"Stop at 13:11"_qs);
        EXPECT_FALSE(away.HasClockSetBack());
    }
}

// While another dialog is open the question waits, and so does the day
// change; further absences meanwhile join the waiting one.
TEST_F(AwayTest, WaitsForAnotherDialog)
{
    clock.Set(At(7, 22, 0));
    log.Reset();
    away.Start();
    log.Run(QStringLiteral("Report"), At(7, 22, 0));
    question.canAsk = false;
    question.answers.push_back(TAwayAnswer::Stop);

    PassUntil(At(7, 23, 0), true);
    Lock(true);
    PassUntil(At(7, 23, 30));
    idle.Input();
    Lock(false);
    PassUntil(At(7, 23, 35), true);
    Lock(true);
    PassUntil(At(8, 0, 10));
    idle.Input();
    Lock(false);
    PassUntil(At(8, 0, 40), true);
    EXPECT_TRUE(question.asked.empty());
    EXPECT_TRUE(log.files.empty()) << "the day changed under a waiting question";
    EXPECT_EQ(DateTimeToText(away.PendingStart()), u"2022-01-07 23:00:00"_qs);
    EXPECT_EQ(DateTimeToText(away.PendingEnd()), u"2022-01-08 00:10:00"_qs);

    question.canAsk = true; // the dialog closed
    Pass(Step, true);
    ASSERT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(question.asked[0].text,
        u"You were away from 07/01/2022 23:00 to 00:10 (1:10) while \"Report\" was running."_qs);
    // Stopped on the day before: that day goes to its file, today is empty.
    EXPECT_EQ(log.File(At(7, 0, 0)), QStringList { u"Report 22:00:00-23:00:00"_qs });
    EXPECT_EQ(log.Today(), QStringList());
    EXPECT_FALSE(today.IsWorking());
}

// The texts come from the application texts at the moment of asking, so a
// language file translates them; the title goes in as it is.
TEST_F(AwayTest, Texts_FromTheApplicationTexts)
{
    TAppTextsScope finnish;
    finnish.Texts().str_away_question = u"Poissa %1–%2 (%3): %4"_qs;
    finnish.Texts().str_away_stop = u"Lopeta %1"_qs;
    log.Run(QStringLiteral("100% %1 done"), At(7, 11, 0));
    Lock(true);
    PassUntil(At(7, 11, 30));
    idle.Input();
    Lock(false);
    ASSERT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(question.asked[0].text, u"Poissa 11:00–11:30 (0:30): 100% %1 done"_qs);
    EXPECT_EQ(question.asked[0].stop, u"Lopeta 11:00"_qs);
}

} // namespace
} // namespace ryv
