#include "qtprint.h"
#include "suggest/processinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace ryv {
namespace {

TEST(ProcessInfo, ExecutableOfARunningProcess)
{
    const TProcessInfo info;
    EXPECT_EQ(info.Executable(getpid()),
        QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    EXPECT_EQ(info.Executable(0), QString());
    EXPECT_EQ(info.Executable(-5), QString());
}

TEST(ProcessInfo, ExecutableOfAReplacedProgramAndOfAGoneProcess)
{
    QTemporaryDir proc;
    ASSERT_TRUE(proc.isValid());
    ASSERT_TRUE(QDir().mkpath(proc.path() + QStringLiteral("/42")));
    ASSERT_TRUE(QFile::link(
        QStringLiteral("/usr/bin/editor (deleted)"), proc.path() + QStringLiteral("/42/exe")));
    const TProcessInfo info(proc.path());
    EXPECT_EQ(info.Executable(42), QStringLiteral("/usr/bin/editor"));
    EXPECT_EQ(info.Executable(43), QString());
}

TEST(ProcessInfo, SandboxFromControlGroupsAndPath)
{
    struct Case {
        const char* cgroup;
        const char* exe;
        const char* flatpak;
        const char* snap;
    };
    const Case cases[] = {
        { "0::/user.slice/user-1000.slice/user@1000.service/app.slice/"
          "app-flatpak-org.mozilla.firefox-2817.scope\n",
            "/app/lib/firefox/firefox", "org.mozilla.firefox", "" },
        { "0::/user.slice/user-1000.slice/user@1000.service/app.slice/"
          "snap.chromium.chromium-0c1d2e3f-4a5b-6c7d-8e9f-0a1b2c3d4e5f.scope\n",
            "/snap/chromium/2890/usr/lib/chromium-browser/chrome", "", "chromium" },
        { "0::/user.slice/user-1000.slice/session-2.scope\n",
            "/snap/firefox/4173/usr/lib/firefox/firefox", "", "firefox" },
        { "0::/user.slice/user-1000.slice/session-2.scope\n", "/usr/bin/xterm", "", "" },
    };
    QTemporaryDir proc;
    ASSERT_TRUE(proc.isValid());
    int pid = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exe);
        ++pid;
        const QString dir = proc.path() + QStringLiteral("/%1").arg(pid);
        ASSERT_TRUE(QDir().mkpath(dir));
        QFile file(dir + QStringLiteral("/cgroup"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.cgroup);
        file.close();
        const TProcessInfo::TSandbox sandbox
            = TProcessInfo(proc.path()).Sandbox(pid, QString::fromUtf8(c.exe));
        EXPECT_EQ(sandbox.flatpakId, QString::fromUtf8(c.flatpak));
        EXPECT_EQ(sandbox.snapName, QString::fromUtf8(c.snap));
    }
}

} // namespace
} // namespace ryv
