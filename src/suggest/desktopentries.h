#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

namespace ryv {

// What a desktop entry tells about one program.
struct TDesktopEntry final {
    QString id; // the desktop file id without ".desktop" ("org.gnome.Nautilus")
    QString name; // Name, localized for the user
    QString icon; // Icon: a theme name or a file path
    QString program; // the program of TryExec, else of Exec, as written
    QString startupWMClass;
    // The program as an absolute, canonical path; found on first use.
    mutable QString programPath;
    mutable bool programResolved = false;
};

// How a window's program may be recognised, strongest first.
struct TProgramKeys final {
    QString flatpakId; // the sandbox's app id ("org.mozilla.firefox")
    QString snapName; // the snap's name ("firefox")
    QString applicationId; // _GTK_APPLICATION_ID or _KDE_NET_WM_DESKTOP_FILE
    QStringList wmClass; // WM_CLASS: instance, class
    QString executable; // the process's executable, canonical
};

// The desktop entries of the installed programs, read once per gathering of
// suggestions: they give a window's program its name and icon. Only the
// [Desktop Entry] group counts; entries marked Hidden are left out. Input is
// hostile: files are bounded in size and number, and only regular files are
// read.
class TDesktopEntries final {
public:
    // Reads the "*.desktop" files below each folder (and its subfolders);
    // for the same file id the earlier folder wins. localeName picks the
    // Name[xx] ("de_DE.UTF-8", "sr_RS@latin"; empty for none).
    TDesktopEntries(const QStringList& applicationFolders, const QString& localeName);

    // $XDG_DATA_HOME/applications, each $XDG_DATA_DIRS/applications, then the
    // export folders of flatpak and snap not named yet.
    static QStringList ApplicationFolders();

    // The locale of the user's messages: $LC_ALL, else $LC_MESSAGES, else
    // $LANG ("de_DE.UTF-8"); empty when none is set.
    static QString UserLocaleName();

    // Fills entry from the text of a desktop file; false when it is no
    // program's entry to use (no [Desktop Entry], Hidden=true, another Type).
    static bool Parse(const QByteArray& data, const QString& localeName, TDesktopEntry& entry);

    // The program of an Exec or TryExec value: its first word, quotes and
    // escapes undone, leading "env" and VAR=value words skipped.
    static QString ExecProgram(const QString& exec);

    // The entry of a window's program, trying in order: the flatpak or snap
    // app id, the application id the window names, StartupWMClass equal to a
    // WM_CLASS name, the entry's program equal to the executable, and the file
    // id equal to a WM_CLASS name (any case). Null when none fits.
    const TDesktopEntry* Find(const TProgramKeys& keys) const;

    const std::vector<TDesktopEntry>& Entries() const { return FEntries; }

    // A desktop entry is a few kilobytes, translations included; a larger
    // file is skipped unread.
    static constexpr qint64 MaxFileSize = 512 * 1024;
    static constexpr int MaxEntries = 20000;

private:
    void ReadFolder(const QString& folder, const QString& localeName);
    const QString& ResolvedProgram(const TDesktopEntry& entry) const;

    std::vector<TDesktopEntry> FEntries;
    QSet<QString> FSeenIds; // of hidden entries too
};

} // namespace ryv
