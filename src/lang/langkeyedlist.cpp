#include "lang/langkeyedlist.h"

#include <algorithm>

namespace ryv {

namespace {

bool KeyLess(const TLangKeyedList::TEntry& entry, QStringView key)
{
    return QStringView(entry.first).compare(key) < 0;
}

} // namespace

void TLangKeyedList::Clear()
{
    FEntries.clear();
    FSorted = true;
}

void TLangKeyedList::Append(QString key, QString value)
{
    FEntries.emplace_back(std::move(key), std::move(value));
    FSorted = FEntries.size() <= 1;
}

void TLangKeyedList::Sort()
{
    if (FSorted)
        return;
    std::stable_sort(FEntries.begin(), FEntries.end(),
        [](const TEntry& a, const TEntry& b) { return a.first < b.first; });
    FSorted = true;
}

void TLangKeyedList::Put(const QString& key, QString value)
{
    Sort();
    const int at = LowerBound(key);
    if (at < Count() && FEntries[static_cast<size_t>(at)].first == key)
        FEntries[static_cast<size_t>(at)].second = std::move(value);
    else
        FEntries.insert(FEntries.begin() + at, TEntry(key, std::move(value)));
}

const QString* TLangKeyedList::Find(QStringView key) const
{
    if (!FSorted) {
        // Only reached between the reading of base files and the sort.
        for (const TEntry& entry : FEntries) {
            if (entry.first == key)
                return &entry.second;
        }
        return nullptr;
    }
    const int at = LowerBound(key);
    if (at < Count() && FEntries[static_cast<size_t>(at)].first == key)
        return &FEntries[static_cast<size_t>(at)].second;
    return nullptr;
}

int TLangKeyedList::LowerBound(QStringView key) const
{
    const auto it = std::lower_bound(FEntries.begin(), FEntries.end(), key, KeyLess);
    return static_cast<int>(it - FEntries.begin());
}

} // namespace ryv
