#include "cli/commandlinerunner.h"

#include "cli/commandline.h"
#include "core/inifile.h"
#include "core/ryvoptions.h"
#include "core/settings.h"
#include "reports/reportloader.h"
#include "reports/reportwriter.h"

#include <QFileInfo>
#include <QIODevice>

namespace ryv {

TCommandLineRunner::TCommandLineRunner(TRyvOptions& options, const TClock& clock,
    TReportWriter& writer, std::function<void()> askWindowToSave)
    : FOptions(options)
    , FClock(clock)
    , FWriter(writer)
    , FAskWindowToSave(std::move(askWindowToSave))
{
}

bool TCommandLineRunner::LoadSettings(QString& error)
{
    // A settings file that cannot be read would silently give a report
    // without the user's groups and title: better none at all.
    TIniFile ini(FOptions.SettingsFilePath());
    QString reason;
    if (!ini.Load(&reason)) {
        error = QStringLiteral("cannot read the settings file %1: %2")
                    .arg(FOptions.SettingsFilePath(), reason);
        return false;
    }
    TReportChecks checks;
    ::ryv::LoadSettings(ini, FOptions, checks);
    return true;
}

int TCommandLineRunner::Run(const TCliRequest& request, QIODevice& out, QString& error)
{
    if (!LoadSettings(error))
        return ExitBadInput;
    if (FOnSettingsLoaded)
        FOnSettingsLoaded(FOptions);
    if (FAskWindowToSave)
        FAskWindowToSave();

    const bool toFile = !request.output.isEmpty();
    QString reason;
    if (request.command == TCliCommand::Export) {
        const std::vector<TRyvItem> entries = LoadDayEntries(FOptions, FClock, request.day);
        if (toFile) {
            if (!FWriter.WriteList(request.format, entries, request.day, request.output, &reason)) {
                error = QStringLiteral("cannot write %1: %2").arg(request.output, reason);
                return ExitWriteFailed;
            }
            return ExitOk;
        }
        QByteArray bytes;
        if (!FWriter.ListBytes(request.format, entries, request.day, bytes, &reason)) {
            error = QStringLiteral("cannot make the PDF: %1").arg(reason);
            return ExitWriteFailed;
        }
        return WriteOut(bytes, out, error);
    }

    TWriteStatus status = TWriteStatus::Ok;
    QByteArray bytes;
    if (toFile)
        status = FWriter.WriteReport(
            request.format, request.output, request.period, request.daily, request.groups, &reason);
    else
        status = FWriter.ReportBytes(
            request.format, request.period, request.daily, request.groups, bytes, &reason);
    switch (status) {
    case TWriteStatus::Ok:
        break;
    case TWriteStatus::InvalidMask:
        // The group masks come from the settings file: name it.
        error = QStringLiteral("%1 (group masks of %2)")
                    .arg(QString(reason).replace(QLatin1Char('\n'), QLatin1Char(' ')),
                        FOptions.SettingsFilePath());
        return ExitBadInput;
    case TWriteStatus::WriteFailed:
        error = toFile ? QStringLiteral("cannot write %1: %2").arg(request.output, reason)
                       : QStringLiteral("cannot make the PDF: %1").arg(reason);
        return ExitWriteFailed;
    }
    return toFile ? ExitOk : WriteOut(bytes, out, error);
}

int TCommandLineRunner::WriteOut(const QByteArray& bytes, QIODevice& out, QString& error)
{
    // A reader that has gone (a pipe into head) fails the write here, as the
    // program ignores SIGPIPE.
    if (out.write(bytes) != bytes.size()) {
        error = QStringLiteral("cannot write the output: %1").arg(out.errorString());
        return ExitWriteFailed;
    }
    return ExitOk;
}

} // namespace ryv
