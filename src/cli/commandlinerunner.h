#pragma once

#include <QString>

#include <functional>
#include <utility>

class QIODevice;

namespace ryv {

class TClock;
class TReportWriter;
class TRyvOptions;
struct TCliRequest;

// Runs a report or an export of the command line with the window's own
// engine: the data folder of the options, the settings file beside it (the
// title, the group masks, the stop times and the charts), the report writer.
// It never changes a data file or the settings, and removes nothing: not even
// a temporary file that looks left over, which may be the running window's
// save in progress.
class TCommandLineRunner final {
public:
    // askWindowToSave: asks a running window to write its pending saves
    // first, so its last minutes are on disk (may be empty).
    TCommandLineRunner(TRyvOptions& options, const TClock& clock, TReportWriter& writer,
        std::function<void()> askWindowToSave = {});

    // Told the options once the settings file is read, before anything is
    // written (the entry point loads the language the settings name).
    void SetOnSettingsLoaded(std::function<void(const TRyvOptions&)> handler)
    {
        FOnSettingsLoaded = std::move(handler);
    }

    // Writes the document to the request's file, or to out when it names
    // none. Returns the exit code; error is then the one-line message.
    int Run(const TCliRequest& request, QIODevice& out, QString& error);

private:
    bool LoadSettings(QString& error);
    static int WriteOut(const QByteArray& bytes, QIODevice& out, QString& error);

    TRyvOptions& FOptions;
    const TClock& FClock;
    TReportWriter& FWriter;
    std::function<void()> FAskWindowToSave;
    std::function<void(const TRyvOptions&)> FOnSettingsLoaded;
};

} // namespace ryv
