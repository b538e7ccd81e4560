#pragma once

#include <QObject>
#include <QString>

#include <map>
#include <memory>

class QSocketNotifier;

namespace ryv {

// One running instance per user. The first start holds a lock file and
// listens on a local socket; a later start finds the lock taken, asks the
// first through the socket to come to the front, and ends.
//
// The lock is the kernel's lock on an open file (flock), which goes with the
// process: a crash leaves the lock file behind but never a held lock, and
// the socket file left behind is replaced when the next start listens. The
// file itself stays for the next start; it records the owner's process id
// for a person who looks.
//
// The socket is a Unix stream socket of our own (QtCore's socket notifier),
// not Qt Network's local socket: the network library and what it loads in
// turn cost every start of the program time and memory for two short lines.
// Only the user can reach it (mode 0700 from the start); lines are "activate"
// and "save", answered "ok" and "saved"; anything else, and a line longer
// than a few hundred bytes, ends the connection.
class TSingleInstance final : public QObject {
    Q_OBJECT
public:
    // name: distinguishes programs (and tests); it is combined with the
    // user id and placed in the user's runtime folder.
    explicit TSingleInstance(
        const QString& name = QStringLiteral("RyvTracker"), QObject* parent = nullptr);
    ~TSingleInstance() override;

    // true: this process is the first and now listens for later starts.
    // false: another instance runs and has been asked to come to the front
    // (as far as it answered); the caller ends at once.
    bool Start();

    // For another process of the program that reads the data files (a report
    // from the command line): asks the running instance, if any, to write its
    // pending saves, and waits until it has or timeoutMs have passed. Does
    // not take the lock; true only when an instance answered in time.
    bool AskToSave(int timeoutMs);

    // Whether Start took the lock: this process is the one instance, and only
    // it may remove what earlier runs left behind. (Start also runs on when
    // the lock file cannot be used at all, without holding it.)
    bool HoldsLock() const { return FLockFd >= 0; }

    // The socket name and lock file used (for tests and messages).
    QString ServerName() const { return FServerName; }
    QString LockFilePath() const { return FLockPath; }

signals:
    // A later start asked this instance to bring its window to the front.
    void ActivationRequested();
    // Another process asked for the pending saves to be written now; it is
    // answered once the connected slots have returned.
    void SaveRequested();

private:
    bool Listen();
    bool NotifyRunning();
    void OnNewConnection();
    void OnReadable(int fd);
    void CloseConnection(int fd);

    QString FServerName;
    QString FLockPath;
    int FLockFd = -1;
    int FServerFd = -1;
    QSocketNotifier* FServerNotifier = nullptr;
    // Open connections: descriptor, its notifier and the part of a line
    // received so far.
    struct TConnection {
        QSocketNotifier* notifier = nullptr;
        QByteArray pending;
    };
    std::map<int, TConnection> FConnections;
};

} // namespace ryv
