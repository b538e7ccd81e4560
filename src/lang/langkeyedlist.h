#pragma once

#include <QString>
#include <QStringView>

#include <utility>
#include <vector>

namespace ryv {

// Pairs of an upper-cased key and a text, as a language keeps its constants,
// property entries and toolkit texts. Callers upper-case keys before they
// store or look them up, so every lookup ignores case.
//
// The list is either sorted (ordered by key, looked up by binary search) or,
// while the base files of a language are read, unsorted: Append only adds at
// the end and one Sort orders everything afterwards, which is much cheaper
// than an ordered insertion per entry. Sort is stable, so of a key that the
// base files define twice the first definition is found.
class TLangKeyedList final {
public:
    using TEntry = std::pair<QString, QString>;

    int Count() const { return static_cast<int>(FEntries.size()); }
    bool IsEmpty() const { return FEntries.empty(); }
    const TEntry& At(int index) const { return FEntries[static_cast<size_t>(index)]; }
    bool IsSorted() const { return FSorted; }

    // Empties the list; an empty list counts as sorted.
    void Clear();
    // Adds at the end (a repeated key is kept twice) and leaves the list
    // unsorted.
    void Append(QString key, QString value);
    void Sort();
    // Sorts when needed, then replaces the value of the first entry with the
    // key or inserts a new entry in order.
    void Put(const QString& key, QString value);

    // The value of the first entry with the key; nullptr when there is none.
    const QString* Find(QStringView key) const;
    // Index of the first entry whose key is not less than key (Count() when
    // none); entries beginning with a prefix follow it in order. Needs a
    // sorted list.
    int LowerBound(QStringView key) const;

private:
    std::vector<TEntry> FEntries;
    bool FSorted = true;
};

} // namespace ryv
