// Pasting into the task dialog's description on a real X11 clipboard whose
// owner has ended: the program that copied is gone, so the clipboard carries
// no data at all. Qt 6.4's own text field crashes on Ctrl+V there; ours
// ignores it. Both programs run as child processes on the suite's X server.
#include "x11testdisplay.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ryv {
namespace {

struct TRun {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QString out;
};

TRun RunHelper(const QString& display, const QString& mode)
{
    QTemporaryDir home;
    QProcess helper;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    helper.setProcessEnvironment(env);
    helper.start(QStringLiteral(RYV_CLIPBOARD_HELPER), { mode });
    TRun run;
    if (!helper.waitForFinished(30000)) {
        helper.kill();
        helper.waitForFinished();
        return run;
    }
    run.status = helper.exitStatus();
    run.code = helper.exitCode();
    run.out = QString::fromLocal8Bit(helper.readAllStandardOutput()).trimmed();
    return run;
}

TEST(PasteIntoDescription, ClipboardOfAnEndedProgram_IsIgnored)
{
    RYV_REQUIRE_X11(display);
    const TRun copy = RunHelper(display, QStringLiteral("copy"));
    ASSERT_EQ(copy.status, QProcess::NormalExit);
    ASSERT_EQ(copy.out, QStringLiteral("COPIED"));

    const TRun paste = RunHelper(display, QStringLiteral("paste"));
    EXPECT_EQ(paste.status, QProcess::NormalExit) << "the paste crashed the dialog";
    EXPECT_EQ(paste.code, 0);
    EXPECT_EQ(paste.out, QStringLiteral("TEXT kept"));
}

} // namespace
} // namespace ryv
