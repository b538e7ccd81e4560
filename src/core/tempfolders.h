#pragma once

#include <QString>
#include <QTemporaryDir>

namespace ryv {

// A folder of our own for temporary files (the copies of a browser's history,
// the HTML and PDF of a conversion): made in base as
// "ryvtracker-<process id>-XXXXXX" with mode 0700, so only we may enter it,
// and removed with everything in it when the object goes. A process that is
// killed leaves its folder; the process id in the name lets the next start
// tell a leftover from the folder of a process that still runs
// (RemoveLeftoverTempFolders).
class TPrivateTempFolder final {
public:
    // base: the folder to make it in (empty: the system's temporary folder).
    explicit TPrivateTempFolder(const QString& base = QString());

    bool IsValid() const { return FDir.isValid(); }
    // Why the folder could not be made.
    QString ErrorString() const { return FDir.errorString(); }
    QString Path() const { return FDir.path(); }
    QString FilePath(const QString& name) const { return FDir.filePath(name); }

private:
    QTemporaryDir FDir;
};

// $XDG_RUNTIME_DIR when it is set and a folder: it lives in memory and only
// the user may enter it; else the system's temporary folder.
QString RuntimeTempBase();

// Removes from base the private folders of ours whose process has ended: a
// folder whose name is that of a TPrivateTempFolder (or of the copies of
// browser history that earlier versions made, "ryv-history-XXXXXX"), that is
// a folder and no link, owned by this user and of mode 0700, and whose process
// is gone (or runs as another user, so is not ours). A process of this user
// with that id is taken as the owner still at work, whatever it is: its
// folder waits for a later start. Nothing else in base is touched. Returns how
// many folders were removed.
//
// Only the window that holds the program's single-instance lock calls it, at
// its start: no copy or conversion of its own runs yet, and those of a report
// from the command line are kept while it runs.
int RemoveLeftoverTempFolders(const QString& base);

} // namespace ryv
