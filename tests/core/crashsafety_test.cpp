// Saves killed at random moments: a second program writes the list files in
// a loop and is killed (SIGKILL) again and again. Whatever moment the kill
// hits, every file is afterwards the old or the new version, whole, and the
// only other files are the program's own temporary files, which the next
// start removes.
#include "saveloopcontent.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <random>

namespace ryv {
namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(CrashSafety, SavesKilledAtRandomMoments_LeaveOldOrNewFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray day[2] = { saveloop::DayFileBytes(0), saveloop::DayFileBytes(1) };
    const QByteArray favs[2] = { saveloop::ListFileBytes(0), saveloop::ListFileBytes(1) };
    const QString current = dir.filePath(QStringLiteral("current.lst"));
    const QString favorites = dir.filePath(QStringLiteral("favorites.lst"));

    // A fixed seed: the kill moments differ with the machine's speed, but
    // the test's own choices are the same every run.
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> savesBeforeKill(0, 2);
    std::uniform_int_distribution<unsigned long> delayMicroseconds(0, 15000);
    int leftoversSeen = 0;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        QProcess helper;
        helper.start(QStringLiteral(RYV_SAVE_LOOP_HELPER), { dir.path() });
        ASSERT_TRUE(helper.waitForStarted());
        for (int saves = savesBeforeKill(random); saves > 0; --saves)
            ASSERT_TRUE(helper.waitForReadyRead(10000)) << helper.readAllStandardError().data();
        // The kill lands at a moment of its own somewhere within the next
        // saves: this wait is what makes the moment random.
        QThread::usleep(delayMicroseconds(random));
        helper.kill();
        ASSERT_TRUE(helper.waitForFinished(10000));
        ASSERT_FALSE(helper.readAllStandardOutput().contains("FAILED"));

        if (QFile::exists(current)) {
            const QByteArray onDisk = ReadBytes(current);
            EXPECT_TRUE(onDisk == day[0] || onDisk == day[1]) << "current.lst is torn";
        }
        if (QFile::exists(favorites)) {
            const QByteArray onDisk = ReadBytes(favorites);
            EXPECT_TRUE(onDisk == favs[0] || onDisk == favs[1]) << "favorites.lst is torn";
        }
        const int leftovers = RemoveLeftoverTempFiles(dir.path());
        leftoversSeen += leftovers;
        QStringList names = QDir(dir.path()).entryList(QDir::Files);
        names.removeAll(QStringLiteral("current.lst"));
        names.removeAll(QStringLiteral("favorites.lst"));
        EXPECT_TRUE(names.isEmpty()) << names.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_TRUE(QFile::exists(current));
    RecordProperty("leftovers", leftoversSeen);
}

} // namespace
} // namespace ryv
