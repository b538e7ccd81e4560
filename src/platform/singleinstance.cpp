#include "platform/singleinstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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
// Our lines are a few bytes; a peer that sends more without a line break is
// not one of ours.
constexpr qsizetype MaxLineBytes = 256;

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

// The address of a Unix socket at path; false when the path does not fit.
bool SocketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray encoded = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (encoded.isEmpty() || encoded.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, encoded.constData(), static_cast<std::size_t>(encoded.size()));
    return true;
}

int NewSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// Waits until fd has one of events or ms have passed.
bool WaitFor(int fd, short events, int ms)
{
    pollfd p { fd, events, 0 };
    int r = 0;
    do
        r = ::poll(&p, 1, std::max(0, ms));
    while (r < 0 && errno == EINTR);
    return r > 0 && (p.revents & (events | POLLHUP | POLLERR)) != 0;
}

// Sends all of data; a peer that has gone raises no signal.
bool SendAll(int fd, const QByteArray& data, int timeoutMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    qsizetype sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + sent,
            static_cast<std::size_t>(data.size() - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const int left = timeoutMs - static_cast<int>(elapsed.elapsed());
            if (left > 0 && WaitFor(fd, POLLOUT, left))
                continue;
        }
        return false;
    }
    return true;
}

// One connection of a later start or of the command line to the running
// instance.
class TClient final {
public:
    ~TClient()
    {
        if (FFd >= 0)
            ::close(FFd);
    }

