#pragma once

// The engine's tests: the object graph of trackerworld.h on a temporary data
// folder, under an explicit locale, with helpers to fill and read the lists.

#include "core/listfiles.h"
#include "core/regional.h"
#include "trackerworld.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace ryv::testing {

// 2022-01-07 is a Friday; 2022-01-10 a Monday.
inline TDateTime At(int day, int h, int m, int s = 0, int ms = 0)
{
    return EncodeDateTime(2022, 1, day, h, m, s, ms);
}

inline std::unique_ptr<TRyvItem> Entry(TRyvItemKind kind, TDateTime start, TDateTime stop,
    const QString& title = {}, const QString& url = {}, const QString& descr = {})
{
    auto e = std::make_unique<TRyvItem>();
    e->kind = kind;
    e->start = start;
    e->stop = stop;
    e->title = title;
    e->url = url;
    e->descr = descr;
    return e;
}
inline std::unique_ptr<TRyvItem> Task(
    TDateTime start, TDateTime stop, const QString& title = {}, const QString& url = {})
{
    return Entry(ryvkTask, start, stop, title.isEmpty() ? QStringLiteral("T") : title, url);
}
inline std::unique_ptr<TRyvItem> Pause(TDateTime start, TDateTime stop)
{
    return Entry(ryvkPause, start, stop);
}

// A log written compactly: 't' task or 'b' break with start and stop.
struct TSpan {
    char kind;
    TDateTime start;
    TDateTime stop;
};

class TrackerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    // Task links are typed by the user: the engine opens them as links.
    void TearDown() override
    {
        EXPECT_TRUE(shell.openedFiles.isEmpty())
            << "a task link opened as an exact file path: "
            << shell.openedFiles.join(QStringLiteral(", ")).toStdString();
    }

    int AddToday(std::unique_ptr<TRyvItem> e) { return today.Append(std::move(e)); }
    // Tasks are titled T1, T2, ... in order.
    void Fill(TDayList& list, const std::vector<TSpan>& spans)
    {
        int n = 0;
        for (const TSpan& s : spans) {
            auto e = s.kind == 'b' ? Pause(s.start, s.stop)
                                   : Task(s.start, s.stop, QStringLiteral("T%1").arg(++n));
            list.Append(std::move(e));
        }
    }
    void Select(TDayList& list, int row)
    {
        list.SetFocused(row);
        list.SelectOnly(row);
    }
    int AddHistory(std::unique_ptr<TRyvItem> e) { return history.Append(std::move(e)); }
    void AddFav(const QString& title, const QString& url = {}) { favs.AddOrUpdate(title, url, {}); }
    void AddRecent(const QString& title, const QString& url = {})
    {
        auto e = std::make_unique<TRyvItem>();
        e->title = title;
        e->url = url;
        recent.Add(std::move(e));
    }

    // The window's state with keyboard focus in one list.
    static TUiState Focus(TListKind list, TSecondaryPanel panel = TSecondaryPanel::Favs)
    {
        TUiState ui;
        ui.secondaryShown = true;
        ui.panel = panel;
        ui.focus = list;
        return ui;
    }
    static TUiState OnToday() { return Focus(TListKind::Today); }
    static TUiState OnHistory() { return Focus(TListKind::History, TSecondaryPanel::History); }
    static TUiState OnFavs(int row)
    {
        TUiState ui = Focus(TListKind::Favs);
        ui.favs.selected = { row };
        ui.favs.focused = row;
        return ui;
    }

    // Shows the history day and puts the history list's selection on row.
    void ShowHistoryDay(TDateTime day)
    {
        history.SetHistoryDate(day);
        tracker.ShowHistory();
    }

    QStringList Titles(const TDayList& list) const
    {
        QStringList t;
        for (int i = 0; i < list.Count(); ++i)
            t << (list.Item(i)->IsPause() ? QStringLiteral("-") : list.Item(i)->title);
        return t;
    }
    QStringList FavsRowTitles() const
    {
        QStringList t;
        for (int i = 0; i < static_cast<int>(tracker.FavsRows().size()); ++i) {
            const TRyvItem* item = tracker.FavsItemAt(i);
            const bool recent = tracker.FavsRows()[static_cast<size_t>(i)].recent;
            t << (item ? (recent ? QStringLiteral("r:") : QStringLiteral("f:")) + item->title
                       : QStringLiteral("--"));
        }
        return t;
    }
    // Entries of a day file as written on disk.
    TEntries ReadDay(TDateTime day) const
    {
        TEntries entries;
        QString reason;
        ReadDayFile(
            DayFilePath(options, day), [](const TRyvItem& e) { return e.start; }, entries, &reason);
        return entries;
    }
    static QStringList TitlesOf(const TEntries& entries)
    {
        QStringList t;
        for (const auto& e : entries)
            t << (e->IsPause() ? QStringLiteral("-") : e->title);
        return t;
    }
    // Work runs: the clock last ticked at lastTick, the next tick comes at
    // tickAt (a later day).
    void TickIntoNextDay(TDateTime lastTick, TDateTime tickAt)
    {
        today.SetWorking(true);
        clock.Set(lastTick);
        tracker.UpdateToday();
        clock.Set(tickAt);
        tracker.tmrCheckTimer();
    }
    bool DayFileExists(TDateTime day) const { return QFile::exists(DayFilePath(options, day)); }

    TRegionalScope regional { "en_GB" };
    QTemporaryDir dir;
    TTrackerWorld world { dir.path(), At(7, 10, 23, 45) };
    TRyvOptions& options = world.options;
    TManualClock& clock = world.clock;
    TDayList& today = world.today;
    TDayList& history = world.history;
    TRyvItemList& favs = world.favs;
    TRyvItemList& recent = world.recent;
    TListStore& store = world.store;
    TFakeDialog& dialog = world.dialog;
    TFakeMessages& messages = world.messages;
    TFakeClipboard& clipboard = world.clipboard;
    TFakeShell& shell = world.shell;
    TTracker& tracker = world.tracker;
};

// Times of a list as "hh:mm:ss-hh:mm:ss" per entry, for compact expectations.
inline QString Span(const TRyvItem& e)
{
    return FormatDateTime(QStringLiteral("hh:nn:ss"), e.start) + QLatin1Char('-')
        + FormatDateTime(QStringLiteral("hh:nn:ss"), e.stop);
}
inline QStringList Spans(const TDayList& list)
{
    QStringList s;
    for (int i = 0; i < list.Count(); ++i)
        s << (list.Item(i)->IsPause() ? QStringLiteral("b ") : QStringLiteral("t "))
                + Span(*list.Item(i));
    return s;
}

} // namespace ryv::testing
