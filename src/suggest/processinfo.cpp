#include "suggest/processinfo.h"

#include "core/textfile.h"

#include <QFile>
#include <QRegularExpression>

namespace ryv {

TProcessInfo::TProcessInfo(const QString& procRoot)
    : FRoot(procRoot)
{
}

QString TProcessInfo::Executable(qint64 pid) const
{
    if (pid <= 0)
        return {};
    QString path = QFile::symLinkTarget(QStringLiteral("%1/%2/exe").arg(FRoot).arg(pid));
    if (path.endsWith(QLatin1String(" (deleted)")))
        path.chop(10);
    return path;
}

TProcessInfo::TSandbox TProcessInfo::SandboxFromCgroup(const QString& cgroupText)
{
    // systemd names the scope of a sandboxed app after it:
    //   .../app-flatpak-org.mozilla.firefox-12345.scope
    //   .../snap.firefox.firefox-0c1d....scope
    static const QRegularExpression flatpak(
        QStringLiteral("app-flatpak-([A-Za-z0-9_.-]+?)-[0-9]+\\.scope"));
    static const QRegularExpression snap(QStringLiteral("/snap\\.([a-z0-9-]+)\\.[^/]*\\.scope"));
    TSandbox sandbox;
    const QRegularExpressionMatch f = flatpak.match(cgroupText);
    if (f.hasMatch())
        sandbox.flatpakId = f.captured(1);
    const QRegularExpressionMatch s = snap.match(cgroupText);
    if (s.hasMatch())
        sandbox.snapName = s.captured(1);
    return sandbox;
}

TProcessInfo::TSandbox TProcessInfo::Sandbox(qint64 pid, const QString& executable) const
{
    TSandbox sandbox;
    if (pid > 0) {
        // A process's control groups fit in a few lines.
        if (const std::optional<QByteArray> bytes
            = ReadFileBytes(QStringLiteral("%1/%2/cgroup").arg(FRoot).arg(pid), 16 * 1024))
            sandbox = SandboxFromCgroup(QString::fromUtf8(*bytes));
    }
    if (sandbox.snapName.isEmpty() && executable.startsWith(QLatin1String("/snap/"))) {
        const qsizetype end = executable.indexOf(QLatin1Char('/'), 6);
        if (end > 6)
            sandbox.snapName = executable.mid(6, end - 6);
    }
    return sandbox;
}

} // namespace ryv
