#pragma once

// The engine side of the favourites panel (lvFavs): its rows, the recent
// list's rule and the commands on favourites. The widget that shows the rows
// is ui/favspanel.h.

#include "core/ryvitemlist.h"
#include "tracking/uistate.h"

#include <vector>

namespace ryv {

class TTrackerContext;

// One row of the favourites panel: the id of an item of the favourites list
// or (recent) of the recent list; the separator row has id 0. A row outlives
// changes of the lists (the task dialog's favourite button changes them at
// once, the rows follow at the next FavsPanelChanged()), so it keeps the id,
// which is never given again, and never the item's address.
struct TFavsRow final {
    TItemId id = 0;
    bool recent = false;
};

class TFavsPanelModel final {
public:
    explicit TFavsPanelModel(TTrackerContext& ctx);

    // The favourites, the separator (when there are recent tasks) and the
    // recent tasks, newest first.
    const std::vector<TFavsRow>& Rows() const { return FRows; }
    // The item of a row; nullptr for the separator and for a row whose item
    // has left its list.
    const TRyvItem* ItemAt(int row) const;
    // Whether the row carries a recent task (not a favourite).
    bool IsRecent(int row) const;

    // Rebuilds the rows and reselects the row of the item selected before
    // (selectedRow, -1 for none), or else the first row.
    void Refresh(int selectedRow = -1);
    // After a task dialog: its favourite button changes the favourites at
    // once, so the rows are rebuilt when it was used, whatever the result.
    void AfterDialog(int selectedRow);
    // Records a started or added task as the newest recent one (a known task
    // moves there; the oldest beyond RecentMaxCnt goes) and rebuilds the
    // panel, keeping selectedRow's item selected.
    void RememberRecent(const TRyvItem& entry, int selectedRow = -1);

    // The commands. Each runs only when its rule in commandrules.cpp holds.
    void Delete(int row);
    void MoveUp(int row);
    void MoveDown(int row);
    void Edit(int row);
    // A task of today's log dropped onto the panel: a known favourite takes
    // its texts, otherwise it is appended.
    void Drop(const TRyvItem& entry);

private:
    TRyvItem* MutableItemAt(int row) const;
    void Build();
    void Show(int row);

    TTrackerContext& FCtx;
    std::vector<TFavsRow> FRows;
};

} // namespace ryv
