#include "platform/sleepwatcher.h"

namespace ryv {

TSleepWatcher::TSleepWatcher(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
{
    if (!bus.isConnected())
        return;
    QDBusConnection connection(bus);
    FWatching = connection.connect(QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
        QStringLiteral("PrepareForSleep"), this, SLOT(onPrepareForSleep(bool)));
}

void TSleepWatcher::onPrepareForSleep(bool start)
{
    emit sleepChanged(start);
}

} // namespace ryv
