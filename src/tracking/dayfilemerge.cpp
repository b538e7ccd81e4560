#include "tracking/dayfilemerge.h"

#include "core/apptexts.h"
#include "core/listfiles.h"

#include <QDir>

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

// The whole text of the day file: entries merged with existing.
QString MergedText(const std::vector<const TRyvItem*>& entries, const TEntries& existing)
{
    std::set<TEntryKey> written;
    for (const TRyvItem* e : entries)
        written.insert(EntryKey(*e));
    std::vector<const TRyvItem*> merged(entries.begin(), entries.end());
    for (const auto& e : existing)
        if (written.count(EntryKey(*e)) == 0)
            merged.push_back(e.get());
    std::stable_sort(merged.begin(), merged.end(),
        [](const TRyvItem* a, const TRyvItem* b) { return a->start < b->start; });
    return DayFileText(merged);
}

} // namespace

TDaysWritten WriteDaysMerged(
    const TRyvOptions& options, const std::vector<TDayEntries>& days, TDateTime now)
{
    TDaysWritten result;
    result.written.assign(days.size(), false);
    std::vector<TDayFileText> files;
    std::vector<size_t> dayOfFile; // index into days, for each file
    files.reserve(days.size());
    dayOfFile.reserve(days.size());
    for (size_t i = 0; i < days.size(); ++i) {
        const QString path = DayFilePath(options, days[i].day);
        TEntries existing;
        if (ListFileHasContent(path)) {
            const bool read = ReadDayFile(
                path, [](const TRyvItem& e) { return EndOfDayOf(e.start); }, existing);
            if (!read) {
                existing.clear();
                QString error;
                const QString aside = SetAsideUnreadFile(path, now, &error);
                if (aside.isEmpty()) {
                    result.failures << AppTexts().str_file_cannotsetaside.arg(
                        QDir::toNativeSeparators(path), error);
                    continue;
                }
                result.notices << AppTexts().str_file_setaside.arg(
                    QDir::toNativeSeparators(path), QDir::toNativeSeparators(aside));
            }
        }
        files.push_back({ path, MergedText(days[i].entries, existing) });
        dayOfFile.push_back(i);
    }
    std::vector<QString> errors;
    WriteDayFileTexts(files, &errors);
    for (size_t f = 0; f < files.size(); ++f) {
        if (errors[f].isEmpty())
            result.written[dayOfFile[f]] = true;
        else
            result.failures << errors[f];
    }
    return result;
}

} // namespace ryv
