#pragma once

// The engine with every collaborator in memory: the lists, the list store on
// a temporary data folder, a clock set by hand and scripted ports.

#include "core/clock.h"
#include "core/daylist.h"
#include "core/listfiles.h"
#include "core/liststore.h"
#include "core/ports.h"
#include "core/regionalscope.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "tracking/tracker.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
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

// One answer of the task dialog: OK with the entry changed by `edit`, or
// Cancel.
struct TDialogAnswer {
    bool ok = false;
    std::function<void(TRyvItem&)> edit;
};
inline TDialogAnswer Ok(std::function<void(TRyvItem&)> edit = {})
{
    return { true, std::move(edit) };
}
inline TDialogAnswer Cancel(std::function<void(TRyvItem&)> sideEffect = {})
{
    return { false, std::move(sideEffect) };
}
// OK with a duration, as the dialog returns it in stop.
inline TDialogAnswer OkDuration(int minutes)
{
    return Ok([minutes](TRyvItem& e) { e.stop = minutes * OneMinute; });
}

class TFakeDialog final : public ITaskDialog {
public:
    struct TCall {
        TRyvItem entry; // as handed in
        QString caption;
        bool isNew = false;
        bool askDuration = false;
        std::optional<TRyvItem> previous;
        bool fromFavourite = false;
    };
    std::vector<TCall> calls;
    std::deque<TDialogAnswer> answers; // none left: Cancel

    bool ExecuteTaskDialog(TRyvItem& entry, const QString& caption, bool isNew, bool askDuration,
        const TRyvItem* previous, bool fromFavourite) override
    {
        TCall c { entry, caption, isNew, askDuration, std::nullopt, fromFavourite };
        if (previous)
            c.previous = *previous;
        calls.push_back(c);
        if (answers.empty())
            return false;
        TDialogAnswer a = answers.front();
        answers.pop_front();
        if (a.edit)
            a.edit(entry);
        return a.ok;
    }
};

class TFakeMessages final : public IUserMessages {
public:
    bool answer = true;
    QStringList questions;
    QStringList warnings;
    bool ConfirmYesNo(const QString& text) override
    {
        questions << text;
        return answer;
    }
    void Warning(const QString& text) override { warnings << text; }
};

class TFakeClipboard final : public IClipboard {
public:
    QString text;
    int sets = 0;
    QString Text() const override { return text; }
    void SetText(const QString& t) override
    {
        text = t;
        ++sets;
    }
};

class TFakeShell final : public IShell {
public:
    QStringList opened;
    bool ShellOpen(const QString& target) override
    {
        opened << target;
        return true;
    }
};

// A log written compactly: 't' task or 'b' break with start and stop.
struct TSpan {
    char kind;
    TDateTime start;
    TDateTime stop;
};

class TrackerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

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
    TRyvOptions options { dir.path() };
    TManualClock clock { At(7, 10, 23, 45) };
    TDayList today { TDayListRole::Today, options, clock };
    TDayList history { TDayListRole::History, options, clock };
    TRyvItemList favs;
    TRyvItemList recent;
    TListStore store { today, history, favs, recent, options, clock };
    TFakeDialog dialog;
    TFakeMessages messages;
    TFakeClipboard clipboard;
    TFakeShell shell;
    TTracker tracker { options, favs, recent, today, history, store,
        TTrackerPorts { clock, dialog, messages, clipboard, shell } };
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
