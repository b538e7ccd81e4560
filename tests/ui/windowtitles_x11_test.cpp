#include "core/clock.h"
#include "core/datetime.h"
#include "core/fakeports.h"
#include "core/listfiles.h"
#include "core/ryvitem.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "lang/dialogtexts.h"
#include "lang/langmessagedlg.h"
#include "platform/applicationidentity.h"
#include "suggest/suggestfakes.h"
#include "suggest/suggestsources.h"
#include "ui/savefiledialog.h"
#include "ui/taskdialog.h"

#include "programfolder.h"
#include "x11properties.h"
#include "x11testdisplay.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace ryv {
namespace {

// The class half of WM_CLASS ("instance\0class\0").
QByteArray WindowClass(const QByteArray& wmClass)
{
    const QList<QByteArray> parts = wmClass.split('\0');
    return parts.size() >= 2 ? parts[1] : QByteArray();
}

// Every window's caption reaches the desktop exactly as the program sets
// it: Qt appends the application's display name to captions when one is set
// ("Task — Ryv Tracker"). The window class stays the program's name, which
// the desktop file names as its StartupWMClass.
TEST(WindowTitlesX11, CaptionsAreThePrograms_WindowClassStays)
{
    RYV_REQUIRE_X11(display);
    SetApplicationIdentity();
    test::TX11Properties x11(display);
    ASSERT_TRUE(x11.IsConnected());

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    TRyvOptions options(folder.path());
    options.AutoShowSuggest = false;
    TRyvItemList favourites;
    TRyvItemList recent;
    TFakeClipboard clipboard;
    TFakeShell shell;
    TManualClock clock;
    test::TFakeWindows windows;
    test::TFakeHistory history;
    const TSuggestSources sources { options, favourites, recent, clock, windows, history,
        clipboard };

    const auto expectCaption = [&](QWidget* window, const QString& caption) {
        SCOPED_TRACE(caption.toStdString());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        const xcb_window_t id = static_cast<xcb_window_t>(window->winId());
        const QByteArray expected = caption.toUtf8();
        // Qt sends its requests on a connection of its own: wait until the
        // server has the caption, or report what it has instead.
        static_cast<void>(QTest::qWaitFor([&] {
            return x11.Get(id, "_NET_WM_NAME") == expected && x11.Get(id, "WM_NAME") == expected;
        }));
        EXPECT_EQ(x11.Get(id, "_NET_WM_NAME").toStdString(), expected.toStdString());
        EXPECT_EQ(x11.Get(id, "WM_NAME").toStdString(), expected.toStdString());
        EXPECT_EQ(WindowClass(x11.Get(id, "WM_CLASS")).toStdString(), "RyvTracker");
    };

    {
        TfrmRyvTask task(options, favourites, sources, clipboard, shell, nullptr);
        expectCaption(&task, QStringLiteral("Task"));
    }
    for (const QString& title :
        { QStringLiteral("Export tasks ..."), QStringLiteral("Report - This week") }) {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        TSaveDialogRequest request;
        request.title = title;
        request.filters = QStringList { QStringLiteral("HTML files (*.html)") };
        request.initialPath = folder.filePath(QStringLiteral("Report.html"));
        TSaveFileDialog::Prepare(dialog, request);
        expectCaption(&dialog, title);
    }
    {
        TMessageBoxRequest request;
        request.Msg = QStringLiteral("Version: 1.0.0");
        std::unique_ptr<QMessageBox> box(CreateLangMessageBox(request, nullptr));
        expectCaption(box.get(), QStringLiteral("Information"));
    }
    {
        // The main window's caption changes while it is shown.
        QWidget window;
        window.setWindowTitle(QStringLiteral("Ryv Tracker"));
        expectCaption(&window, QStringLiteral("Ryv Tracker"));
        window.setWindowTitle(QStringLiteral("1:23 - Weekly report"));
        expectCaption(&window, QStringLiteral("1:23 - Weekly report"));
    }
}

// The program itself, started with a task left running: its main window's
// caption is the running title alone, and its window class the program's.
TEST(WindowTitlesX11, ProgramShowsTheRunningTitleAlone)
{
    RYV_REQUIRE_X11(display);
    test::TX11Properties x11(display);
    ASSERT_TRUE(x11.IsConnected());

    // Portable mode in a folder of its own: the program beside its data.
    const test::TProgramFolder folder;
    ASSERT_TRUE(folder.IsValid());
    QString error;
    ASSERT_TRUE(folder.WriteRunningTask(QStringLiteral("Weekly report"), &error))
        << error.toStdString();

    QProcess process;
    folder.Start(process, display);
    ASSERT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
    const qint64 pid = process.processId();

    // "H:MM - title", the time as the program counts it.
    const QRegularExpression runningTitle(QStringLiteral("^[0-9]+:[0-9]{2} - Weekly report$"));
    // The main window: the client window of the program's process, once it
    // shows the running task. Until the window manager lists its clients the
    // program's other top-level windows are candidates too, and a window
    // may be seen between setting one name property and the next.
    xcb_window_t window = XCB_WINDOW_NONE;
    const bool found = QTest::qWaitFor(
        [&] {
            for (const xcb_window_t w : test::WindowsOf(x11, pid))
                window = w;
            return window != XCB_WINDOW_NONE
                && runningTitle.match(QString::fromUtf8(x11.Get(window, "_NET_WM_NAME"))).hasMatch()
                && !x11.Get(window, "WM_NAME").isEmpty();
        },
        20000);
    QByteArray caption, wmName, wmClass;
    if (window != XCB_WINDOW_NONE) {
        caption = x11.Get(window, "_NET_WM_NAME");
        wmName = x11.Get(window, "WM_NAME");
        wmClass = x11.Get(window, "WM_CLASS");
    }
    process.terminate(); // closes in order, as at the end of a session
    if (!process.waitForFinished(10000))
        process.kill();
    EXPECT_TRUE(found) << "the main window did not show the running task: "
                       << process.readAllStandardError().toStdString();

    EXPECT_TRUE(runningTitle.match(QString::fromUtf8(caption)).hasMatch()) << caption.toStdString();
    EXPECT_EQ(wmName.toStdString(), caption.toStdString());
    EXPECT_EQ(wmClass.toStdString(), std::string("RyvTracker\0RyvTracker\0", 22));
}

} // namespace
} // namespace ryv
