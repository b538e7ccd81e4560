#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace ryv {
namespace {

// Runs real processes of a small helper program that starts the way the
// program does, each with the same private runtime folder.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FRuntime.isValid()); }

    void Launch(QProcess& process, const QString& mode)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), FRuntime.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(RYV_INSTANCE_HELPER), { QStringLiteral("ryvtest"), mode });
        ASSERT_TRUE(process.waitForStarted());
    }

    static QString ReadLine(QProcess& process)
    {
        while (!process.canReadLine()) {
            if (!process.waitForReadyRead(20000))
                return QStringLiteral("<no output>");
        }
        return QString::fromUtf8(process.readLine()).trimmed();
    }

    QTemporaryDir FRuntime;
};

TEST_F(SingleInstanceTest, SecondStartBringsFirstToFrontAndEndsWithoutWindow)
{
    struct Case {
        const char* mode;
        const char* activated;
    };
    const Case cases[] = {
        { "plain", "ACTIVATED main minimized=0 mainMinimized=0 mainVisible=1" },
        { "minimized", "ACTIVATED main minimized=0 mainMinimized=0 mainVisible=1" },
        // An open modal dialog comes to the front rather than the window.
        { "dialog", "ACTIVATED dialog minimized=0 mainMinimized=0 mainVisible=1" },
        // Hidden in the tray, the window shows again, with its dialog.
        { "hidden", "ACTIVATED main minimized=0 mainMinimized=0 mainVisible=1" },
        { "hiddendialog", "ACTIVATED dialog minimized=0 mainMinimized=0 mainVisible=1" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        QProcess first;
        Launch(first, QString::fromLatin1(c.mode));
        ASSERT_EQ(ReadLine(first), QStringLiteral("READY"));

        QProcess second;
        Launch(second, QStringLiteral("plain"));
        ASSERT_TRUE(second.waitForFinished(20000));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_EQ(ReadLine(second), QStringLiteral("SECOND windows=0"));

        EXPECT_EQ(ReadLine(first), QString::fromLatin1(c.activated));
        ASSERT_TRUE(first.waitForFinished(20000));
        EXPECT_EQ(first.exitCode(), 0);
    }
}

TEST_F(SingleInstanceTest, CrashedFirstInstanceDoesNotBlockTheNextStart)
{
    QProcess crashed;
    Launch(crashed, QStringLiteral("plain"));
    ASSERT_EQ(ReadLine(crashed), QStringLiteral("READY"));
    crashed.kill(); // leaves the lock file and the socket file behind
    ASSERT_TRUE(crashed.waitForFinished(20000));

    QProcess next;
    Launch(next, QStringLiteral("plain"));
    EXPECT_EQ(ReadLine(next), QStringLiteral("READY"));

    // And the new one is found by a third start.
    QProcess third;
    Launch(third, QStringLiteral("plain"));
    ASSERT_TRUE(third.waitForFinished(20000));
    EXPECT_EQ(ReadLine(third), QStringLiteral("SECOND windows=0"));
    EXPECT_EQ(
        ReadLine(next), QStringLiteral("ACTIVATED main minimized=0 mainMinimized=0 mainVisible=1"));
    next.waitForFinished(20000);
}

TEST(SingleInstance, NamesArePerUserAndPerProgram)
{
    TSingleInstance a(QStringLiteral("one"));
    TSingleInstance b(QStringLiteral("two"));
    EXPECT_NE(a.ServerName(), b.ServerName());
    EXPECT_NE(a.LockFilePath(), b.LockFilePath());
    EXPECT_TRUE(a.ServerName().contains(QString::number(::getuid())));
}

// Only a held lock keeps a start back: a lock file left with the id of a
// process that still runs (ours, as after a crash and a reused id) is taken
// over, and a lock file that is a link is never written through.
TEST(SingleInstance, LeftoverLockFilesNeverBlockOrRedirectTheStart)
{
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QString target = elsewhere.filePath(QStringLiteral("target"));
    for (const bool link : { false, true }) {
        SCOPED_TRACE(link ? "link" : "file with a living owner's id");
        const QString name = QStringLiteral("ryvtest-leftover-%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(link ? 1 : 0);
        TSingleInstance instance(name);
        QFile::remove(instance.LockFilePath());
        if (link) {
            QFile file(target);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("keep\n");
            file.close();
            ASSERT_TRUE(QFile::link(target, instance.LockFilePath()));
        } else {
            QFile file(instance.LockFilePath());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(
                QByteArray::number(QCoreApplication::applicationPid()) + "\nryv_platform_tests\n");
        }
        EXPECT_TRUE(instance.Start());
        if (link) {
            QFile file(target);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), QByteArray("keep\n"));
        }
        QFile::remove(instance.LockFilePath());
    }
}

// A report from another process asks the running instance to save first and
// waits for its answer; with no instance it goes on at once.
TEST(SingleInstanceSave, AskedInstanceSavesAndAnswers)
{
    const QString name = QStringLiteral("ryvtest-save-%1").arg(QCoreApplication::applicationPid());
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(TSingleInstance(name).AskToSave(2000));
    EXPECT_LT(elapsed.elapsed(), 1000);

    TSingleInstance running(name);
    ASSERT_TRUE(running.Start());
    int saves = 0;
    QObject::connect(&running, &TSingleInstance::SaveRequested, [&saves] { ++saves; });
    std::atomic<int> answer { -1 };
    // The asking side blocks, as the command line does; the instance answers
    // from its event loop here.
    std::thread asker([&] { answer = TSingleInstance(name).AskToSave(2000) ? 1 : 0; });
    while (answer < 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    asker.join();
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(saves, 1);
}

// Connects to the socket file at path as any local program could.
int RawConnect(const QString& path)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0
        && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The socket is the user's alone, and what is not one of our lines ends the
// connection without an answer; the instance answers the next asker as ever.
TEST(SingleInstanceSocket, OnlyOurLinesAreAnswered)
{
    const QString name = QStringLiteral("ryvtest-lines-%1").arg(QCoreApplication::applicationPid());
    TSingleInstance running(name);
    ASSERT_TRUE(running.Start());
    struct stat info { };
    ASSERT_EQ(::stat(QFile::encodeName(running.ServerName()).constData(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
    EXPECT_EQ(info.st_mode & (S_IRWXG | S_IRWXO), 0u);
    int activations = 0;
    QObject::connect(
        &running, &TSingleInstance::ActivationRequested, [&activations] { ++activations; });

    struct Case {
        const char* name;
        QByteArray sent;
    } cases[] = {
        { "unknown line", QByteArrayLiteral("hello\n") },
        { "no line break, too long to be ours", QByteArray(4096, 'x') },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int fd = RawConnect(running.ServerName());
        ASSERT_GE(fd, 0);
        ASSERT_EQ(
            ::send(fd, c.sent.constData(), static_cast<std::size_t>(c.sent.size()), MSG_NOSIGNAL),
            c.sent.size());
        // The instance closes the connection: the read ends without data.
        char answer = 0;
        ssize_t got = -1;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            got = ::recv(fd, &answer, 1, MSG_DONTWAIT);
            if (got >= 0)
                break;
        }
        EXPECT_EQ(got, 0);
        ::close(fd);
    }
    EXPECT_EQ(activations, 0);

    std::atomic<int> answer { -1 };
    std::thread asker([&] { answer = TSingleInstance(name).AskToSave(2000) ? 1 : 0; });
    while (answer < 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    asker.join();
    EXPECT_EQ(answer, 1);
}

} // namespace
} // namespace ryv
