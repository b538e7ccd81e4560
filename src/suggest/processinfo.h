#pragma once

#include <QString>

namespace ryv {

// What the system tells about a process, read below a /proc folder (another
// one in tests).
class TProcessInfo final {
public:
    explicit TProcessInfo(const QString& procRoot = QStringLiteral("/proc"));

    // The executable's path, without the " (deleted)" of a program replaced
    // since it started; empty when the process is gone or not ours to read.
    QString Executable(qint64 pid) const;

    // The app id of a flatpak ("org.mozilla.firefox") and the name of a snap
    // ("firefox") the process runs in, from its control groups or, for a
    // snap, its executable's path; empty when it runs in neither.
    struct TSandbox {
        QString flatpakId;
        QString snapName;
    };
    TSandbox Sandbox(qint64 pid, const QString& executable) const;

    // The sandbox named by the lines of a /proc/PID/cgroup file.
    static TSandbox SandboxFromCgroup(const QString& cgroupText);

private:
    QString FRoot;
};

} // namespace ryv
