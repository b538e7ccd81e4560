#pragma once

// The whole program without its entry point, for the tests of the main
// window and its parts: the engine's world (tracking/trackerworld.h) with the
// report commands and the window, in a temporary folder.

#include "core/clock.h"
#include "core/daylist.h"
#include "core/listfiles.h"
#include "core/liststore.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "core/textfile.h"
#include "reports/pdfconverter.h"
#include "reports/reportcommands.h"
#include "reports/reportports.h"
#include "reports/reportwriter.h"
#include "tracking/tracker.h"
#include "tracking/trackerworld.h"
#include "ui/mainwindow.h"
#include "ui/windowmodes.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace ryv::windowtest {

class FakeReportPorts final : public IFileSaveDialog,
                              public IBusyCursor,
                              public IGroupDialog,
                              public IProgramRunner {
public:
    QString GetSaveFileName(const TSaveDialogRequest&) override { return QString(); }
    void Begin() override { }
    void End() override { }
    bool EditGroup(const QString&, const QString&, const QString&, QString&, QString&) override
    {
        return false;
    }
    int RunAndWait(const QString&, const QStringList&, QString*) override { return -1; }
};

inline const QRect WorkArea(0, 0, 1920, 1040);

inline TDateTime At(int hour, int minute, int day = 10)
{
    return EncodeDateTime(2026, 12, day, hour, minute);
}

inline std::unique_ptr<TRyvItem> Entry(const QString& title, TDateTime start, TDateTime stop)
{
    auto e = std::make_unique<TRyvItem>();
    e->title = title;
    e->start = start;
    e->stop = stop;
    return e;
}

// Everything the entry point builds, in one temporary folder: the engine's
// world, the report commands and the window. A second TWorld on the same
// folder is the next start of the program.
class TWorld final : public TTrackerWorld {
public:
    explicit TWorld(const QString& folder)
        : TTrackerWorld(folder, At(10, 0))
    {
        QDir().mkpath(options.FolderData);
    }

    // language: the program's language (none: built-in English).
    TfrmRyvTracker& Open(const QRect& workArea = WorkArea, TProgramLanguage* language = nullptr)
    {
        window = std::make_unique<TfrmRyvTracker>(TMainWindowParts {
            options, favs, recent, today, history, store, tracker, messages, &reports, language });
        window->Modes().SetWorkArea(workArea);
        window->FormCreate();
        window->show();
        window->CompleteStartUp();
        QApplication::setActiveWindow(window.get());
        return *window;
    }

    FakeReportPorts reportPorts;
    TPdfConverter pdf { options.FolderPlugins, options.FolderApp, reportPorts, nullptr };
    TReportWriter writer { options, clock, pdf };
    TReportCommands reports { options, clock, writer,
        TReportPorts { reportPorts, messages, shell, clipboard, reportPorts, reportPorts } };
    std::unique_ptr<TfrmRyvTracker> window;
};

inline void WriteFile(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(WriteTextFile(text, path, TTextEncoding::Utf8, true));
}

// The tests of the window: each gets its own folder for the program.
class TWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QLatin1Char('/');
    }

    // Today: Alpha 08:00-09:00, Beta 09:00-09:30; yesterday: Hist 08:00-09:00;
    // one favourite.
    void WriteSampleData()
    {
        TRyvOptions options(folder);
        const auto alpha = Entry(QStringLiteral("Alpha"), At(8, 0), At(9, 0));
        const auto beta = Entry(QStringLiteral("Beta"), At(9, 0), At(9, 30));
        WriteFile(DayFilePath(options, 0), DayFileText({ alpha.get(), beta.get() }));
        const auto hist = Entry(QStringLiteral("Hist"), At(8, 0, 9), At(9, 0, 9));
        WriteFile(DayFilePath(options, At(0, 0, 9)), DayFileText({ hist.get() }));
        TRyvItemList favs;
        favs.AddOrUpdate(QStringLiteral("Fav"), QString(), QString());
        WriteFile(FavoritesFilePath(options), ListFileText(favs));
    }

    QTemporaryDir dir;
    QString folder;
};

} // namespace ryv::windowtest
