#include "platform/shell.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(ShellTargetUrl, LinksStayAsTheyArePathsBecomeFileUrls)
{
    qputenv("RYV_TEST_FOLDER", "/srv/projects");
    struct Case {
        const char* target;
        QString expected;
    };
    const QString home = QDir::homePath();
    const Case cases[] = {
        { "https://example.com/a?b=c&d=%20e", QStringLiteral("https://example.com/a?b=c&d=%20e") },
        { "  mailto:someone@example.com ", QStringLiteral("mailto:someone@example.com") },
        { "file:///tmp/x.html", QStringLiteral("file:///tmp/x.html") },
        { "www.example.com/page", QStringLiteral("http://www.example.com/page") },
        { "/tmp/report 1.pdf", QStringLiteral("file:///tmp/report%201.pdf") },
        { "~/notes.txt", QStringLiteral("file://") + home + QStringLiteral("/notes.txt") },
        { "~", QStringLiteral("file://") + home },
        { "$RYV_TEST_FOLDER/a.csv", QStringLiteral("file:///srv/projects/a.csv") },
        { "${RYV_TEST_FOLDER}x/a.csv", QStringLiteral("file:///srv/projectsx/a.csv") },
        // A "~" inside a name is just a character.
        { "/tmp/a~b", QStringLiteral("file:///tmp/a~b") },
    };
    for (const Case& c : cases) {
        const QUrl url = ShellTargetUrl(QString::fromUtf8(c.target));
        EXPECT_EQ(QString::fromLatin1(url.toEncoded()).toStdString(), c.expected.toStdString());
    }
    EXPECT_TRUE(ShellTargetUrl(QStringLiteral("  ")).isEmpty());
    qunsetenv("RYV_TEST_FOLDER");
}

TEST(DesktopShell, HandsTheUrlToTheDesktopAndReportsItsAnswer)
{
    QList<QUrl> opened;
    bool accept = true;
    TDesktopShell shell([&](const QUrl& url) {
        opened.append(url);
        return accept;
    });
    EXPECT_TRUE(shell.ShellOpen(QStringLiteral("https://example.com")));
    accept = false;
    EXPECT_FALSE(shell.ShellOpen(QStringLiteral("/tmp/x")));
    // Nothing to open is refused without asking the desktop.
    EXPECT_FALSE(shell.ShellOpen(QString()));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://example.com")));
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(QStringLiteral("/tmp/x")));
}

TEST(ShellOpenAndWait, ReportsExitCodeAndFailureToStart)
{
    struct Case {
        QString program;
        QStringList args;
        bool started;
        int exitCode;
    };
    const Case cases[] = {
        { QStringLiteral("/bin/sh"), { QStringLiteral("-c"), QStringLiteral("exit 0") }, true, 0 },
        { QStringLiteral("/bin/sh"), { QStringLiteral("-c"), QStringLiteral("exit 3") }, true, 3 },
        // Arguments reach the program as they are, never through a shell.
        { QStringLiteral("/bin/sh"),
            { QStringLiteral("-c"), QStringLiteral("test \"$1\" = 'a b;$(x)' && exit 7"),
                QStringLiteral("sh"), QStringLiteral("a b;$(x)") },
            true, 7 },
        { QStringLiteral("/nonexistent/program"), {}, false, -1 },
    };
    for (const Case& c : cases) {
        const TRunResult r = ShellOpenAndWait(c.program, c.args);
        EXPECT_EQ(r.Started, c.started) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.ExitCode, c.exitCode);
        EXPECT_FALSE(r.Crashed);
        EXPECT_EQ(r.Ok(), c.started && c.exitCode == 0);
        EXPECT_EQ(r.Error.isEmpty(), c.started);
    }
}

TEST(ShellOpenAndWait, EventsAreHandledWhileWaiting)
{
    // The child ends only once a file exists that a timer of ours creates:
    // it can end only if our events run during the wait.
    QTemporaryDir dir;
    const QString flag = dir.filePath(QStringLiteral("go"));
    QTimer::singleShot(0, [&] {
        QFile file(flag);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    });
    const TRunResult r = ShellOpenAndWait(QStringLiteral("/bin/sh"),
        { QStringLiteral("-c"),
            QStringLiteral("i=0; while [ ! -e \"$1\" ]; do i=$((i+1)); [ $i -gt 2000 ] && exit 9; "
                           "sleep 0.01; done; exit 0"),
            QStringLiteral("sh"), flag });
    EXPECT_TRUE(r.Ok()) << r.ExitCode;
}

TEST(ShellOpenAndWait, CrashIsNotSuccess)
{
    const TRunResult r = ShellOpenAndWait(
        QStringLiteral("/bin/sh"), { QStringLiteral("-c"), QStringLiteral("kill -9 $$") });
    EXPECT_TRUE(r.Started);
    EXPECT_TRUE(r.Crashed);
    EXPECT_FALSE(r.Ok());
}

TEST(ShellOpenAndWait, HungProgramIsKilledAtTheLimit)
{
    // "sleep 60" would hang the caller for a minute without the limit.
    const TRunResult r
        = ShellOpenAndWait(QStringLiteral("sleep"), { QStringLiteral("60") }, {}, 100);
    EXPECT_TRUE(r.TimedOut);
    EXPECT_FALSE(r.Ok());
    EXPECT_FALSE(r.Error.isEmpty());
}

} // namespace
} // namespace ryv
