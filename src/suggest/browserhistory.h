#pragma once

#include "suggest/suggestsources.h"

#include <QString>

#include <vector>

namespace ryv {

// One browser's history database.
struct THistoryDatabase final {
    enum class TKind { Firefox, Chromium };
    QString path; // places.sqlite or History
    QString browser; // the browser's name, as its desktop entry spells it
    TKind kind = TKind::Firefox;
};

// The pages the user opened, read from the browsers' own history databases:
// Firefox (every profile of each profiles.ini) and the Chromium family
// (Chromium, Google Chrome, Brave, Vivaldi, Microsoft Edge, Opera), native,
// snap and flatpak installs alike.
//
// A running browser keeps its database locked, and the last minutes live in
// its write-ahead log (Firefox) or journal (Chromium): each database is
// copied with that file into a private temporary folder (TPrivateTempFolder:
// only we may enter it; removed afterwards, or at the next start when we were
// killed meanwhile) and the copy is read. A database that is missing,
// locked, corrupt or of another schema gives nothing, never an error. The
// files are hostile input: only regular files are copied, the query's time
// and the rows and texts taken are bounded.
class TBrowserHistory final : public IBrowserHistory {
public:
    // home: the user's home folder; configHome: $XDG_CONFIG_HOME (empty for
    // home/.config); tempFolder: where the private copies go (empty for
    // DefaultTempFolder()).
    TBrowserHistory(
        const QString& home, const QString& configHome, const QString& tempFolder = QString());

    // $XDG_RUNTIME_DIR when set: it lives in memory, so copying a 100 MB
    // database there costs no disk writes; else the system's temporary folder.
    static QString DefaultTempFolder();

    // Visits since `since` of every database, newest first.
    std::vector<TBrowserVisit> RecentVisits(TDateTime since) override;

    static std::vector<THistoryDatabase> FindDatabases(
        const QString& home, const QString& configHome);
    // The visits since `since` in one database, newest first, at most
    // MaxRowsPerDatabase.
    static std::vector<TBrowserVisit> ReadDatabase(
        const THistoryDatabase& database, TDateTime since, const QString& tempFolder);

    // The Path of each [Profile...] of a Firefox profiles.ini, made absolute.
    static QStringList FirefoxProfiles(const QString& profilesIni);

    static constexpr int MaxRowsPerDatabase = 2000;
    static constexpr int MaxUrlBytes = 8192;
    static constexpr int MaxTitleBytes = 4096;
    static constexpr int QueryTimeLimitMs = 2000;

private:
    QString FHome;
    QString FConfigHome;
    QString FTempFolder;
};

} // namespace ryv
