#include "tracking/dayfilemerge.h"

#include "core/listfiles.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace ryv {

namespace {

QString EntryKey(const TRyvItem& e)
{
    return QString::number(static_cast<int>(e.kind)) + QLatin1Char(';') + DateTimeToText(e.start);
}

} // namespace

bool WriteDayEntriesMerged(const TRyvOptions& options, TDateTime day,
    const std::vector<const TRyvItem*>& entries, QString& errorText)
{
    const QString path = DayFilePath(options, day);
    TEntries existing;
    const QFileInfo info(path);
    if (info.exists() && info.size() > 0) {
        QString reason;
        if (!ReadDayFile(
                path, [](const TRyvItem& e) { return EndOfDayOf(e.start); }, existing, reason)) {
            errorText = reason.isEmpty() ? QStringLiteral("Cannot read %1").arg(path) : reason;
            return false;
        }
    }

    QSet<QString> written;
    for (const TRyvItem* e : entries)
        written.insert(EntryKey(*e));

    std::vector<const TRyvItem*> merged(entries.begin(), entries.end());
    for (const auto& e : existing)
        if (!written.contains(EntryKey(*e)))
            merged.push_back(e.get());
    std::stable_sort(merged.begin(), merged.end(),
        [](const TRyvItem* a, const TRyvItem* b) { return a->start < b->start; });
    return WriteDayFile(path, merged, nullptr, errorText);
}

} // namespace ryv
