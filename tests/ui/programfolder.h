#pragma once

// The program itself in a portable folder of its own: a copy of the built
// program with its language files, its data folder beside it, and a HOME and
// an XDG_RUNTIME_DIR there too, so nothing of the user's is read or written
// and no other instance is found. Started on the suite's X server.

#include "core/datetime.h"
#include "core/listfiles.h"
#include "core/ryvitem.h"
#include "core/ryvoptions.h"
#include "x11properties.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace ryv::test {

class TProgramFolder final {
public:
    // Copies the program and its language files; check IsValid() after.
    TProgramFolder()
    {
        const QDir dir(FDir.path());
        const QDir builtLangs(
            QFileInfo(QStringLiteral(RYV_PROGRAM)).dir().filePath(QStringLiteral("Langs")));
        bool ok = FDir.isValid() && QFile::copy(QStringLiteral(RYV_PROGRAM), Program())
            && dir.mkpath(QStringLiteral("Langs"));
        for (const QString& name : builtLangs.entryList({ QStringLiteral("*.lng") }, QDir::Files))
            ok = ok
                && QFile::copy(
                    builtLangs.filePath(name), dir.filePath(QStringLiteral("Langs/") + name));
        for (const char* sub : { "data", "home", "run" })
            ok = ok && dir.mkpath(QString::fromLatin1(sub));
        ok = ok
            && QFile::setPermissions(dir.filePath(QStringLiteral("run")),
                QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        FValid = ok;
    }

    bool IsValid() const { return FValid; }
    QString Path() const { return FDir.path(); }
    QString Program() const { return FDir.filePath(QStringLiteral("RyvTracker")); }
    // The folders and files of the program, as the program resolves them.
    TRyvOptions Options() const { return TRyvOptions(FDir.path()); }

    // current.lst holds one task, started five minutes ago and still
    // running, so it resumes as today's running task.
    bool WriteRunningTask(const QString& title, QString* error) const
    {
        TRyvItem running;
        running.title = title;
        running.start = TruncToMinute(FromQDateTime(QDateTime::currentDateTime().addSecs(-300)));
        return WriteDayFile(DayFilePath(Options(), 0), {}, &running, error);
    }

    // Starts the program (args empty: the window) on display.
    void Start(QProcess& process, const QString& display, const QStringList& args = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("HOME"), FDir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), FDir.filePath(QStringLiteral("run")));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(FDir.path());
        process.start(Program(), args);
    }

private:
    QTemporaryDir FDir;
    bool FValid = false;
};

// The top-level windows that the process pid shows, as the window manager
// lists them.
inline QList<xcb_window_t> WindowsOf(const TX11Properties& x11, qint64 pid)
{
    QList<xcb_window_t> windows;
    for (const xcb_window_t w : x11.ClientWindows()) {
        const QByteArray p = x11.Get(w, "_NET_WM_PID");
        if (p.size() == 4 && *reinterpret_cast<const quint32*>(p.constData()) == pid)
            windows << w;
    }
    return windows;
}

} // namespace ryv::test
