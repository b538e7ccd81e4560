#pragma once

#include "core/ryvitem.h"

#include <QString>

#include <memory>
#include <vector>

namespace ryv {

// Identifies an entry of one TRyvItemList for as long as it stays there; 0
// is no entry.
using TItemId = quint64;

// An ordered list that owns its entries: the favourites and the recent list.
// Removing an entry frees it. Every entry that enters the list gets an id
// that the list never gives again, not even after the entry is gone; a
// reference that outlives a change of the list (a row of the favourites
// panel, across a modal dialog) keeps the id and finds the entry by it,
// because the address of a freed entry may be reused by the next one.
//
// Titles and links are matched without regard to case for every letter (not
// only ASCII), because users type "Résumé" and "RÉSUMÉ" alike.
class TRyvItemList final {
public:
    TRyvItemList() = default;
    TRyvItemList(const TRyvItemList&) = delete;
    TRyvItemList& operator=(const TRyvItemList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }
    // The entry at index i (0 <= i < Count()); the list keeps owning it.
    TRyvItem* Item(int i) const { return FItems.at(static_cast<size_t>(i)).item.get(); }
    TItemId IdAt(int i) const { return FItems.at(static_cast<size_t>(i)).id; }
    // The index of the entry with this id, -1 when it has left the list.
    int IndexOfId(TItemId id) const;
    // The entry with this id, nullptr when it has left the list.
    TRyvItem* ItemById(TItemId id) const;

    // Appends item and returns its index.
    int Add(std::unique_ptr<TRyvItem> item);
    // Inserts item before index i (0 <= i <= Count()).
    void Insert(int i, std::unique_ptr<TRyvItem> item);
    // Removes and frees the entry at index i.
    void Delete(int i);
    // Removes the entry at index i and hands it to the caller.
    std::unique_ptr<TRyvItem> Take(int i);
    // Moves the entry at index from so that it ends up at index to; it keeps
    // its id.
    void Move(int from, int to);
    void Clear();
    // Index of this very object, -1 if it is not in the list.
    int IndexOf(const TRyvItem* item) const;

    // With a link: the first entry with that link (case-insensitive), -1 if
    // none, even when an entry has the same title. Without a link: the first
    // entry with that title (case-insensitive); -1 for an empty title.
    int FindItem(const QString& title, const QString& url) const;
    // Finds the entry as FindItem does, or appends a cleared one, then sets
    // its three texts; returns its index.
    int AddOrUpdate(const QString& title, const QString& url, const QString& descr);
    // Appends item unless this very object is already in the list (then the
    // list already owns it and the pointer is only released). Returns the
    // entry either way.
    TRyvItem* AddIfMissing(std::unique_ptr<TRyvItem> item);
    // Removes and frees the entry FindItem finds, if any; true if one was removed.
    bool RemoveItem(const QString& title, const QString& url);

    // Case-insensitive for all letters; the one comparison the lists use.
    static bool SameText(const QString& a, const QString& b);

private:
    struct TEntry {
        std::unique_ptr<TRyvItem> item;
        TItemId id = 0;
    };

    TItemId FNextId = 1;
    std::vector<TEntry> FItems;
};

} // namespace ryv
