#include "platform/shell.h"

#include "core/apptexts.h"

#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include <csignal>

#include <sys/prctl.h>
#include <unistd.h>

namespace ryv {

QString ExpandPath(const QString& path)
{
    QString result = path;
    if (result == QLatin1String("~") || result.startsWith(QLatin1String("~/")))
        result.replace(0, 1, QDir::homePath());
    static const QRegularExpression var(
        QStringLiteral(R"(\$(?:\{([A-Za-z_][A-Za-z0-9_]*)\}|([A-Za-z_][A-Za-z0-9_]*)))"));
    QString expanded;
    qsizetype last = 0;
    for (auto it = var.globalMatch(result); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        expanded += QStringView(result).mid(last, m.capturedStart() - last);
        const QString name = m.hasCaptured(1) ? m.captured(1) : m.captured(2);
        expanded += qEnvironmentVariable(name.toLocal8Bit().constData());
        last = m.capturedEnd();
    }
    expanded += QStringView(result).mid(last);
    return expanded;
}

QUrl ShellTargetUrl(const QString& target)
{
    const QString text = target.trimmed();
    if (text.isEmpty())
        return {};
    // A scheme of two letters or more: "C:" style drive letters do not
    // exist here, but one-letter schemes do not either.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(text).hasMatch())
        return QUrl(text, QUrl::TolerantMode);
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
    return QUrl::fromLocalFile(QFileInfo(ExpandPath(text)).absoluteFilePath());
}

QUrl FileTargetUrl(const QString& path)
{
    if (path.isEmpty())
        return {};
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

bool ShellOpen(const QString& target)
{
    const QUrl url = ShellTargetUrl(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

TDesktopShell::TDesktopShell()
    : FOpener(&QDesktopServices::openUrl)
{
}

TDesktopShell::TDesktopShell(TOpener opener)
    : FOpener(std::move(opener))
{
}

bool TDesktopShell::ShellOpen(const QString& target)
{
    const QUrl url = ShellTargetUrl(target);
    return url.isValid() && FOpener && FOpener(url);
}

bool TDesktopShell::OpenFile(const QString& path)
{
    const QUrl url = FileTargetUrl(path);
    return url.isValid() && FOpener && FOpener(url);
}

void EndWithThisProcess(QProcess& process)
{
    const pid_t parent = ::getpid();
    // Runs in the child between fork and exec: system calls only.
    process.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        // We may have died before the line above: then nobody is left to
        // send the signal.
        if (::getppid() != parent)
            ::_exit(127);
        ::signal(SIGPIPE, SIG_DFL);
    });
}

TRunResult ShellOpenAndWait(
    const QString& program, const QStringList& arguments, const QString& directory, int timeoutMs)
{
    TRunResult result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!directory.isEmpty())
        process.setWorkingDirectory(directory);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    EndWithThisProcess(process);

    QEventLoop loop;
    bool failedToStart = false;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });
    bool timedOut = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        process.kill();
    });
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (timeoutMs >= 0)
        limit.start(timeoutMs);
    // A missing program is reported at once by start() or later through the
    // loop; either way the loop is not entered or ends.
    if (!failedToStart && process.state() != QProcess::NotRunning)
        loop.exec();
    if (failedToStart || process.state() != QProcess::NotRunning) {
        result.Error = process.errorString();
        return result;
    }
    result.Started = true;
    if (timedOut) {
        result.TimedOut = true;
        result.Error = AppTexts().str_program_timeout.arg(timeoutMs / 1000.0);
        return result;
    }
    result.Crashed = process.exitStatus() == QProcess::CrashExit;
    result.ExitCode = process.exitCode();
    if (result.Crashed)
        result.Error = process.errorString();
    return result;
}

} // namespace ryv
