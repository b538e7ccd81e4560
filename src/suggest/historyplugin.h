#pragma once

#include "suggest/suggestsources.h"

#include <QString>

namespace ryv {

class IProgramRunner;

// A history program of the user's choice in the plug-ins folder,
// "BrowsingHistoryView/BrowsingHistoryView": run with the options below, it
// writes the recent visits as CSV with the columns "URL", "Title",
// "Web Browser" and, optionally, "Visit Time". When it is there its rows are
// used, in the order of its file; when it is missing or fails, the browsers'
// own databases are read instead.
class THistoryPlugin final : public IBrowserHistory {
public:
    THistoryPlugin(const QString& folderPlugins, const QString& folderData, IProgramRunner& runner,
        IBrowserHistory& fallback);

    std::vector<TBrowserVisit> RecentVisits(TDateTime since) override;

    QString ProgramPath() const;
    QString CsvPath() const; // in the data folder; renewed by each run
    // The program's arguments for writing csvPath.
    static QStringList Arguments(const QString& csvPath);
    // The rows of the program's CSV; false when the file cannot be read or
    // lacks a needed column.
    static bool ReadCsv(const QString& csvPath, std::vector<TBrowserVisit>& visits);

private:
    bool Run(std::vector<TBrowserVisit>& visits);

    QString FFolderPlugins;
    QString FFolderData;
    IProgramRunner& FRunner;
    IBrowserHistory& FFallback;
};

} // namespace ryv
