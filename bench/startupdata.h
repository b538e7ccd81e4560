#pragma once

// A year of use on disk, for the start-up measurements: a day file for each
// of the 366 days before today (40 entries each, tasks and breaks, about
// 2,000 titles in all), today's log with a task running since an hour ago,
// the favourites and recent lists and a settings file.

#include "core/datetime.h"
#include "core/listfiles.h"
#include "core/ryvitem.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "core/textfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <memory>
#include <vector>

namespace ryv::bench {

inline bool WriteBenchFile(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return WriteTextFile(text, path, TTextEncoding::Utf8, true);
}

// entries: tasks and breaks taking turns from 08:00, 12 minutes each.
inline QString BenchDayText(TDateTime day, int dayIndex, int entries, TDateTime runningStart = 0)
{
    std::vector<std::unique_ptr<TRyvItem>> owned;
    std::vector<const TRyvItem*> list;
    for (int i = 0; i < entries; ++i) {
        auto e = std::make_unique<TRyvItem>();
        e->kind = i % 4 == 3 ? ryvkPause : ryvkTask;
        e->start = day + 8 * OneHour + i * 12 * OneMinute;
        e->stop = e->start + 12 * OneMinute;
        if (e->IsTask()) {
            const int title = (dayIndex * 7 + i) % 2000;
            e->title = QStringLiteral("Project %1: task %2").arg(title % 40).arg(title);
            if (i % 3 == 0)
                e->url = QStringLiteral("https://tracker.example/issues/%1").arg(title);
            e->state = i % 2 ? ryvsDone : ryvsNone;
        }
        list.push_back(e.get());
        owned.push_back(std::move(e));
    }
    std::unique_ptr<TRyvItem> running;
    if (runningStart > 0) {
        running = std::make_unique<TRyvItem>();
        running->title = QStringLiteral("Write the weekly report");
        running->start = runningStart;
    }
    return DayFileText(list, running.get());
}

inline bool WriteYearOfUse(const QString& folderApp)
{
    const TRyvOptions options(folderApp);
    const TDateTime now = FromQDateTime(QDateTime::currentDateTime());
    const TDateTime today = MidnightOf(now);
    bool ok = true;
    for (int d = 1; d <= 366; ++d)
        ok &= WriteBenchFile(DayFilePath(options, today - d), BenchDayText(today - d, d, 40));
    // Today: what the last hours held, then a task running for an hour.
    const TDateTime runningStart = std::max(today, TruncToMinute(now - OneHour));
    const int todayEntries
        = static_cast<int>((runningStart - today - 8 * OneHour) / (12 * OneMinute));
    ok &= WriteBenchFile(DayFilePath(options, 0),
        BenchDayText(today, 0, std::clamp(todayEntries, 0, 40), runningStart));
    TRyvItemList favs;
    for (int i = 0; i < 15; ++i)
        favs.AddOrUpdate(QStringLiteral("Favourite %1").arg(i), QString(), QString());
    ok &= WriteBenchFile(FavoritesFilePath(options), ListFileText(favs));
    TRyvItemList recent;
    for (int i = 0; i < 10; ++i)
        recent.AddOrUpdate(
            QStringLiteral("Project %1: task %2").arg(i).arg(i * 41), QString(), QString());
    ok &= WriteBenchFile(RecentFilePath(options), ListFileText(recent));
    // A window of two panes, the favourites beside today's log.
    ok &= WriteBenchFile(options.SettingsFilePath(),
        QStringLiteral(
            "[window]\r\nmax=0\r\nleft=200\r\ntop=100\r\nwidth=1300\r\nheight=700\r\n"
            "pinned=0\r\ncompact=0\r\n\r\n[misc]\r\nrepDaily=1\r\nrepGroups=0\r\n\r\n"
            "[groupMasks]\r\n0=Project 1=Project 1:*\r\n1=Project 2=Project 2:*\r\n\r\n"));
    return ok;
}

} // namespace ryv::bench
