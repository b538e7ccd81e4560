#include "reports/reportcommands.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/daylist.h"
#include "core/ports.h"
#include "core/ryvoptions.h"
#include "core/texthelpers.h"
#include "reports/exporttext.h"
#include "reports/groupmasks.h"
#include "reports/reportperiods.h"
#include "reports/reportports.h"
#include "reports/reportwriter.h"

#include <QDir>
#include <QFileInfo>

namespace ryv {

namespace {

QString FolderOf(const QString& path)
{
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

QString InFolder(const QString& folder, const QString& name)
{
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}

// A menu or button caption as plain text: "&&" is an ampersand, a single
// "&" only marks the accelerator key.
QString WithoutAccelerator(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
                text += caption.at(++i);
            continue;
        }
        text += caption.at(i);
    }
    return text;
}

} // namespace

TReportCommands::TReportCommands(
    TRyvOptions& options, const TClock& clock, TReportWriter& writer, const TReportPorts& ports)
    : FOptions(options)
    , FClock(clock)
    , FWriter(writer)
    , FPorts(ports)
{
}

bool TReportCommands::UsesHistoryList(
    bool secondaryVisible, bool historyVisible, bool historyFocused, bool fromHistoryButton)
{
    return secondaryVisible && historyVisible && (fromHistoryButton || historyFocused);
}

std::vector<TRyvItem> TReportCommands::EntriesOf(const TDayList& list)
{
    std::vector<TRyvItem> entries;
    entries.reserve(static_cast<size_t>(list.Count()));
    for (int row = 0; row < list.Count(); ++row)
        entries.push_back(*list.Item(row));
    return entries;
}

void TReportCommands::acCopyToClipboardExecute(const TDayList& list)
{
    FPorts.clipboard.SetText(ListClipboardText(EntriesOf(list)));
}

QString TReportCommands::AskFileName(const QString& title, const QString& initialPath)
{
    TSaveDialogRequest request;
    request.title = title;
    request.filters = QtFileFilters(ExportFilter(FOptions.ExportExt));
    request.selectedFilter = request.filters.value(0);
    request.defaultSuffix = FOptions.ExportExt;
    request.initialPath = initialPath;
    const QString path = FPorts.saveDialog.GetSaveFileName(request);
    if (path.isEmpty())
        return {};
    FOptions.ExportExt = ExtensionOfPath(path);
    FOptions.StateExportLast = path;
    return path;
}

void TReportCommands::ReportFailure(const QString& path, const QString& errorText)
{
    FPorts.messages.Warning(
        FailureText(AppTexts().str_file_cannotsave, path + QStringLiteral("\r\n") + errorText));
}

void TReportCommands::acExportExecute(const TDayList& list, const QString& dialogTitle)
{
    // What is exported is the list as it stood when the command was given:
    // the save dialog is modal, and its event loop may change the list
    // (the clock may pass midnight meanwhile).
    const std::vector<TRyvItem> entries = EntriesOf(list);
    const QString last = FOptions.StateExportLast;
    const TDateTime day = list.IsToday() ? MidnightOf(FClock.Now()) : list.HistoryDate();
    QString initialPath;
    if (last.isEmpty() || !list.IsToday()) {
        // The day's own name: the file of the day with the export's extension.
        initialPath
            = InFolder(FolderOf(last), DateToText(day) + QLatin1Char('.') + FOptions.ExportExt);
    } else {
        initialPath = last;
    }
    const QString path = AskFileName(dialogTitle, initialPath);
    if (path.isEmpty())
        return;

    QString error;
    bool written = false;
    {
        // The cursor is back before any message box shows.
        TBusyCursorGuard busy(FPorts.busyCursor);
        written = FWriter.WriteList(ExportTypeOf(FOptions.ExportExt), entries, day, path, &error);
    }
    if (!written) {
        ReportFailure(path, error);
        return;
    }
    FPorts.shell.OpenFile(path);
}

void TReportCommands::sbRep0Click(
    int tag, const QString& caption, const QString& hint, bool daily, bool byGroups)
{
    const TReportPeriod period = ReportPeriod(tag, FClock.Now());

    const QString plainCaption = WithoutAccelerator(caption);
    const QString name = plainCaption.isEmpty() ? AppTexts().str_report : plainCaption;
    QString initialPath;
    const QString last = FOptions.StateExportLast;
    if (!last.isEmpty()) {
        const QString suffix = QFileInfo(last).suffix();
        initialPath
            = InFolder(FolderOf(last), suffix.isEmpty() ? name : name + QLatin1Char('.') + suffix);
    } else {
        initialPath = name + QLatin1Char('.') + FOptions.ExportExt;
    }
    // The button hints are empty unless a language file gives them; the
    // period's caption then says which report is being saved.
    const QString detail = hint.isEmpty() ? plainCaption : hint;
    const QString path
        = AskFileName(AppTexts().str_report + QStringLiteral(" - ") + detail, initialPath);
    if (path.isEmpty())
        return;

    QString error;
    TWriteStatus status = TWriteStatus::Ok;
    {
        TBusyCursorGuard busy(FPorts.busyCursor);
        status = FWriter.WriteReport(
            ExportTypeOf(FOptions.ExportExt), path, period, daily, byGroups, &error);
    }
    switch (status) {
    case TWriteStatus::Ok:
        FPorts.shell.OpenFile(path);
        break;
    case TWriteStatus::InvalidMask:
        FPorts.messages.Warning(error);
        break;
    case TWriteStatus::WriteFailed:
        ReportFailure(path, error);
        break;
    }
}

QStringList TReportCommands::GroupNames() const
{
    QStringList names;
    for (const QString& entry : FOptions.GroupMasks)
        names << SplitGroupEntry(entry).name;
    return names;
}

bool TReportCommands::AskGroup(const QString& caption, TGroupEntry& group)
{
    // Names and masks are taken as typed; empty ones included.
    const TAppTexts& texts = AppTexts();
    return FPorts.groupDialog.EditGroup(WithoutAccelerator(caption),
        texts.str_groupname + QLatin1Char(' '), texts.str_groupmask + QLatin1Char(' '), group.name,
        group.mask);
}

void TReportCommands::miAddGroupClick(const QString& caption)
{
    TGroupEntry group;
    if (AskGroup(caption, group))
        FOptions.GroupMasks.append(JoinGroupEntry(group.name, group.mask));
}

void TReportCommands::miGroupsEditClick(int index, const QString& caption)
{
    if (index < 0 || index >= FOptions.GroupMasks.size())
        return;
    const QString asked = FOptions.GroupMasks.at(index);
    TGroupEntry group = SplitGroupEntry(asked);
    if (!AskGroup(caption, group))
        return;
    // The dialog is modal: the group is found again by what it was, and
    // when it is gone the edit has nothing left to change.
    if (index >= FOptions.GroupMasks.size() || FOptions.GroupMasks.at(index) != asked)
        index = static_cast<int>(FOptions.GroupMasks.indexOf(asked));
    if (index >= 0)
        FOptions.GroupMasks[index] = JoinGroupEntry(group.name, group.mask);
}

void TReportCommands::miGroupsDeleteClick(int index)
{
    if (index >= 0 && index < FOptions.GroupMasks.size())
        FOptions.GroupMasks.removeAt(index);
}

} // namespace ryv
