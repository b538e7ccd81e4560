#pragma once

#include "core/ryvitem.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace ryv {

class IClipboard;
class IShell;
class IUserMessages;
class IBusyCursor;
class IFileSaveDialog;
class IGroupDialog;
class TClock;
class TDayList;
struct TGroupEntry;
class TReportWriter;
class TRyvOptions;

// Everything the commands reach outside the program through.
struct TReportPorts final {
    IFileSaveDialog& saveDialog;
    IUserMessages& messages;
    IShell& shell;
    IClipboard& clipboard;
    IBusyCursor& busyCursor;
    IGroupDialog& groupDialog;
};

// The export and report commands of the main window and the groups menu of
// the reports panel. The window decides which day list a command acts on
// (UsesHistoryList) and passes the states of its controls in; the commands
// ask for the file, write it and open it.
//
// A file that cannot be written, and a report whose group mask is invalid,
// are reported in a warning box and nothing is opened: opening the path then
// would show an older file of that name as if it were the new one.
class TReportCommands final {
public:
    TReportCommands(TRyvOptions& options, const TClock& clock, TReportWriter& writer,
        const TReportPorts& ports);

    // The history day is the list when the secondary panel shows the history
    // and either the command came from the history panel's own export button
    // or the history list has the keyboard focus; otherwise today's log.
    static bool UsesHistoryList(
        bool secondaryVisible, bool historyVisible, bool historyFocused, bool fromHistoryButton);

    // The list's entries as plain values, in list order.
    static std::vector<TRyvItem> EntriesOf(const TDayList& list);

    // Copy to clipboard: the list as tab-separated text.
    void acCopyToClipboardExecute(const TDayList& list);

    // Export: asks for a file (the dialog's title is the command's hint) and
    // writes the list as CSV, HTML or PDF by the chosen extension.
    void acExportExecute(
        const TDayList& list, const QString& dialogTitle = QStringLiteral("Export tasks ..."));

    // The report of the period button with this tag. caption and hint are
    // the button's (translated) texts, an accelerator mark in the caption
    // ignored; an empty caption stands for a command that did not come from
    // a period button. daily and byGroups are the
    // states of the " Daily" and " By groups" boxes.
    void sbRep0Click(
        int tag, const QString& caption, const QString& hint, bool daily, bool byGroups);

    // The groups menu: the names for the Edit and Delete submenus, in order;
    // the submenu items find their group by position.
    QStringList GroupNames() const;
    void miAddGroupClick(const QString& caption = QStringLiteral("Add group"));
    void miGroupsEditClick(int index, const QString& caption = QStringLiteral("Edit group"));
    void miGroupsDeleteClick(int index);

private:
    // Shows the save dialog; on OK records the extension and the path in the
    // options and returns the path, on Cancel an empty text.
    QString AskFileName(const QString& title, const QString& initialPath);
    void ReportFailure(const QString& path, const QString& errorText);
    // The two-field group dialog; on OK the edited name and mask are in group.
    bool AskGroup(const QString& caption, TGroupEntry& group);

    TRyvOptions& FOptions;
    const TClock& FClock;
    TReportWriter& FWriter;
    TReportPorts FPorts;
};

} // namespace ryv
