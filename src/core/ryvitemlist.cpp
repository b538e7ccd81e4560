#include "core/ryvitemlist.h"

#include <algorithm>

namespace ryv {

bool TRyvItemList::SameText(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

int TRyvItemList::Add(std::unique_ptr<TRyvItem> item)
{
    Insert(Count(), std::move(item));
    return Count() - 1;
}

void TRyvItemList::Insert(int i, std::unique_ptr<TRyvItem> item)
{
    FItems.insert(FItems.begin() + i, TEntry { std::move(item), FNextId++ });
}

void TRyvItemList::Delete(int i)
{
    FItems.erase(FItems.begin() + i);
}

std::unique_ptr<TRyvItem> TRyvItemList::Take(int i)
{
    std::unique_ptr<TRyvItem> item = std::move(FItems.at(static_cast<size_t>(i)).item);
    FItems.erase(FItems.begin() + i);
    return item;
}

void TRyvItemList::Move(int from, int to)
{
    if (from == to)
        return;
    TEntry entry = std::move(FItems.at(static_cast<size_t>(from)));
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, std::move(entry));
}

void TRyvItemList::Clear()
{
    FItems.clear();
}

int TRyvItemList::IndexOf(const TRyvItem* item) const
{
    const auto it = std::find_if(
        FItems.begin(), FItems.end(), [item](const TEntry& e) { return e.item.get() == item; });
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TRyvItemList::IndexOfId(TItemId id) const
{
    if (id == 0)
        return -1;
    const auto it
        = std::find_if(FItems.begin(), FItems.end(), [id](const TEntry& e) { return e.id == id; });
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TRyvItem* TRyvItemList::ItemById(TItemId id) const
{
    const int i = IndexOfId(id);
    return i < 0 ? nullptr : Item(i);
}

int TRyvItemList::FindItem(const QString& title, const QString& url) const
{
    if (url.isEmpty() && title.isEmpty())
        return -1;
    for (int i = 0; i < Count(); ++i) {
        const TRyvItem& e = *Item(i);
        if (url.isEmpty() ? SameText(e.title, title) : SameText(e.url, url))
            return i;
    }
    return -1;
}

int TRyvItemList::AddOrUpdate(const QString& title, const QString& url, const QString& descr)
{
    int i = FindItem(title, url);
    if (i < 0)
        i = Add(std::make_unique<TRyvItem>());
    TRyvItem& e = *Item(i);
    e.title = title;
    e.url = url;
    e.descr = descr;
    return i;
}

TRyvItem* TRyvItemList::AddIfMissing(std::unique_ptr<TRyvItem> item)
{
    TRyvItem* raw = item.get();
    if (!raw)
        return nullptr;
    if (IndexOf(raw) >= 0) {
        // Already owned here: dropping our pointer without freeing it.
        (void)item.release();
        return raw;
    }
    Add(std::move(item));
    return raw;
}

bool TRyvItemList::RemoveItem(const QString& title, const QString& url)
{
    const int i = FindItem(title, url);
    if (i < 0)
        return false;
    Delete(i);
    return true;
}

} // namespace ryv
