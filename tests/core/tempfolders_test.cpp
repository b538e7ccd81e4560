#include "core/tempfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace ryv {
namespace {

mode_t ModeOf(const QString& path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void MakeFolder(const QString& path, mode_t mode)
{
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// The id of a process of ours that has ended.
qint64 EndedProcessId()
{
    QProcess p;
    p.start(QStringLiteral("cat"), {});
    EXPECT_TRUE(p.waitForStarted());
    const qint64 pid = p.processId();
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished());
    return pid;
}

TEST(PrivateTempFolder, OnlyWeMayEnterItAndItGoesWithTheObject)
{
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    QString path;
    {
        const TPrivateTempFolder folder(base.path());
        ASSERT_TRUE(folder.IsValid());
        path = folder.Path();
        EXPECT_TRUE(QFileInfo(path).fileName().startsWith(
            u"ryvtracker-%1-"_qs.arg(QCoreApplication::applicationPid())));
        EXPECT_EQ(ModeOf(path), 0700u);
        QDir().mkpath(folder.FilePath(u"sub"_qs));
        QFile f(folder.FilePath(u"sub/copy"_qs));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(QFileInfo::exists(path));

    const TPrivateTempFolder missing(base.filePath(u"no/such/folder"_qs));
    EXPECT_FALSE(missing.IsValid());
    EXPECT_FALSE(missing.ErrorString().isEmpty());
}

// The folders of processes that were killed go; a folder whose process still
// runs, and anything that is not exactly such a folder of ours, stays.
TEST(RemoveLeftoverTempFolders, OnlyOurFoldersOfEndedProcesses)
{
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    const QString ended = QString::number(EndedProcessId());
    const QString running = QString::number(QCoreApplication::applicationPid());
    const auto path = [&](const QString& name) { return base.filePath(name); };

    const QStringList removed { u"ryvtracker-%1-aB3xYz"_qs.arg(ended),
        // The browser history copies of earlier versions had no process id.
        u"ryv-history-Qw12er"_qs };
    QStringList kept { u"ryvtracker-%1-aB3xYz"_qs.arg(running),
        u"ryvtracker-%1-toolong1"_qs.arg(ended), u"ryvtracker-x%1-aB3xYz"_qs.arg(ended),
        u"other-%1-aB3xYz"_qs.arg(ended), u"ryv-history-abc"_qs };
    for (const QString& name : removed + kept)
        MakeFolder(path(name), 0700);
    // Inside a leftover: the copies, a subfolder and a link out of it, which
    // is removed as a link, never followed.
    MakeFolder(path(u"outside"_qs), 0700);
    QFile(path(u"outside/keep"_qs)).open(QIODevice::WriteOnly);
    QFile(path(removed[0] + u"/places.sqlite"_qs)).open(QIODevice::WriteOnly);
    MakeFolder(path(removed[0] + u"/sub"_qs), 0700);
    QFile::link(path(u"outside"_qs), path(removed[0] + u"/sub/link"_qs));
    kept << u"outside"_qs;
    // Named like ours but open to others, a plain file, a link to a folder.
    const QString open = u"ryvtracker-%1-open00"_qs.arg(ended);
    MakeFolder(path(open), 0755);
    const QString file = u"ryvtracker-%1-file00"_qs.arg(ended);
    QFile(path(file)).open(QIODevice::WriteOnly);
    const QString link = u"ryvtracker-%1-link00"_qs.arg(ended);
    QFile::link(path(u"outside"_qs), path(link));
    kept << open << file << link;
    // Another user's process of that id cannot be ours (process 1 is the
    // system's, unless we are root).
    if (::getuid() != 0)
        MakeFolder(path(u"ryvtracker-1-aB3xYz"_qs), 0700);

    const int expected = static_cast<int>(removed.size()) + (::getuid() != 0 ? 1 : 0);
    EXPECT_EQ(RemoveLeftoverTempFolders(base.path()), expected);
    kept.sort();
    EXPECT_EQ(QDir(base.path())
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name),
        kept);
    EXPECT_TRUE(QFileInfo::exists(path(u"outside/keep"_qs)));
}

} // namespace
} // namespace ryv
