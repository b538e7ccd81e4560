#include "tracking/dayfilemerge.h"

#include "core/apptexts.h"

#include "core/listfiles.h"

#include <QFileInfo>

#include <algorithm>
#include <set>
#include <tuple>

namespace ryv {

namespace {

// The same entry written again: the kind, the start (to the second, as the
// file stores it) and the texts that name the task. An entry of another task
// that merely starts at the same moment (one added to the day through the
// history, say) is a different entry and stays.
using TEntryKey = std::tuple<int, QString, QString, QString>;

TEntryKey EntryKey(const TRyvItem& e)
{
    return { static_cast<int>(e.kind), DateTimeToText(e.start), e.title, e.url };
}

} // namespace

bool WriteDayEntriesMerged(const TRyvOptions& options, TDateTime day,
    const std::vector<const TRyvItem*>& entries, QString* errorText)
{
    const QString path = DayFilePath(options, day);
    TEntries existing;
    const QFileInfo info(path);
    if (info.exists() && info.size() > 0) {
        QString reason;
        if (!ReadDayFile(
                path, [](const TRyvItem& e) { return EndOfDayOf(e.start); }, existing, &reason)) {
            if (errorText)
                *errorText = reason.isEmpty() ? AppTexts().str_file_unreadable.arg(path) : reason;
            return false;
        }
    }

    std::set<TEntryKey> written;
    for (const TRyvItem* e : entries)
        written.insert(EntryKey(*e));

    std::vector<const TRyvItem*> merged(entries.begin(), entries.end());
    for (const auto& e : existing)
        if (written.count(EntryKey(*e)) == 0)
            merged.push_back(e.get());
    std::stable_sort(merged.begin(), merged.end(),
        [](const TRyvItem* a, const TRyvItem* b) { return a->start < b->start; });
    return WriteDayFile(path, merged, nullptr, errorText);
}

} // namespace ryv
