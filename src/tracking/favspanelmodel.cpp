#include "tracking/favspanelmodel.h"

#include "core/liststore.h"
#include "core/ryvoptions.h"
#include "tracking/trackercontext.h"

#include <algorithm>
#include <memory>

namespace ryv {

TFavsPanelModel::TFavsPanelModel(TTrackerContext& ctx)
    : FCtx(ctx)
{
}

const TRyvItem* TFavsPanelModel::ItemAt(int row) const
{
    return MutableItemAt(row);
}

TRyvItem* TFavsPanelModel::MutableItemAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(FRows.size()))
        return nullptr;
    const TFavsRow& r = FRows[static_cast<size_t>(row)];
    // The task dialog changes the lists at once, while the rows follow only
    // at the next rebuild (the window may evaluate the rules meanwhile): a row
    // whose item has left its list carries nothing.
    return (r.recent ? FCtx.recent : FCtx.favs).ItemById(r.id);
}

bool TFavsPanelModel::IsRecent(int row) const
{
    return ItemAt(row) && FRows[static_cast<size_t>(row)].recent;
}

void TFavsPanelModel::Build()
{
    // Every change of the favourites or the recent list rebuilds the rows:
    // the two files are written a few seconds later.
    FCtx.store.SaveWorkspace(false);
    FRows.clear();
    for (int i = 0; i < FCtx.favs.Count(); ++i)
        FRows.push_back({ FCtx.favs.IdAt(i), false });
    if (!FCtx.recent.IsEmpty())
        FRows.push_back({ 0, false });
    for (int i = FCtx.recent.Count() - 1; i >= 0; --i)
        FRows.push_back({ FCtx.recent.IdAt(i), true });
}

void TFavsPanelModel::Show(int row)
{
    FCtx.events.favsPanelChanged();
    if (!FRows.empty())
        FCtx.events.rowSelected(
            TListKind::Favs, std::clamp(row, 0, static_cast<int>(FRows.size()) - 1));
}

void TFavsPanelModel::Refresh(int selectedRow)
{
    // The selected row's item is found again by its id; when it is gone, the
    // first row is selected.
    const bool known = ItemAt(selectedRow) != nullptr;
    const TFavsRow remembered = known ? FRows[static_cast<size_t>(selectedRow)] : TFavsRow {};
    Build();
    const auto found = std::find_if(FRows.begin(), FRows.end(), [&](const TFavsRow& r) {
        return known && r.id == remembered.id && r.recent == remembered.recent;
    });
    Show(found == FRows.end() ? 0 : static_cast<int>(found - FRows.begin()));
}

void TFavsPanelModel::AfterDialog(int selectedRow)
{
    if (!FCtx.options.StateFavsChanged)
        return;
    FCtx.options.StateFavsChanged = false;
    Refresh(selectedRow);
}

void TFavsPanelModel::RememberRecent(const TRyvItem& entry, int selectedRow)
{
    TRyvItemList& recent = FCtx.recent;
    const int found = recent.FindItem(entry.title, entry.url);
    if (found >= 0)
        recent.Delete(found);
    auto item = std::make_unique<TRyvItem>();
    item->title = entry.title;
    item->url = entry.url;
    item->descr = entry.descr;
    recent.Add(std::move(item));
    if (recent.Count() > FCtx.options.RecentMaxCnt)
        recent.Delete(0);
    Refresh(selectedRow);
}

void TFavsPanelModel::Delete(int row)
{
    const int rows = static_cast<int>(FRows.size());
    // The row after, which moves up into this place, or else the one before.
    const int next = row + 1 < rows ? row : row - 1;
    // Remove this very item: with equal items (possible from the files) the
    // first match need not be the row's own.
    const TFavsRow& r = FRows[static_cast<size_t>(row)];
    TRyvItemList& list = r.recent ? FCtx.recent : FCtx.favs;
    list.Delete(list.IndexOfId(r.id));
    Build();
    if (next >= 0)
        Show(next);
    else
        FCtx.events.favsPanelChanged();
}

void TFavsPanelModel::MoveUp(int row)
{
    if (row <= 0)
        return; // the first favourite
    FCtx.favs.Move(row, row - 1);
    Build();
    Show(row - 1);
}

void TFavsPanelModel::MoveDown(int row)
{
    if (!ItemAt(row + 1) || IsRecent(row + 1))
        return; // the last favourite
    FCtx.favs.Move(row, row + 1);
    Build();
    Show(row + 1);
}

void TFavsPanelModel::Edit(int row)
{
    TRyvItem edited = *ItemAt(row);
    const bool ok = FCtx.RunDialog(edited, TCommand::acEdit2, false, false, nullptr, false);
    // The dialog's favourite button may have removed the item meanwhile: the
    // row finds it by its id, never by an address that may have been reused.
    TRyvItem* item = MutableItemAt(row);
    if (ok && item) {
        item->title = edited.title;
        item->url = edited.url;
        item->descr = edited.descr;
        item->state = edited.state;
    }
    if (ok || FCtx.options.StateFavsChanged) {
        FCtx.options.StateFavsChanged = false;
        Refresh(item ? row : -1);
    }
}

void TFavsPanelModel::Drop(const TRyvItem& entry)
{
    const int index = FCtx.favs.AddOrUpdate(entry.title, entry.url, entry.descr);
    Build();
    Show(index); // a favourite's row index is its index in the list
}

} // namespace ryv
