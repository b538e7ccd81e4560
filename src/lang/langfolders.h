#pragma once

#include <QString>
#include <QStringList>

namespace ryv {

// Where language files are looked for. The base folders are tried in order
// and the first that holds any language file is used; the user folder, when
// set, adds its user files (*.lngu) to whatever the base folder gave, so a
// user can override single texts of an installed program.
struct TLangFolders {
    QStringList baseFolders;
    QString userFolder;
};

// The folders for this installation. Installed (the executable in
// "<prefix>/bin" next to "<prefix>/share/RyvTracker/Langs"): that folder.
// Otherwise, or when it does not exist, the executable's "Langs" folder and
// then the executable's own folder. The user folder is the per-user data
// folder's "Langs" (~/.local/share/RyvTracker/Langs), since a user cannot
// write into an installed program's folder.
TLangFolders DefaultLangFolders();
// The same for an executable in exeFolder with userDataFolder as the per-user
// data folder (for tests).
TLangFolders LangFoldersFor(const QString& exeFolder, const QString& userDataFolder);

} // namespace ryv
