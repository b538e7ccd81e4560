#include "core/ryvoptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ryv {

namespace {

QString WithSeparator(const QString& folder)
{
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}

QString ExecutableFolder()
{
    // applicationDirPath needs the application object; code that runs before
    // it exists asks the kernel for the executable instead.
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    const QFileInfo exe(QStringLiteral("/proc/self/exe"));
    const QString target = exe.canonicalFilePath();
    return target.isEmpty() ? QDir::currentPath() : QFileInfo(target).absolutePath();
}

QString UserDataFolder()
{
    // Without an application name Qt would hand out the shared data folder
    // itself; the program's files must never land there.
    QString folder;
    if (!QCoreApplication::applicationName().isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty()) {
        QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (base.isEmpty())
            base = QDir::homePath() + QStringLiteral("/.local/share");
        folder = base + QStringLiteral("/RyvTracker");
    }
    return folder;
}

} // namespace

TRyvOptions::TRyvOptions()
    : TRyvOptions(ResolveFolderApp(ExecutableFolder(), UserDataFolder()))
{
}

TRyvOptions::TRyvOptions(const QString& folderApp)
    : FolderApp(WithSeparator(folderApp))
    , FolderData(FolderApp + QStringLiteral("data/"))
    , FolderPlugins(FolderApp + QStringLiteral("plugins/"))
{
}

QString TRyvOptions::SettingsFilePath() const
{
    return FolderApp + QStringLiteral("RyvTracker.ini");
}

QString TRyvOptions::ResolveFolderApp(const QString& exeFolder, const QString& userFolder)
{
    const QDir exe(exeFolder);
    const bool portable = QFileInfo(exe.filePath(QStringLiteral("data"))).isDir()
        || QFileInfo::exists(exe.filePath(QStringLiteral("RyvTracker.ini")));
    return WithSeparator(portable ? exeFolder : userFolder);
}

} // namespace ryv
