#include "platform/screenlockwatcher.h"

namespace ryv {

TScreenLockWatcher::TScreenLockWatcher(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
{
    if (!bus.isConnected())
        return;
    QDBusConnection connection(bus);
    // Any object path: KDE announces the lock on /ScreenSaver as well as on
    // /org/freedesktop/ScreenSaver.
    const bool freedesktop = connection.connect(QStringLiteral("org.freedesktop.ScreenSaver"),
        QString(), QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("ActiveChanged"),
        this, SLOT(onActiveChanged(bool)));
    const bool gnome = connection.connect(QStringLiteral("org.gnome.ScreenSaver"), QString(),
        QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("ActiveChanged"), this,
        SLOT(onActiveChanged(bool)));
    FWatching = freedesktop || gnome;
}

void TScreenLockWatcher::onActiveChanged(bool active)
{
    emit lockChanged(active);
}

} // namespace ryv
