#pragma once

#include <QDBusConnection>
#include <QObject>

namespace ryv {

// The session's screen lock, from the ActiveChanged signal of the screen
// saver services on the session bus: org.freedesktop.ScreenSaver (KDE, Xfce,
// LXQt and others) and org.gnome.ScreenSaver (GNOME). Only the owners of those
// names are heard, so no other program can fake a lock. Without a bus or a
// screen saver service it stays silent.
class TScreenLockWatcher final : public QObject {
    Q_OBJECT
public:
    explicit TScreenLockWatcher(
        const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    // Whether the bus was there and the signals are subscribed.
    bool IsWatching() const { return FWatching; }

signals:
    // Every report of a service, repeats included.
    void lockChanged(bool locked);

private slots:
    void onActiveChanged(bool active);

private:
    bool FWatching = false;
};

} // namespace ryv
