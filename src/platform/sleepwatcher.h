#pragma once

#include <QDBusConnection>
#include <QObject>

namespace ryv {

// Suspend and resume from the session manager: logind's PrepareForSleep
// signal on the system bus (true before the computer sleeps, false after it
// woke up). Only logind itself is heard. Without a system bus or logind it
// stays silent; a sleep then shows as a jump of the clock.
class TSleepWatcher final : public QObject {
    Q_OBJECT
public:
    explicit TSleepWatcher(
        const QDBusConnection& bus = QDBusConnection::systemBus(), QObject* parent = nullptr);

    bool IsWatching() const { return FWatching; }

signals:
    void sleepChanged(bool sleeping);

private slots:
    void onPrepareForSleep(bool start);

private:
    bool FWatching = false;
};

} // namespace ryv
