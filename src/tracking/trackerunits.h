#pragma once

// The units of the engine, built together on one context. Only TTracker and
// the command table (commandrules.h) see them; everything else goes through
// TTracker.

#include "tracking/awaylog.h"
#include "tracking/daychange.h"
#include "tracking/entryedits.h"
#include "tracking/entrytiming.h"
#include "tracking/favspanelmodel.h"
#include "tracking/historydays.h"
#include "tracking/runningtask.h"
#include "tracking/trackercontext.h"

namespace ryv {

struct TTrackerUnits final {
    template <class... TArgs>
    explicit TTrackerUnits(TArgs&&... contextArgs)
        : ctx(std::forward<TArgs>(contextArgs)...)
    {
    }
    TTrackerUnits(const TTrackerUnits&) = delete;
    TTrackerUnits& operator=(const TTrackerUnits&) = delete;

    // In the order of their dependencies: each unit keeps references to the
    // ones before it.
    TTrackerContext ctx;
    TFavsPanelModel favsPanel { ctx };
    TRunningTask running { ctx, favsPanel };
    TDayChange dayChange { ctx };
    TEntryEdits edits { ctx, running, favsPanel, dayChange };
    TEntryTiming timing { ctx };
    THistoryDays historyDays { ctx };
    TAwayLog awayLog { ctx, dayChange };
};

} // namespace ryv
