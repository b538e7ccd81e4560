// Writes a plausible data folder for trying the program out and for the
// screenshots: today's log with a running task, a few earlier days, and the
// favourites and recent lists. Usage: ryv_sampledata <data folder>
// The dates are relative to the current day, so the sample always looks like
// a working day in progress.
#include "core/datetime.h"
#include "core/listfiles.h"
#include "core/ryvitem.h"
#include "core/ryvitemlist.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <iterator>
#include <memory>
#include <vector>

namespace {

using namespace ryv;

struct TSampleEntry {
    int startMinute; // minutes after midnight
    int stopMinute; // -1: the running task
    bool pause;
    bool done;
    const char* title;
    const char* url;
    const char* descr;
};

const TSampleEntry TodayEntries[] = {
    { 8 * 60 + 2, 8 * 60 + 31, false, true, "Morning e-mail", "", "" },
    { 8 * 60 + 31, 9 * 60 + 45, false, true, "Fix invoice rounding",
        "https://tracker.example.com/issues/412", "Totals were off by one cent" },
    { 9 * 60 + 45, 10 * 60, true, false, "", "", "" },
    { 10 * 60, 11 * 60 + 30, false, false, "Team meeting", "", "Planning of the next release" },
    { 11 * 60 + 30, 12 * 60 + 15, true, false, "", "", "" },
    { 12 * 60 + 15, 13 * 60 + 40, false, false, "Review pull request #87",
        "https://git.example.com/shop/pull/87", "" },
    { 13 * 60 + 40, -1, false, false, "Write the weekly report", "", "" },
};

const TSampleEntry EarlierDay[] = {
    { 8 * 60 + 15, 9 * 60, false, true, "Morning e-mail", "", "" },
    { 9 * 60, 12 * 60, false, true, "Customer workshop", "", "On site" },
    { 12 * 60, 12 * 60 + 30, true, false, "", "", "" },
    { 12 * 60 + 30, 15 * 60 + 10, false, false, "Fix invoice rounding",
        "https://tracker.example.com/issues/412", "" },
    { 15 * 60 + 10, 16 * 60 + 45, false, true, "Update the documentation", "", "" },
};

// Today's schedule moves earlier when the day is still young, so that the
// running task started twenty minutes ago at the latest.
TDateTime TodayShift(TDateTime today, TDateTime now)
{
    const TSampleEntry& running = TodayEntries[std::size(TodayEntries) - 1];
    const TDateTime latestStart = now - 20 * OneMinute;
    const TDateTime start = today + running.startMinute * OneMinute;
    return start > latestStart ? latestStart - start : 0;
}

std::unique_ptr<TRyvItem> MakeEntry(TDateTime day, const TSampleEntry& e, TDateTime now)
{
    auto item = std::make_unique<TRyvItem>();
    item->kind = e.pause ? ryvkPause : ryvkTask;
    item->state = e.done ? ryvsDone : ryvsNone;
    item->start = day + e.startMinute * OneMinute;
    item->stop = e.stopMinute < 0 ? now : day + e.stopMinute * OneMinute;
    item->title = QString::fromUtf8(e.title);
    item->url = QString::fromUtf8(e.url);
    item->descr = QString::fromUtf8(e.descr);
    return item;
}

template <size_t N>
bool WriteDay(const QString& path, TDateTime day, const TSampleEntry (&entries)[N], TDateTime now,
    bool running)
{
    std::vector<std::unique_ptr<TRyvItem>> owned;
    std::vector<const TRyvItem*> finished;
    const TRyvItem* open = nullptr;
    for (const TSampleEntry& e : entries) {
        owned.push_back(MakeEntry(day, e, now));
        if (running && e.stopMinute < 0)
            open = owned.back().get();
        else
            finished.push_back(owned.back().get());
    }
    QString error;
    if (!WriteDayFile(path, finished, open, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ryv_sampledata <data folder>\n");
        return 2;
    }
    QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QDir().mkpath(folder);

    const TDateTime now = FromQDateTime(QDateTime::currentDateTime());
    const TDateTime today = MidnightOf(now);
    bool ok = WriteDay(folder + QStringLiteral("current.lst"), today + TodayShift(today, now),
        TodayEntries, now, true);
    // The three working days before today, skipping weekends.
    int written = 0;
    for (int back = 1; written < 3 && back < 10; ++back) {
        const TDateTime day = today - back;
        const int weekday = ToQDate(day).dayOfWeek();
        if (weekday > 5)
            continue;
        const QString path = folder + ToQDate(day).toString(QStringLiteral("yyyy"))
            + QLatin1Char('/') + ToQDate(day).toString(QStringLiteral("yyyy-MM-dd"))
            + QStringLiteral(".lst");
        ok = WriteDay(path, day, EarlierDay, now, false) && ok;
        ++written;
    }

    TRyvItemList favorites;
    favorites.AddOrUpdate(QStringLiteral("Morning e-mail"), QString(), QString());
    favorites.AddOrUpdate(QStringLiteral("Team meeting"), QString(), QString());
    favorites.AddOrUpdate(QStringLiteral("Fix invoice rounding"),
        QStringLiteral("https://tracker.example.com/issues/412"), QString());
    TRyvItemList recent;
    recent.AddOrUpdate(QStringLiteral("Write the weekly report"), QString(), QString());
    recent.AddOrUpdate(QStringLiteral("Review pull request #87"),
        QStringLiteral("https://git.example.com/shop/pull/87"), QString());
    recent.AddOrUpdate(QStringLiteral("Update the documentation"), QString(), QString());
    QString error;
    ok = WriteListFile(folder + QStringLiteral("favorites.lst"), favorites, -1, &error) && ok;
    ok = WriteListFile(folder + QStringLiteral("recent.lst"), recent, -1, &error) && ok;
    if (!ok)
        return 1;
    QTextStream(stdout) << "sample data written to " << folder << Qt::endl;
    return 0;
}
