#pragma once

// The object graph of the engine as the entry point builds it, with the ports
// faked and a clock set by hand: the options on a data folder, the
// favourites and recent lists, the two day lists, the list store and the
// engine. Tests (and benchmarks) build it here once instead of each their
// own; a second world on the same folder is the next start of the program.

#include "core/clock.h"
#include "core/daylist.h"
#include "core/fakeports.h"
#include "core/liststore.h"
#include "core/modalcount.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "tracking/tracker.h"

namespace ryv {

class TTrackerWorld {
public:
    explicit TTrackerWorld(const QString& folder, TDateTime now = 0)
        : clock(now)
        , options(folder)
    {
    }
    TTrackerWorld(const TTrackerWorld&) = delete;
    TTrackerWorld& operator=(const TTrackerWorld&) = delete;

    TManualClock clock;
    TRyvOptions options;
    TRyvItemList favs;
    TRyvItemList recent;
    TDayList today { TDayListRole::Today, options, clock };
    TDayList history { TDayListRole::History, options, clock };
    TListStore store { today, history, favs, recent, options, clock };
    TFakeDialog dialog;
    TFakeMessages messages;
    TFakeClipboard clipboard;
    TFakeShell shell;
    TModalCount modals;
    TTracker tracker { options, favs, recent, today, history, store,
        TTrackerPorts { clock, dialog, messages, clipboard, shell, modals } };
};

} // namespace ryv
