#include "core/tempfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <climits>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ryv {

namespace {

// The name's form is what RemoveLeftoverTempFolders recognises; it must not
// change without the pattern below.
QString TemplateIn(const QString& base)
{
    const QString folder = base.isEmpty() ? QDir::tempPath() : base;
    return QDir(folder).filePath(
        QStringLiteral("ryvtracker-%1-XXXXXX").arg(QCoreApplication::applicationPid()));
}

// Whether the process that made a folder may still be at work in it: a
// process of this user with that id runs. Another user's process of that id
// cannot be ours.
bool OwnerMayRun(qint64 pid)
{
    if (pid <= 0 || pid > INT_MAX)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0;
}

bool IsOurPrivateFolder(const QString& path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)
        && st.st_uid == ::getuid() && (st.st_mode & 07777) == S_IRWXU;
}

} // namespace

TPrivateTempFolder::TPrivateTempFolder(const QString& base)
    : FDir(TemplateIn(base))
{
}

QString RuntimeTempBase()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return runtime;
    return QDir::tempPath();
}

int RemoveLeftoverTempFolders(const QString& base)
{
    static const QRegularExpression current(
        QStringLiteral("^ryvtracker-([0-9]{1,10})-[A-Za-z0-9]{6}$"));
    // Earlier versions copied the browsers' history into folders without a
    // process id; only the window made them, and the caller is the window.
    static const QRegularExpression earlier(QStringLiteral("^ryv-history-[A-Za-z0-9]{6}$"));
    const QDir dir(base);
    int removed = 0;
    const QStringList names
        = dir.entryList({ QStringLiteral("ryvtracker-*"), QStringLiteral("ryv-history-*") },
            QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QRegularExpressionMatch ours = current.match(name);
        if (ours.hasMatch() ? OwnerMayRun(ours.captured(1).toLongLong())
                            : !earlier.match(name).hasMatch())
            continue;
        const QString path = dir.filePath(name);
        // A link or a folder of anyone else's is not ours to clear, whatever
        // its name.
        if (!IsOurPrivateFolder(path))
            continue;
        if (QDir(path).removeRecursively())
            ++removed;
    }
    return removed;
}

} // namespace ryv
