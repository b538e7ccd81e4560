#include "tracking/awaytracker.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/durationtext.h"
#include "core/ryvoptions.h"

#include <QPointer>

#include <algorithm>
#include <cmath>

namespace ryv {

namespace {

qint64 SpanMs(TDateTime from, TDateTime to)
{
    return std::llround((to - from) * MsPerDay);
}

// A time of the question: hh:mm, with its date when it lies on another day
// than the one it is compared with.
QString QuestionTime(TDateTime t, TDateTime other)
{
    const QString time = FormatDateTime(QStringLiteral("hh:mm"), t);
    return DayOf(t) == DayOf(other) ? time : ShortDateText(t) + QLatin1Char(' ') + time;
}

} // namespace

TAwayTracker::TAwayTracker(const TRyvOptions& options, const TClock& clock, IAwayLog& log,
    IAwayQuestion& question, QObject* parent)
    : QObject(parent)
    , FOptions(options)
    , FClock(clock)
    , FLog(log)
    , FQuestion(question)
{
    tmrAway.setInterval(TickInterval);
    connect(&tmrAway, &QTimer::timeout, this, &TAwayTracker::tmrAwayTimer);
    tmrAsk.setInterval(0);
    tmrAsk.setSingleShot(true);
    connect(&tmrAsk, &QTimer::timeout, this, &TAwayTracker::tmrAskTimer);
    tmrSleepGuard.setInterval(SleepGuardInterval);
    tmrSleepGuard.setSingleShot(true);
    connect(&tmrSleepGuard, &QTimer::timeout, this, &TAwayTracker::tmrSleepGuardTimer);
}

TAwayTracker::~TAwayTracker() = default;

void TAwayTracker::SetUtcOffset(std::function<int()> offsetSeconds)
{
    FUtcOffset = std::move(offsetSeconds);
    if (FUtcOffset)
        FLastOffset = FUtcOffset();
}

bool TAwayTracker::Enabled() const
{
    return FOptions.AwayMinutes > 0;
}

qint64 TAwayTracker::ThresholdMs() const
{
    return qint64(FOptions.AwayMinutes) * 60000;
}

TDateTime TAwayTracker::Now() const
{
    return FClock.Now();
}

void TAwayTracker::Start()
{
    FSeen = false;
    Poll();
    tmrAway.start();
}

void TAwayTracker::Reset()
{
    FLocked = false;
    FSleeping = false;
    FIdleAway = false;
    FAwayStart.reset();
    FAwayEnd = 0;
    tmrSleepGuard.stop();
    // An open question stays open; its answer still applies.
    if (!FAnswering)
        FPending.reset();
}

void TAwayTracker::BeginAway(TDateTime t)
{
    if (!FAwayStart) {
        FAwayStart = t;
        FAwayEnd = t;
    } else {
        FAwayStart = std::min(*FAwayStart, t);
    }
}

void TAwayTracker::EndAwayAt(TDateTime t)
{
    if (FAwayStart)
        FAwayEnd = std::max(FAwayEnd, t);
}

void TAwayTracker::Poll()
{
    const TDateTime now = Now();
    // The time since the last observation; a change of the UTC offset
    // (daylight saving time) moves the wall clock but is no time.
    const bool seen = FSeen;
    const TDateTime lastSeen = FLastSeen;
    qint64 gap = seen ? SpanMs(lastSeen, now) : 0;
    if (FUtcOffset) {
        const int offset = FUtcOffset();
        if (seen)
            gap -= qint64(offset - FLastOffset) * 1000;
        FLastOffset = offset;
    }
    FSeen = true;
    FLastSeen = now;
    if (seen && gap < -qint64(BackJumpThreshold))
        ClockSetBack(lastSeen, now);

    if (!Enabled()) {
        Reset();
        FLastInput = 0;
        return;
    }

    // Timers stand still while the computer sleeps, the wall clock does not:
    // a gap between two observations that the tick cannot explain is a sleep
    // that began after the last observation. The own tick must be running,
    // or every slow caller would look like a jump.
    if (seen && gap > JumpThreshold && tmrAway.isActive()) {
        BeginAway(lastSeen);
        EndAwayAt(now);
        // Waking up ends a reported sleep, whether or not its end is
        // reported too.
        FSleeping = false;
        tmrSleepGuard.stop();
    }

    FLastInput = 0;
    const qint64 idleMs = FIdle ? FIdle->IdleMs() : -1;
    if (idleMs >= 0) {
        FLastInput = now - double(idleMs) / MsPerDay;
        if (idleMs >= ThresholdMs()) {
            FIdleAway = true;
            BeginAway(FLastInput);
        } else if (FIdleAway) {
            FIdleAway = false;
            EndAwayAt(FLastInput);
        } else if (FAwayStart) {
            // Locked or asleep: the user left at their last input, which may
            // be well before the lock.
            FAwayStart = std::min(*FAwayStart, FLastInput);
        }
    } else if (FIdleAway) {
        // The idle source went away; its part of the absence ends here.
        FIdleAway = false;
        EndAwayAt(now);
    }
    FinishIfBack();
    UpdateOpenQuestion();
}

void TAwayTracker::ScreenLockChanged(bool locked)
{
    Poll();
    if (!Enabled() || locked == FLocked)
        return;
    FLocked = locked;
    if (locked) {
        BeginAway(Now());
    } else {
        EndAwayAt(Now());
        FinishIfBack();
    }
}

void TAwayTracker::SleepChanged(bool sleeping)
{
    // A signal delivered only after the wake-up finds the jump here first.
    Poll();
    if (!Enabled() || sleeping == FSleeping)
        return;
    FSleeping = sleeping;
    if (sleeping) {
        BeginAway(Now());
        tmrSleepGuard.start();
    } else {
        tmrSleepGuard.stop();
        EndAwayAt(Now());
        FinishIfBack();
    }
}

void TAwayTracker::tmrSleepGuardTimer()
{
    if (!FSleeping)
        return;
    FSleeping = false;
    EndAwayAt(Now());
    FinishIfBack();
}

void TAwayTracker::FinishIfBack()
{
    if (!FAwayStart || FLocked || FSleeping || FIdleAway)
        return;
    const TSpan span { *FAwayStart, std::max(FAwayEnd, *FAwayStart) };
    FAwayStart.reset();
    FAwayEnd = 0;
    Finished(span);
}

std::optional<TAwayTracker::TSpan> TAwayTracker::Effective(
    const TSpan& span, const TRyvItem& task) const
{
    // Only the time the task ran counts; a task started after the user came
    // back leaves nothing.
    const TDateTime start = std::max(span.start, task.start);
    if (SpanMs(start, span.end) < ThresholdMs())
        return std::nullopt;
    // The log works in whole minutes, like the start of a task.
    TSpan result { std::max(TruncToMinute(start), task.start), TruncToMinute(span.end) };
    if (result.end <= result.start)
        return std::nullopt;
    return result;
}

void TAwayTracker::Finished(TSpan span)
{
    const std::optional<TRyvItem> task = FLog.RunningTask();
    if (!task || !Effective(span, *task))
        return;
    if (FPending) {
        // Never two questions: this absence extends the one asked about.
        FPending->start = std::min(FPending->start, span.start);
        FPending->end = std::max(FPending->end, span.end);
    } else {
        FPending = span;
    }
    if (FQuestionOpen)
        UpdateOpenQuestion();
    else if (!FAnswering)
        tmrAsk.start();
}

std::optional<TAwayTracker::TSpan> TAwayTracker::GoingOn() const
{
    if (!FAwayStart)
        return std::nullopt;
    const TDateTime now = Now();
    if (SpanMs(*FAwayStart, now) < ThresholdMs())
        return std::nullopt;
    return TSpan { *FAwayStart, now };
}

TAwayTracker::TSpan TAwayTracker::Widened(const TSpan& pending) const
{
    TSpan span = pending;
    if (const auto going = GoingOn()) {
        span.start = std::min(span.start, going->start);
        span.end = std::max(span.end, going->end);
    }
    return span;
}

void TAwayTracker::UpdateOpenQuestion()
{
    if (!FQuestionOpen || !FPending)
        return;
    const std::optional<TRyvItem> task = FLog.RunningTask();
    if (!task)
        return;
    const auto effective = Effective(Widened(*FPending), *task);
    if (!effective)
        return;
    TAwayQuestionTexts texts = Texts(*effective, *task);
    if (texts == FShown)
        return;
    FShown = std::move(texts);
    FQuestion.Update(FShown);
}

TAwayQuestionTexts TAwayTracker::Texts(const TSpan& span, const TRyvItem& task) const
{
    const QString from = QuestionTime(span.start, span.end);
    const QString to = QuestionTime(span.end, Now());
    const TAppTexts& texts = AppTexts();
    return {
        texts.str_away_question.arg(from, to, DurationText(span.end - span.start), task.title),
        texts.str_away_keep,
        texts.str_away_break,
        texts.str_away_stop.arg(from),
    };
}

void TAwayTracker::tmrAwayTimer()
{
    Poll();
    AskPending();
}

void TAwayTracker::tmrAskTimer()
{
    AskPending();
}

void TAwayTracker::ClockSetBack(TDateTime was, TDateTime now)
{
    // Times taken before the jump cannot be compared with those after it:
    // an absence going on counts from now, one waiting for its question is
    // dropped. An open question keeps its answer, which applies only while
    // a task runs.
    if (FAwayStart) {
        FAwayStart = now;
        FAwayEnd = now;
    }
    if (!FAnswering)
        FPending.reset();
    const std::optional<TRyvItem> task = FLog.RunningTask();
    if (!task)
        return;
    const TDateTime at = TruncToMinute(now);
    if (task->start >= was) {
        // Started after the clock was last seen: the task had no time of
        // its own before the jump and simply runs from the new time.
        FLog.BreakBeforeRunning({}, at);
        return;
    }
    FLog.StopRunningAt(was);
    FClockBack = TClockBack { was, at, *task };
    if (!FAnswering)
        tmrAsk.start();
}

TAwayQuestionTexts TAwayTracker::ClockBackTexts(const TClockBack& jump) const
{
    const QString from = QuestionTime(jump.was, jump.at);
    const QString to = QuestionTime(jump.at, jump.was);
    const TAppTexts& texts = AppTexts();
    return {
        texts.str_clockback_question.arg(from, to, jump.task.title),
        texts.str_clockback_keep,
        QString(),
        texts.str_away_stop.arg(from),
    };
}

void TAwayTracker::AskClockBack()
{
    if (!FClockBack || FAnswering)
        return;
    // A task runs again (an entry was edited so that it could start): the
    // question has nothing left to decide.
    if (FLog.RunningTask()) {
        FClockBack.reset();
        return;
    }
    if (!FQuestion.CanAsk())
        return; // the next tick asks again

    FAnswering = true;
    FClockQuestionOpen = true;
    const QPointer<TAwayTracker> alive(this);
    const TAwayAnswer answer = FQuestion.Ask(ClockBackTexts(*FClockBack));
    if (!alive)
        return;
    FClockQuestionOpen = false;
    const TClockBack jump = *FClockBack;
    FClockBack.reset();
    // Keep, also Escape and closing: the task runs on from the new time,
    // the time after the jump included.
    if (answer != TAwayAnswer::Stop && !FLog.RunningTask())
        FLog.StartAgainAt(jump.task, jump.at);
    FAnswering = false;
    if (FPending)
        tmrAsk.start();
}

void TAwayTracker::AskPending()
{
    // One question at a time, the clock's first.
    AskClockBack();
    if (!FPending || FAnswering || FClockBack)
        return;
    std::optional<TRyvItem> task = FLog.RunningTask();
    if (!Enabled() || !task || !Effective(*FPending, *task)) {
        FPending.reset();
        return;
    }
    if (!FQuestion.CanAsk())
        return; // the next tick asks again

    FAnswering = true;
    FQuestionOpen = true;
    FShown = Texts(*Effective(*FPending, *task), *task);
    const QPointer<TAwayTracker> alive(this);
    const TAwayAnswer answer = FQuestion.Ask(FShown);
    if (!alive)
        return;
    FQuestionOpen = false;
    // The answer is the user's input: an idle stretch that went on under the
    // question ends now and, if long enough, still extends it.
    Poll();
    if (!FPending) {
        FAnswering = false;
        if (FClockBack)
            tmrAsk.start();
        return;
    }
    // An absence still going on was shown up to now, so the answer covers
    // it; what goes on after the answer is a new absence.
    const TSpan span = Widened(*FPending);
    if (GoingOn()) {
        FAwayStart = Now();
        FAwayEnd = Now();
    }
    FPending.reset();
    // The running task may have changed while the question was open (the
    // tray starts and stops tasks): the answer applies only to what still
    // runs, and only while it still covers the absence.
    task = FLog.RunningTask();
    if (task) {
        if (const auto effective = Effective(span, *task))
            Apply(answer, *effective, *task);
    }
    FAnswering = false;
    if (FClockBack)
        tmrAsk.start();
}

void TAwayTracker::Apply(TAwayAnswer answer, const TSpan& span, const TRyvItem& task)
{
    switch (answer) {
    case TAwayAnswer::Keep:
        break;
    case TAwayAnswer::Stop:
        FLog.StopRunningAt(span.start);
        // Nothing runs now, so no later day change moves the days before
        // today out of the log; the task may have begun on one of them even
        // when the absence did not (the day change waited for the answer).
        if (DayOf(task.start) < DayOf(Now()))
            FLog.MoveEarlierDays();
        break;
    case TAwayAnswer::Break: {
        // A break never crosses midnight: the first day's part ends with its
        // day, the last day's part begins at its midnight, and the days in
        // between get none, as a task running through them gets none.
        std::vector<std::pair<TDateTime, TDateTime>> breaks;
        if (DayOf(span.start) == DayOf(span.end)) {
            breaks.emplace_back(span.start, span.end);
        } else {
            breaks.emplace_back(span.start, EndOfDayOf(span.start));
            if (span.end > MidnightOf(span.end))
                breaks.emplace_back(MidnightOf(span.end), span.end);
        }
        // Away from the task's first minute on, stopping it would leave an
        // entry without any length: the break goes before it instead.
        if (span.start <= task.start) {
            FLog.BreakBeforeRunning(breaks, span.end);
            break;
        }
        FLog.StopRunningAt(span.start);
        for (const auto& [start, stop] : breaks)
            FLog.AppendBreak(start, stop);
        FLog.StartAgainAt(task, span.end);
        break;
    }
    }
}

bool TAwayTracker::HoldsDayChange()
{
    if (!Enabled())
        return false;
    Poll();
    if (!FLog.RunningTask())
        return false;
    if (FAnswering || FPending || FAwayStart)
        return true;
    // The user's last input was before midnight: if this idle stretch grows
    // into an absence, its answer needs the task still whole.
    return FLastInput > 0 && DayOf(FLastInput) < DayOf(Now());
}

} // namespace ryv
