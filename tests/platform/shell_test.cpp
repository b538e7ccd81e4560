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

// Only what the user typed as a link is read like a shell would; a path that
// came from a file dialog names exactly one file.
TEST(DesktopShell, TypedLinksExpandFilePathsStayAsTheyAre)
{
    qputenv("RYV_TEST_FOLDER", "/srv/projects");
    const QString home = QDir::homePath();
    QList<QUrl> opened;
    TDesktopShell shell([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    struct Case {
        QString text;
        QString asLink, asFile;
    };
    const Case cases[] = {
        { QStringLiteral("/tmp/$RYV_TEST_FOLDER/a.csv"), QStringLiteral("/tmp/srv/projects/a.csv"),
            QStringLiteral("/tmp/$RYV_TEST_FOLDER/a.csv") },
        { QStringLiteral("/tmp/${RYV_TEST_FOLDER}.html"), QStringLiteral("/tmp/srv/projects.html"),
            QStringLiteral("/tmp/${RYV_TEST_FOLDER}.html") },
        { QStringLiteral("~/notes.txt"), home + QStringLiteral("/notes.txt"),
            QDir::current().absoluteFilePath(QStringLiteral("~/notes.txt")) },
        { QStringLiteral("/tmp/x y.pdf"), QStringLiteral("/tmp/x y.pdf"),
            QStringLiteral("/tmp/x y.pdf") },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        opened.clear();
        EXPECT_TRUE(shell.ShellOpen(c.text));
        EXPECT_TRUE(shell.OpenFile(c.text));
        ASSERT_EQ(opened.size(), 2);
        EXPECT_EQ(opened[0], QUrl::fromLocalFile(c.asLink)) << opened[0].toString().toStdString();
        EXPECT_EQ(opened[1], QUrl::fromLocalFile(c.asFile)) << opened[1].toString().toStdString();
    }
    // A file path is no web link, whatever it looks like.
    opened.clear();
    EXPECT_TRUE(shell.OpenFile(QStringLiteral("/tmp/www.example.com")));
    EXPECT_EQ(opened.value(0), QUrl::fromLocalFile(QStringLiteral("/tmp/www.example.com")));
    EXPECT_FALSE(shell.OpenFile(QString()));
    qunsetenv("RYV_TEST_FOLDER");
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

// A helper program below a folder whose name holds "$" runs from there.
TEST(ShellOpenAndWait, ProgramAndFolderAreTakenAsTheyStand)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("$HOME"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = folder + QStringLiteral("/helper.sh");
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\ntest \"$(pwd)\" = \"$1\" && exit 5\nexit 1\n");
    file.close();
    file.setPermissions(file.permissions() | QFile::ExeOwner);
    const TRunResult r = ShellOpenAndWait(program, { folder }, folder);
    EXPECT_TRUE(r.Started) << r.Error.toStdString();
    EXPECT_EQ(r.ExitCode, 5);
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
