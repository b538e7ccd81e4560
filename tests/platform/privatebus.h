#pragma once

// A D-Bus daemon of the test's own (dbus-daemon --session), so the D-Bus
// watchers meet fake services instead of the user's desktop. Stopped with the
// object.

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace ryv::test {

class TPrivateBus final {
public:
    TPrivateBus() = default;
    TPrivateBus(const TPrivateBus&) = delete;
    TPrivateBus& operator=(const TPrivateBus&) = delete;
    ~TPrivateBus()
    {
        for (const QString& name : FConnections)
            QDBusConnection::disconnectFromBus(name);
        if (FDaemon.state() != QProcess::NotRunning) {
            FDaemon.terminate();
            if (!FDaemon.waitForFinished(5000))
                FDaemon.kill();
            FDaemon.waitForFinished(5000);
        }
    }

    // Starts the daemon; false with the reason when it cannot be had.
    bool Start(QString& why)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (program.isEmpty()) {
            why = QStringLiteral("dbus-daemon is not installed");
            return false;
        }
        FDaemon.start(program,
            { QStringLiteral("--session"), QStringLiteral("--nofork"),
                QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1") });
        if (!FDaemon.waitForStarted(5000)) {
            why = QStringLiteral("dbus-daemon did not start: ") + FDaemon.errorString();
            return false;
        }
        while (!FDaemon.canReadLine()) {
            if (!FDaemon.waitForReadyRead(5000)) {
                why = QStringLiteral("dbus-daemon printed no address: ")
                    + QString::fromLocal8Bit(FDaemon.readAllStandardError());
                return false;
            }
        }
        FAddress = QString::fromLocal8Bit(FDaemon.readLine()).trimmed();
        return !FAddress.isEmpty();
    }

    // A new connection to the bus under a name of its own.
    QDBusConnection Connect(const QString& name)
    {
        FConnections << name;
        return QDBusConnection::connectToBus(FAddress, name);
    }

    const QString& Address() const { return FAddress; }

private:
    QProcess FDaemon;
    QString FAddress;
    QStringList FConnections;
};

} // namespace ryv::test

// Starts bus as a private bus or skips the test, saying why.
#define RYV_REQUIRE_PRIVATE_BUS(bus)                                                               \
    ::ryv::test::TPrivateBus bus;                                                                  \
    if (QString why; !bus.Start(why))                                                              \
    GTEST_SKIP() << why.toStdString()
