#pragma once

#include "core/daylist.h"
#include "core/ryvitem.h"

#include <memory>

namespace ryv {

// Fills today's log with n entries (tasks and breaks taking turns) between
// day + 0 and day + 0.4, the last one a running task.
inline void FillRunningLog(TDayList& today, TDateTime day, int n)
{
    today.BeginUpdate();
    for (int i = 0; i < n; ++i) {
        auto e = std::make_unique<TRyvItem>();
        e->kind = i % 2 && i != n - 1 ? ryvkPause : ryvkTask;
        e->title = QStringLiteral("Task %1").arg(i);
        e->start = day + 0.4 * i / n;
        e->stop = day + 0.4 * (i + 1) / n;
        today.Append(std::move(e));
    }
    today.SetWorking(true);
    today.EndUpdate();
}

// Appends n finished entries (tasks and breaks taking turns) of the given day
// between 08:00 and 18:00, with titles, links and descriptions.
inline void FillDay(TDayList& list, TDateTime day, int n)
{
    list.BeginUpdate();
    for (int i = 0; i < n; ++i) {
        auto e = std::make_unique<TRyvItem>();
        e->kind = i % 2 ? ryvkPause : ryvkTask;
        if (e->IsTask()) {
            e->title = QStringLiteral("Task %1 of the day").arg(i);
            e->url = QStringLiteral("https://tracker.example/issue/%1").arg(i);
            e->descr = QStringLiteral("Notes on task %1").arg(i);
        }
        e->start = day + (8.0 + 10.0 * i / n) / 24.0;
        e->stop = day + (8.0 + 10.0 * (i + 1) / n) / 24.0;
        list.Append(std::move(e));
    }
    list.EndUpdate();
}

} // namespace ryv
