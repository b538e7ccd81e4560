#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace ryv {

// Whether opening a task's link also puts the time spent on the clipboard,
// and in which form (SpentTextStandard, SpentTextGit). Stored as its number.
enum class TSpendToClipboard : quint8 { Disabled = 0, Standard = 1, Git = 2 };
inline constexpr int SpendToClipboardCount = 3;

// What the window title shows besides the running task. Stored as its number.
enum class TWindowTitleType : quint8 { CurrentTask = 0, TotalDuration = 1 };
inline constexpr int WindowTitleTypeCount = 2;

// The program's options and folders. Lives for the whole run; filled from the
// settings file when the main window is created and written back when it
// closes (settings.h). Folders always end with a path separator.
class TRyvOptions final {
public:
    // Folders resolved for this user: the executable's folder when it holds a
    // folder "data" or the file "RyvTracker.ini" (portable mode), otherwise
    // the per-user application data folder.
    TRyvOptions();
    // Every folder below the given one; tests run each in its own temporary
    // folder this way.
    explicit TRyvOptions(const QString& folderApp);

    QString FolderApp; // base of the other folders
    QString FolderData; // FolderApp + "data/"
    QString FolderPlugins; // FolderApp + "plugins/"
    QSize TaskDlgSize { 0, 0 };
    QStringList ExcludedApps;
    int RecentMaxCnt = 10;
    bool ListShowStop = true;
    QString ExportExt = QStringLiteral("html");
    QString ReportsTitle;
    bool ReportCharts = false; // HTML and PDF reports start with charts
    TSpendToClipboard SpendToClipboard = TSpendToClipboard::Git;
    QStringList GroupMasks; // "name=mask"
    TWindowTitleType WindowTitleType = TWindowTitleType::CurrentTask;
    bool AutoShowSuggest = true;
    QString LangCode;
    QString StateExportLast;
    bool StateFavsChanged = false;
    // Minutes away from the computer while a task runs after which the user
    // is asked what the time was; 0 never asks. At most a day.
    static constexpr int DefaultAwayMinutes = 10;
    static constexpr int MaxAwayMinutes = 1440;
    int AwayMinutes = DefaultAwayMinutes;
    // Closing the window hides it in the tray (when there is one) and tracking
    // goes on.
    bool CloseToTray = false;

    // FolderApp + "RyvTracker.ini"
    QString SettingsFilePath() const;

    // The folder portable mode or the per-user folder would give for an
    // executable in exeFolder (exposed for tests).
    static QString ResolveFolderApp(const QString& exeFolder, const QString& userFolder);
};

} // namespace ryv
