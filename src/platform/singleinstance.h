#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace ryv {

// One running instance per user. The first start holds a lock file and
// listens on a local socket; a later start finds the lock taken, asks the
// first through the socket to come to the front, and ends.
//
// A crash leaves the lock file and the socket file behind. The lock file
// records the owner's process id, so a lock of a dead process is taken over,
// and the stale socket name is removed before listening again.
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

    QString FServerName;
    QString FLockPath;
    std::unique_ptr<QLockFile> FLock;
    QLocalServer* FServer = nullptr;
};

} // namespace ryv
