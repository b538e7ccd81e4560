#pragma once

// Where Add puts a task of a given duration, in today's log (acAdd, acAddAs)
// and in the history day on show (acAddHist): one pure rule for both.

#include "core/datetime.h"

namespace ryv {

// What of the list the placement looks at: its entries that have a day
// (HasDay); the others have no place in time.
struct TAddedTaskLog final {
    bool history = false; // the history day on show, else today's log
    TDateTime day = 0; // today's log: now; the history: the day on show
    bool working = false; // today's log runs a task (its last entry)
    bool empty = true;
    TDateTime firstStart = 0; // of the first entry
    TDateTime lastStop = 0; // of the last entry
};

struct TAddedTaskPlace final {
    bool first = false; // inserted as the first row, else appended
    TDateTime start = 0;
    TDateTime stop = 0;
};

// In order:
// - an empty log: today's task ends now (truncated to the minute) and keeps
//   its duration, starting no earlier than yesterday's midnight (the caller
//   splits it at midnight); on an earlier day it starts at 07:00;
// - while a task runs (today): before the first entry, from midnight at the
//   earliest;
// - after the last entry when it fits before the limit (now, or the end of
//   the history day), an exact fit included;
// - before the first entry when it fits after midnight;
// - otherwise after the last entry up to the limit: now (after the start-time
//   rule) for today, 23:59 for the history day; a last entry that ends in the
//   future is followed with the duration, within its day, so the task never
//   ends before it starts.
// A negative duration counts as zero.
TAddedTaskPlace PlaceAddedTask(const TAddedTaskLog& log, qint64 durationMs);

} // namespace ryv
