#include "lang/langfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ryv {

namespace {

QString ExecutableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    const QString target = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return target.isEmpty() ? QDir::currentPath() : QFileInfo(target).absolutePath();
}

QString UserDataFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/RyvTracker");
}

} // namespace

TLangFolders DefaultLangFolders()
{
    return LangFoldersFor(ExecutableFolder(), UserDataFolder());
}

TLangFolders LangFoldersFor(const QString& exeFolder, const QString& userDataFolder)
{
    TLangFolders folders;
    const QDir exe(exeFolder);
    const QString installed
        = QDir::cleanPath(exe.filePath(QStringLiteral("../share/RyvTracker/Langs")));
    if (QFileInfo(installed).isDir())
        folders.baseFolders << installed;
    folders.baseFolders << QDir::cleanPath(exe.filePath(QStringLiteral("Langs")))
                        << QDir::cleanPath(exe.absolutePath());
    if (!userDataFolder.isEmpty())
        folders.userFolder = QDir::cleanPath(userDataFolder + QStringLiteral("/Langs"));
    return folders;
}

} // namespace ryv
