#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <vector>

namespace ryv::test {

// Runs the window helper program (x11windowhelper.cpp) on an X display and
// keeps its windows open for as long as the object lives.
class TWindowHelper final {
public:
    // Starts the helper with one argument per window and waits until the
    // window manager lists them all; false (with Error()) when it did not.
    bool Start(const QString& program, const QString& display, const QStringList& windows,
        int timeoutMs = 30000)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        FProcess.setProcessEnvironment(env);
        FProcess.start(program, windows);
        if (!FProcess.waitForStarted(timeoutMs)) {
            FError = FProcess.errorString();
            return false;
        }
        QByteArray line;
        while (!line.contains('\n')) {
            if (!FProcess.waitForReadyRead(timeoutMs)) {
                FError = QString::fromLocal8Bit(FProcess.readAllStandardError());
                return false;
            }
            line += FProcess.readAllStandardOutput();
        }
        const QList<QByteArray> words = line.trimmed().split(' ');
        if (words.value(0) != "ready") {
            FError = QString::fromLocal8Bit(line);
            return false;
        }
        for (qsizetype i = 1; i < words.size(); ++i)
            FIds.push_back(words.at(i).toUInt());
        return true;
    }

    ~TWindowHelper()
    {
        if (FProcess.state() != QProcess::NotRunning) {
            FProcess.closeWriteChannel();
            if (!FProcess.waitForFinished(5000)) {
                FProcess.kill();
                FProcess.waitForFinished(5000);
            }
        }
    }

    // The window ids in argument order.
    const std::vector<quint32>& Ids() const { return FIds; }
    qint64 Pid() const { return FProcess.processId(); }
    QString Error() const { return FError; }

private:
    QProcess FProcess;
    std::vector<quint32> FIds;
    QString FError;
};

} // namespace ryv::test
