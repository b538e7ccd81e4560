#include "reports/reportloader.h"

#include "core/clock.h"
#include "core/listfiles.h"
#include "core/ryvoptions.h"
#include "reports/groupmasks.h"

namespace ryv {

bool LoadReportEntries(const TRyvOptions& options, const TClock& clock, TDateTime first,
    TDateTime last, std::vector<TRyvItem>& entries, QString* errorText)
{
    entries.clear();
    const int d1 = DayOf(first);
    const int d2 = DayOf(last);
    const TDateTime now = clock.Now();
    const int today = DayOf(now);
    const TGroupMasks groups(options.GroupMasks);
    const TOpenStop openStop = [now, today](const TRyvItem& e) {
        return DayOf(e.start) == today ? now : EndOfDayOf(e.start);
    };

    TEntries dayEntries;
    for (int d = d1; d <= d2; ++d) {
        const QString path = DayFilePath(options, d == today ? 0 : d);
        dayEntries.clear();
        // An unreadable day is left out without a message: a report shows
        // what can be read.
        if (!ReadDayFile(path, openStop, dayEntries))
            continue;
        for (auto& e : dayEntries) {
            if (!e->IsPause() && !options.GroupMasks.isEmpty()) {
                QString renamed;
                if (!groups.Apply(e->title, renamed, errorText))
                    return false;
                e->title = std::move(renamed);
            }
            entries.push_back(std::move(*e));
        }
    }
    return true;
}

} // namespace ryv