    // false at once when nobody listens at path.
    bool Connect(const QString& path)
    {
        sockaddr_un address;
        if (!SocketAddress(path, address))
            return false;
        FFd = NewSocket();
        if (FFd < 0)
            return false;
        int r = 0;
        do
            r = ::connect(FFd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        while (r < 0 && errno == EINTR);
        // A Unix socket connects at once or not at all (a full queue of the
        // listener counts as not listening).
        return r == 0;
    }

    bool Send(const QByteArray& line, int timeoutMs) { return SendAll(FFd, line, timeoutMs); }

    // The first line the other side sends, within timeoutMs.
    bool ReadLine(QByteArray& line, int timeoutMs)
    {
        QElapsedTimer elapsed;
        elapsed.start();
        QByteArray received;
        while (!received.contains('\n')) {
            char buffer[64];
            const ssize_t n = ::recv(FFd, buffer, sizeof buffer, 0);
            if (n > 0) {
                received.append(buffer, n);
                if (received.size() > MaxLineBytes)
                    return false;
                continue;
            }
            if (n == 0)
                return false; // closed without a line
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                return false;
            const int left = timeoutMs - static_cast<int>(elapsed.elapsed());
            if (left <= 0 || !WaitFor(FFd, POLLIN, left))
                return false;
        }
        line = received.left(received.indexOf('\n') + 1);
        return true;
    }

private:
    int FFd = -1;
};

enum class TLockResult { Taken, Held, Unusable };

// Takes the kernel's lock on the file at path without waiting. The lock file
// is never followed through a link and is ours alone (0600); it is written
// without a sync, as nothing needs its contents to survive a crash.
TLockResult TakeLock(const QString& path, int& fd)
{
    const QByteArray name = QFile::encodeName(path);
    int f = -1;
    do
        f = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    while (f < 0 && errno == EINTR);
    if (f < 0)
        return TLockResult::Unusable;
    int r = 0;
    do
        r = ::flock(f, LOCK_EX | LOCK_NB);
    while (r < 0 && errno == EINTR);
    if (r != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(f);
        return held ? TLockResult::Held : TLockResult::Unusable;
    }
    char pid[32];
    const int length = std::snprintf(pid, sizeof pid, "%ld\n", static_cast<long>(::getpid()));
    if (::ftruncate(f, 0) == 0 && length > 0) {
        // Only a note for a person; a failed write changes nothing.
        [[maybe_unused]] const ssize_t written = ::write(f, pid, static_cast<std::size_t>(length));
    }
    fd = f;
    return TLockResult::Taken;
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
    while (!FConnections.empty())
        CloseConnection(FConnections.begin()->first);
    if (FServerFd >= 0) {
        delete FServerNotifier;
        ::close(FServerFd);
        ::unlink(QFile::encodeName(FServerName).constData());
    }
    // Closing gives the lock up. The file stays: removing it could let a
    // start that has it open already lock a file no later start sees.
    if (FLockFd >= 0)
        ::close(FLockFd);
}

bool TSingleInstance::Start()
{
    switch (TakeLock(FLockPath, FLockFd)) {
    case TLockResult::Taken:
        return Listen();
    case TLockResult::Held:
        NotifyRunning();
        return false;
    case TLockResult::Unusable:
        // The lock file cannot be opened at all (unwritable folder, a file
        // of someone else): rather run twice than not at all.
        return Listen();
    }
    return Listen();
}

bool TSingleInstance::Listen()
{
    // The socket is made in a folder only we can enter and moved into place
    // with its mode already set, so no other user ever finds it open.
    const QByteArray finalPath = QFile::encodeName(FServerName);
    QByteArray privateFolder
        = QFile::encodeName(QFileInfo(FServerName).absolutePath() + QStringLiteral("/.ryvXXXXXX"));
    sockaddr_un finalAddress;
    sockaddr_un address;
    auto fail = [this](const char* step) {
        qWarning("Single instance: cannot listen on %s (%s): %s", qPrintable(FServerName), step,
            std::strerror(errno));
        if (FServerFd >= 0)
            ::close(FServerFd);
        FServerFd = -1;
        return true; // the program runs on; later starts then run too
    };
    if (!SocketAddress(FServerName, finalAddress))
        return fail("name too long");
    if (::mkdtemp(privateFolder.data()) == nullptr)
        return fail("private folder");
    const QString tempPath = QFile::decodeName(privateFolder) + QStringLiteral("/s");
    const QByteArray tempName = QFile::encodeName(tempPath);
    auto cleanUp = [&] {
        const int error = errno; // for the message
        ::unlink(tempName.constData());
        ::rmdir(privateFolder.constData());
        errno = error;
    };
    FServerFd = NewSocket();
    if (FServerFd < 0 || !SocketAddress(tempPath, address)) {
        cleanUp();
        return fail("socket");
    }
    if (::bind(FServerFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || ::chmod(tempName.constData(), S_IRWXU) != 0 || ::listen(FServerFd, 16) != 0) {
        cleanUp();
        return fail("bind");
    }
    // We hold the lock, so a socket file left here belongs to a crashed run;
    // the rename replaces it.
    if (::rename(tempName.constData(), finalPath.constData()) != 0) {
        cleanUp();
        return fail("rename");
    }
    ::rmdir(privateFolder.constData());
    FServerNotifier = new QSocketNotifier(FServerFd, QSocketNotifier::Read, this);
    connect(FServerNotifier, &QSocketNotifier::activated, this, &TSingleInstance::OnNewConnection);
    return true;
}

bool TSingleInstance::NotifyRunning()
{
    QElapsedTimer patience;
    patience.start();
    while (true) {
        TClient client;
        if (client.Connect(FServerName) && client.Send(ActivateMessage, 1000)) {
            // Waiting for the answer keeps the first instance's activation
            // ahead of our exit, so the desktop gives it the focus.
            QByteArray answer;
            client.ReadLine(answer, 1000);
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
    TClient client;
    // No socket, or nobody listening on it: no instance runs, nothing to wait
    // for.
    if (!client.Connect(FServerName) || !client.Send(SaveMessage, timeoutMs))
        return false;
    QByteArray answer;
    const int left = std::max(0, timeoutMs - static_cast<int>(elapsed.elapsed()));
    return client.ReadLine(answer, left) && answer == SavedMessage;
}

void TSingleInstance::OnNewConnection()
{
    while (true) {
        const int fd = ::accept4(FServerFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR)
                continue;
            return; // EAGAIN: none left
        }
        auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        FConnections[fd].notifier = notifier;
        connect(notifier, &QSocketNotifier::activated, this, [this, fd] { OnReadable(fd); });
    }
}

void TSingleInstance::OnReadable(int fd)
{
    auto it = FConnections.find(fd);
    if (it == FConnections.end())
        return;
    // A slot of ours may run an event loop (a message box); this connection
    // waits meanwhile.
    it->second.notifier->setEnabled(false);
    bool closed = false;
    QList<QByteArray> lines;
    char buffer[64];
    while (!closed) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // 0: the other side has gone; the lines it sent before still count.
            closed = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
            break;
        }
        QByteArray& pending = it->second.pending;
        pending.append(buffer, n);
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            lines.append(pending.left(end + 1));
            pending.remove(0, end + 1);
        }
        // A line too long to be ours.
        closed = pending.size() > MaxLineBytes;
    }
    for (const QByteArray& line : lines) {
        if (line == ActivateMessage) {
            SendAll(fd, AckMessage, 0);
            emit ActivationRequested();
        } else if (line == SaveMessage) {
            emit SaveRequested();
            SendAll(fd, SavedMessage, 0);
        } else {
            closed = true;
            break;
        }
    }
    it = FConnections.find(fd);
    if (it == FConnections.end())
        return;
    if (closed)
        CloseConnection(fd);
    else
        it->second.notifier->setEnabled(true);
}

void TSingleInstance::CloseConnection(int fd)
{
    auto it = FConnections.find(fd);
    if (it == FConnections.end())
        return;
    delete it->second.notifier;
    FConnections.erase(it);
    ::close(fd);
}

} // namespace ryv
