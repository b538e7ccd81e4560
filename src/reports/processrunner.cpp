#include "reports/processrunner.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace ryv {

int TProcessRunner::RunAndWait(const QString& program, const QStringList& arguments,
                               QString* errorText)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            loop.quit();
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        process.kill();
    });
    process.start(program, arguments);
    // A program that cannot be started may be reported at once, before the
    // loop would run.
    if (process.state() != QProcess::NotRunning) {
        limit.start(FTimeoutMs);
        loop.exec();
    }
    if (process.error() == QProcess::FailedToStart || timedOut
        || process.exitStatus() != QProcess::NormalExit) {
        if (errorText)
            *errorText = timedOut ? QStringLiteral("%1 did not end in time").arg(program)
                                  : process.errorString();
        return -1;
    }
    return process.exitCode();
}

} // namespace ryv
