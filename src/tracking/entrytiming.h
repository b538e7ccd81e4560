#pragma once

// Changing times and order of the selected entry: an earlier or later start
// (by a minute or an hour), a shorter or longer end (by a minute), and moving
// it up or down. The commands serve today's log and the history day alike;
// each changes nothing when a limit is reached: no entry shrinks below zero,
// a break never becomes first or last, the running task stays last.

#include "tracking/uistate.h"

namespace ryv {

class TDayList;
class TRyvItem;
class TTrackerContext;

class TEntryTiming final {
public:
    explicit TEntryTiming(TTrackerContext& ctx);

    // The start by a minute (hour: an hour) earlier: the entry before ends
    // at the new start; a break that would vanish is taken over; the first
    // entry starts no earlier than midnight.
    void MoveBack(TListKind list, bool hour);
    // The start later, the entry before following; never at or after the stop.
    void MoveForward(TListKind list, bool hour);
    // The stop a minute earlier, the next start following; a break that
    // reaches zero goes.
    void Shorten(TListKind list);
    // The stop a minute later, the next start following; a short break after
    // it goes instead; the last entry stops at now (while it runs) or at the
    // end of its day.
    void Extend(TListKind list);
    // Exchanges the entry with the one before (after); the pair keeps its
    // span and breaks that come to touch are joined.
    void MoveUp(TListKind list);
    void MoveDown(TListKind list);

private:
    // Runs change(list, row, entry) on the selected entry within the list's
    // batch, then schedules the save of the list.
    template <class TChange> void ChangeSelected(TListKind list, TChange&& change);
    void MoveEntry(TListKind list, bool up);
    void EndChange(TDayList& list);

    TTrackerContext& FCtx;
};

} // namespace ryv
