#pragma once

// Notices when the user was away from the computer while a task ran, and
// asks once, when they are back, what the time was.
//
// An absence is any stretch during which at least one of these held:
// - the idle time (IIdleTime) reached awayMinutes; it began at the last input;
// - the screen was locked (ScreenLockChanged);
// - the computer slept (SleepChanged, from the session manager);
// - the wall clock jumped between two ticks by more than the tick allows (a
//   sleep nobody reported): away from the tick before the jump.
// Overlapping stretches are one absence. When none holds any more and the
// absence lasted at least awayMinutes while a task ran, the question is asked
// with three answers (TAwayAnswer). awayMinutes 0 switches all of it off.
//
// One question at a time: a further absence while the question is open or
// waiting extends it, and an open question shows the times it now covers
// (an absence still going on counts up to now once it is long enough), so
// its answer records what it says. It waits while another dialog of ours is
// open (IAwayQuestion::CanAsk).
//
// A clock set back by more than a minute (by hand, or corrected by the
// network) would shorten the running task without a word: its stop would
// move back to the new time, and the next start or stop would end it there.
// So the running task ends at once where the clock stood before the jump,
// keeping the time it had, and the question asks whether it runs on from the
// new time ("Keep running", also Escape) or stays stopped there. Until the
// answer nothing runs, so no command can end the task at the earlier time.
// This holds also with the away question switched off; it is no absence. The tracker's day change
// waits too while an absence may still be answered (HoldsDayChange), so the answers edit a log
// whose running task has not yet been split at midnight; the day change that
// follows puts the earlier days into their files. A recorded break is split at
// midnight itself: it never crosses one.
//
// How the program uses it: build it with the options, the clock and the two
// ports; give it the idle source when there is one; connect the screen-lock
// and sleep sources to ScreenLockChanged and SleepChanged; call Start() once
// the log is loaded. The tracker's clock tick asks HoldsDayChange() before it
// splits the running task at midnight.

#include "core/datetime.h"
#include "tracking/awayports.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace ryv {

class TClock;
class TRyvOptions;

class TAwayTracker final : public QObject {
    Q_OBJECT
public:
    // The engine's own tick: reads the idle time, notices clock jumps and asks
    // a waiting question.
    static constexpr int TickInterval = 5000; // ms
    // A gap between two observations longer than this is a jump of the clock.
    static constexpr int JumpThreshold = 2 * TickInterval; // ms
    // The clock going back by more than this between two observations was set
    // back.
    static constexpr int BackJumpThreshold = 60000; // ms
    // A reported sleep that has not ended after this much time awake never
    // happened (the wake-up signal was lost); timers stand still in a sleep.
    static constexpr int SleepGuardInterval = 120000; // ms

    // options.AwayMinutes is read at every use, so a change applies at once.
    TAwayTracker(const TRyvOptions& options, const TClock& clock, IAwayLog& log,
        IAwayQuestion& question, QObject* parent = nullptr);
    ~TAwayTracker() override;

    // The idle source, or nullptr for none (it must outlive the engine).
    void SetIdleTime(IIdleTime* idle) { FIdle = idle; }
    // The local clock's offset from UTC in seconds; a change between two
    // observations (daylight saving time) is no jump. Without it every jump
    // counts.
    void SetUtcOffset(std::function<int()> offsetSeconds);

    // Takes the first observation and starts the tick.
    void Start();

    // --- inputs ---------------------------------------------------------------
    // The session's screen lock became active or inactive.
    void ScreenLockChanged(bool locked);
    // The computer is about to sleep (true) or woke up (false).
    void SleepChanged(bool sleeping);
    // Observes the clock and the idle time now; ends an absence when the user
    // is back and schedules the question (tmrAsk). The tracker calls it too
    // before its clock tick and before every command, so a clock set back is
    // noticed before anything is done at the new time.
    void Poll();

    // True while the running task must not be split at midnight: an absence is
    // going on, waits for its question or is being asked about, or an idle
    // stretch began before midnight and may still become one.
    bool HoldsDayChange();

    // --- state (for the window and for tests) ----------------------------------
    bool IsAway() const { return FAwayStart.has_value(); }
    bool IsAsking() const { return FQuestionOpen; }
    bool HasPending() const { return FPending.has_value(); }
    // A clock set back whose question has not been answered yet.
    bool HasClockSetBack() const { return FClockBack.has_value(); }
    // The absence waiting for or shown in the question.
    TDateTime PendingStart() const { return FPending ? FPending->start : 0; }
    TDateTime PendingEnd() const { return FPending ? FPending->end : 0; }

    // --- timers (public so tests fire them by hand) ---------------------------
    QTimer tmrAway; // TickInterval, repeating
    void tmrAwayTimer();
    QTimer tmrAsk; // 0 ms, single shot: asks outside the caller's stack
    void tmrAskTimer();
    QTimer tmrSleepGuard; // SleepGuardInterval, single shot
    void tmrSleepGuardTimer();

private:
    struct TSpan final {
        TDateTime start = 0;
        TDateTime end = 0;
    };
    // A clock set back while a task ran: the task ended at was, the time the
    // clock showed before the jump, and runs on from at if the answer keeps it.
    struct TClockBack final {
        TDateTime was = 0;
        TDateTime at = 0;
        TRyvItem task;
    };

    bool Enabled() const;
    qint64 ThresholdMs() const;
    TDateTime Now() const;
    void Reset();
    void BeginAway(TDateTime t);
    void EndAwayAt(TDateTime t);
    void FinishIfBack();
    void Finished(TSpan span);
    // The part of span that the running task covers, in whole minutes, or
    // nothing when that is shorter than awayMinutes.
    std::optional<TSpan> Effective(const TSpan& span, const TRyvItem& task) const;
    TAwayQuestionTexts Texts(const TSpan& span, const TRyvItem& task) const;
    void AskPending();
    void Apply(TAwayAnswer answer, const TSpan& span, const TRyvItem& task);
    // The absence going on, up to now, once it has lasted awayMinutes.
    std::optional<TSpan> GoingOn() const;
    // The pending absence with the one going on.
    TSpan Widened(const TSpan& pending) const;
    // Shows the open question's times as they stand now.
    void UpdateOpenQuestion();
    void ClockSetBack(TDateTime was, TDateTime now);
    TAwayQuestionTexts ClockBackTexts(const TClockBack& jump) const;
    void AskClockBack();

    const TRyvOptions& FOptions;
    const TClock& FClock;
    IAwayLog& FLog;
    IAwayQuestion& FQuestion;
    IIdleTime* FIdle = nullptr;
    std::function<int()> FUtcOffset;

    // The last observation of the clock (and its UTC offset).
    bool FSeen = false;
    TDateTime FLastSeen = 0;
    int FLastOffset = 0;
    // The last input as the idle source told it at the last observation; 0
    // when unknown.
    TDateTime FLastInput = 0;

    // What holds the absence open.
    bool FLocked = false;
    bool FSleeping = false;
    bool FIdleAway = false;
    // The absence going on: its start so far and the latest moment one of its
    // conditions ended.
    std::optional<TDateTime> FAwayStart;
    TDateTime FAwayEnd = 0;

    // The finished absence the question is about (waiting or shown).
    std::optional<TSpan> FPending;
    bool FAnswering = false; // from asking until the answer is applied
    bool FQuestionOpen = false; // while IAwayQuestion::Ask runs about FPending
    TAwayQuestionTexts FShown; // what the open question shows
    // The clock set back, until its question is answered.
    std::optional<TClockBack> FClockBack;
    bool FClockQuestionOpen = false;
};

} // namespace ryv
