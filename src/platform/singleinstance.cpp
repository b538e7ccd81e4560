#include "platform/singleinstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>

#include <unistd.h>

namespace ryv {
namespace {

const QByteArray ActivateMessage = QByteArrayLiteral("activate\n");
const QByteArray AckMessage = QByteArrayLiteral("ok\n");
const QByteArray SaveMessage = QByteArrayLiteral("save\n");
const QByteArray SavedMessage = QByteArrayLiteral("saved\n");

// How long a later start keeps trying to reach the first one, which may be
// between taking the lock and listening.
constexpr int ConnectPatienceMs = 3000;

QString RuntimeFolder()
{
    // The per-user runtime folder (XDG_RUNTIME_DIR, else a private folder in
    // /tmp that Qt creates with mode 0700).
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

} // namespace

TSingleInstance::TSingleInstance(const QString& name, QObject* parent)
    : QObject(parent)
{
    const QString base = QStringLiteral("%1-%2").arg(name).arg(::getuid());
    const QString folder = RuntimeFolder();
    FServerName = QDir(folder).filePath(base + QStringLiteral(".socket"));
    FLockPath = QDir(folder).filePath(base + QStringLiteral(".lock"));
}

TSingleInstance::~TSingleInstance()
{
    if (FServer)
        FServer->close();
    if (FLock)
        FLock->unlock();
}

bool TSingleInstance::Start()
{
    FLock = std::make_unique<QLockFile>(FLockPath);
    // A lock never goes stale by age: the program runs for days.
    FLock->setStaleLockTime(0);
    if (FLock->tryLock(0))
        return Listen();
    if (FLock->error() == QLockFile::LockFailedError) {
        FLock.reset();
        NotifyRunning();
        return false;
    }
    // The lock file cannot be made at all (unwritable folder): rather run
    // twice than not at all.
    FLock.reset();
    return Listen();
}

bool TSingleInstance::Listen()
{
    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer, &QLocalServer::newConnection, this, &TSingleInstance::OnNewConnection);
    // We hold the lock, so a socket file left here belongs to a crashed run.
    QLocalServer::removeServer(FServerName);
    if (!FServer->listen(FServerName))
        qWarning("Single instance: cannot listen on %s: %s", qPrintable(FServerName),
            qPrintable(FServer->errorString()));
    return true;
}

bool TSingleInstance::NotifyRunning()
{
    QElapsedTimer patience;
    patience.start();
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(FServerName);
        if (socket.waitForConnected(500)) {
            socket.write(ActivateMessage);
            socket.waitForBytesWritten(1000);
            // Waiting for the answer keeps the first instance's activation
            // ahead of our exit, so the desktop gives it the focus.
            socket.waitForReadyRead(1000);
            return true;
        }
        if (patience.elapsed() > ConnectPatienceMs)
            return false;
        QThread::msleep(50);
    }
}

bool TSingleInstance::AskToSave(int timeoutMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    QLocalSocket socket;
    socket.connectToServer(FServerName);
    // No socket, or nobody listening on it: no instance runs, nothing to wait
    // for.
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(SaveMessage);
    auto left = [&] { return std::max(0, timeoutMs - static_cast<int>(elapsed.elapsed())); };
    if (!socket.waitForBytesWritten(left()))
        return false;
    while (!socket.canReadLine()) {
        if (left() == 0 || !socket.waitForReadyRead(left()))
            return false;
    }
    return socket.readLine() == SavedMessage;
}

void TSingleInstance::OnNewConnection()
{
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Only whole lines count; anything else on the socket is ignored.
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine();
                if (line == ActivateMessage) {
                    socket->write(AckMessage);
                    socket->flush();
                    emit ActivationRequested();
                } else if (line == SaveMessage) {
                    emit SaveRequested();
                    socket->write(SavedMessage);
                    socket->flush();
                }
            }
        });
    }
}

} // namespace ryv
