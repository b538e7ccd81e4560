#pragma once

// The small interfaces through which the away rules (TAwayTracker) meet
// today's log, the user and the desktop. The tracker implements the log, the
// window the question and the platform layer the idle time; tests give
// fakes.

#include "core/datetime.h"
#include "core/ryvitem.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>
#include <vector>

namespace ryv {

// The edits of today's log that the answers make. Each is a plain change of
// the log; batching, saving and redrawing are the implementation's.
class IAwayLog {
public:
    virtual ~IAwayLog() = default;
    // A copy of the running task (its start, title, url and descr), or
    // nothing while no task runs.
    virtual std::optional<TRyvItem> RunningTask() const = 0;
    // The running task ends at `at` (not earlier than its start) and no task
    // runs any more. A task that then crosses midnight (it began before the
    // day change that waited for the answer) is split there.
    virtual void StopRunningAt(TDateTime at) = 0;
    // Appends a break from start to stop; both lie on the same day, which may
    // be a day before today while the day change waits for the question.
    virtual void AppendBreak(TDateTime start, TDateTime stop) = 0;
    // Appends a task with task's title, url and descr (not its done mark)
    // that runs from `at`; it becomes the running task.
    virtual void StartAgainAt(const TRyvItem& task, TDateTime at) = 0;
    // For a running task that had no time of its own before the absence:
    // the breaks (in order, each within a day) go before it and it runs on
    // from `at` without its done mark, as a task started again would: the
    // same entry, so no entry without any length is left.
    virtual void BreakBeforeRunning(
        const std::vector<std::pair<TDateTime, TDateTime>>& breaks, TDateTime at)
        = 0;
    // Moves the entries of the days before today to their day files, as the
    // day change does. Used after a task that began on an earlier day was
    // stopped, since no later day change would move them while nothing runs.
    virtual void MoveEarlierDays() = 0;
};

enum class TAwayAnswer {
    Keep, // the absence counts as work; also Escape and closing the question
    Break, // stop at the start, a break, the same task again from the end
    Stop, // the task stops when the absence began
};

// The question with its three buttons, composed from the application texts.
// The question about a clock set back has no break to record: its
// recordBreak is empty and the button does not show.
struct TAwayQuestionTexts final {
    QString text; // "You were away from 12:05 to 12:51 (0:46) while ..."
    QString keep; // "Keep as work"
    QString recordBreak; // "Record a break"
    QString stop; // "Stop at 12:05"

    bool operator==(const TAwayQuestionTexts&) const = default;
};

class IAwayQuestion {
public:
    virtual ~IAwayQuestion() = default;
    // False while another dialog of ours is open; the question then waits.
    virtual bool CanAsk() const = 0;
    // Shows the question modally and returns the answer; Escape or closing it
    // answers Keep. The event loop runs meanwhile, so Update may be called.
    virtual TAwayAnswer Ask(const TAwayQuestionTexts& texts) = 0;
    // While Ask runs: a further absence extended the one asked about (also
    // while it still goes on), and the answers now record the new times.
    virtual void Update(const TAwayQuestionTexts& texts) = 0;
};

// How long the user has not touched the keyboard or the mouse.
class IIdleTime {
public:
    virtual ~IIdleTime() = default;
    // Milliseconds since the last input, or -1 when it cannot be told (no
    // X server, no screen-saver extension, a broken connection).
    virtual qint64 IdleMs() = 0;
};

} // namespace ryv
