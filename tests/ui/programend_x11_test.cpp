// The program itself asked to end (SIGTERM, as at a session's end or a
// shutdown) while a box waits for OK: it ends at once, with every save that
// can be written written and a save that fails on the way out told on
// standard error, where no box can hold the end up.
#include "core/datetime.h"
#include "core/listfiles.h"
#include "core/ryvitem.h"
#include "core/ryvoptions.h"

#include "programfolder.h"
#include "x11properties.h"
#include "x11testdisplay.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

namespace ryv {
namespace {

// Time enough to write a few small files, far short of a session manager's
// patience.
constexpr int PromptMs = 10000;
constexpr int WindowWaitMs = 20000;

// Waits for a window of the process other than those in known.
xcb_window_t WaitForNewWindow(
    const test::TX11Properties& x11, qint64 pid, const QList<xcb_window_t>& known = {})
{
    xcb_window_t found = XCB_WINDOW_NONE;
    const bool seen = QTest::qWaitFor(
        [&] {
            for (const xcb_window_t w : test::WindowsOf(x11, pid))
                if (!known.contains(w))
                    found = w;
            return found != XCB_WINDOW_NONE;
        },
        WindowWaitMs);
    return seen ? found : xcb_window_t(XCB_WINDOW_NONE);
}

// Sends SIGTERM and tells whether the program ended within PromptMs with
// exit code 0; a program that does not is killed.
bool EndsPromptlyOnTerminate(QProcess& process)
{
    process.terminate();
    if (process.waitForFinished(PromptMs))
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    process.kill();
    process.waitForFinished();
    return false;
}

// The program's folder and the suite's X server, for each test.
class ProgramEndX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = test::TestX11Display();
        if (display.isEmpty())
            GTEST_SKIP() << "no X server of the test suite";
        x11 = std::make_unique<test::TX11Properties>(display);
        ASSERT_TRUE(x11->IsConnected());
        ASSERT_TRUE(folder.IsValid());
        options = folder.Options();
    }
    void Start(QProcess& process, const QStringList& args = {})
    {
        folder.Start(process, display, args);
        ASSERT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
    }

    QString display;
    std::unique_ptr<test::TX11Properties> x11;
    const test::TProgramFolder folder;
    TRyvOptions options;
};

void MakeFolder(const QString& path)
{
    // A folder with something in it: no rename of a file can replace it,
    // not even for root.
    ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/keep")));
}

// "Cannot load data!" at start-up, before the window shows and before the
// event loop runs: the request to end is not lost, and the start-up's saves
// (the lists and the settings) are written.
TEST_F(ProgramEndX11, TerminateWhileAStartUpBoxShows_EndsWithTheSaves)
{
    MakeFolder(DayFilePath(options, 0));
    QProcess process;
    Start(process);
    // Until the start-up is done the box is the program's only window.
    ASSERT_NE(WaitForNewWindow(*x11, process.processId()), XCB_WINDOW_NONE)
        << process.readAllStandardError().toStdString();

    EXPECT_TRUE(EndsPromptlyOnTerminate(process))
        << "still running or failed: " << process.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(options.SettingsFilePath()));
    EXPECT_TRUE(QFile::exists(FavoritesFilePath(options)));
    EXPECT_TRUE(QFile::exists(RecentFilePath(options)));
    EXPECT_TRUE(QFileInfo(DayFilePath(options, 0)).isDir()) << "the unread file is untouched";
}

// "Cannot save workspace!" while the window runs (a report from the command
// line asked it to write its lists): the box does not hold the end up, the
// saves that can be written are, and the one that fails again on the way out
// is told on standard error.
TEST_F(ProgramEndX11, TerminateWhileASaveFailureShows_EndsAndTellsTheFailure)
{
    QString error;
    ASSERT_TRUE(folder.WriteRunningTask(QStringLiteral("Weekly report"), &error))
        << error.toStdString();
    QProcess process;
    Start(process);
    const qint64 pid = process.processId();
    const xcb_window_t window = WaitForNewWindow(*x11, pid);
    ASSERT_NE(window, XCB_WINDOW_NONE) << process.readAllStandardError().toStdString();

    // The favourites can no longer be written.
    QFile::remove(FavoritesFilePath(options));
    MakeFolder(FavoritesFilePath(options));
    QProcess report;
    Start(report,
        { QStringLiteral("report"), QStringLiteral("--format"), QStringLiteral("csv"),
            QStringLiteral("--output"), QDir(folder.Path()).filePath(QStringLiteral("r.csv")) });
    const bool boxShown = WaitForNewWindow(*x11, pid, { window }) != XCB_WINDOW_NONE;

    const bool ended = EndsPromptlyOnTerminate(process);
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    report.waitForFinished();
    ASSERT_TRUE(boxShown) << errors.toStdString();
    EXPECT_TRUE(ended) << "still running or failed: " << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("Cannot save workspace!"))) << errors.toStdString();
    EXPECT_TRUE(QFile::exists(options.SettingsFilePath()));
    // The running task is still today's running task.
    TEntries entries;
    bool stillRunning = false;
    QString reason;
    ASSERT_TRUE(ReadDayFile(
        DayFilePath(options, 0), [](const TRyvItem& e) { return e.start; }, entries, &reason,
        &stillRunning))
        << reason.toStdString();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0]->title, QStringLiteral("Weekly report"));
    EXPECT_TRUE(stillRunning);
}

} // namespace
} // namespace ryv
