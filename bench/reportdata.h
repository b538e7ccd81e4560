#pragma once

#include "core/datetime.h"
#include "core/listfiles.h"
#include "core/ryvitem.h"
#include "reports/reportports.h"

#include <QRandomGenerator>

#include <vector>

namespace ryv {

// Runs no program: the PDF converter is not measured.
class TNoRunner final : public IProgramRunner {
public:
    int RunAndWait(const QString&, const QStringList&, QString*) override { return -1; }
};

// The text of a day file of day with count entries from 08:00, one after the
// other, every eighth a break; the tasks' titles come from a pool of
// distinctTitles (as a user's tasks recur), every third with a link.
inline QString RandomDayFileText(
    QRandomGenerator& rnd, TDateTime day, int count, int distinctTitles)
{
    std::vector<TRyvItem> items(static_cast<size_t>(count));
    std::vector<const TRyvItem*> entries;
    TDateTime t = day + 8 * OneHour;
    for (TRyvItem& e : items) {
        const int n = static_cast<int>(rnd.bounded(distinctTitles));
        e.kind = rnd.bounded(8) == 0 ? ryvkPause : ryvkTask;
        e.start = t;
        e.stop = t + rnd.bounded(1, 25) * OneMinute;
        t = e.stop;
        if (e.IsTask()) {
            e.title = QStringLiteral("Task %1 for customer %2").arg(n).arg(n % 37);
            if (n % 3 == 0)
                e.url = QStringLiteral("https://tracker.example/issues/%1").arg(n);
            e.descr = QStringLiteral("notes %1").arg(n);
        }
        entries.push_back(&e);
    }
    return DayFileText(entries);
}

} // namespace ryv
