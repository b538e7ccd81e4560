#pragma once

#include "tracking/awayports.h"

#include <QDBusConnection>
#include <QObject>
#include <QPointer>

#include <memory>

namespace ryv {

class TAwayTracker;
class TScreenLockWatcher;
class TSleepWatcher;

// The desktop's sources of away time for TAwayTracker: the X server's idle
// time (on an X11 session whose server has the screen-saver extension), the
// screen lock on the session bus and sleep on the system bus. Each works only
// where the desktop has it; the others stay silent.
class TAwaySources final : public QObject {
    Q_OBJECT
public:
    // The user's desktop.
    explicit TAwaySources(QObject* parent = nullptr);
    // Given buses and idle source (nullptr for none).
    TAwaySources(const QDBusConnection& session, const QDBusConnection& system,
        std::unique_ptr<IIdleTime> idle, QObject* parent = nullptr);
    ~TAwaySources() override;

    // Hands the idle source to away and connects the lock and sleep signals
    // to it. Either may be destroyed first.
    void Attach(TAwayTracker& away);

    IIdleTime* IdleTime() const { return FIdle.get(); }
    const TScreenLockWatcher& LockWatcher() const { return *FLock; }
    const TSleepWatcher& SleepWatcher() const { return *FSleep; }

private:
    std::unique_ptr<IIdleTime> FIdle;
    TScreenLockWatcher* FLock;
    TSleepWatcher* FSleep;
    QPointer<TAwayTracker> FAttached;
};

} // namespace ryv
