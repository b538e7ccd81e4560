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
    // applicationDirPath needs the application object; fall back to the
    // working folder for code that runs before it exists.
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString UserDataFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.local/share/RyvTracker");
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
