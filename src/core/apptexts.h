#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace ryv {

// The texts the program composes in code. Each holds its English default until
// a language is loaded; the language switch then writes the translations by
// identifier (Table) into the texts of its TAppTextsScope. Code reads a text at
// the moment it builds a message, so later messages follow the language.
struct TAppTexts final {
    QString files_csv = QStringLiteral("CSV files (*.csv)|*.csv");
    QString files_html = QStringLiteral("HTML files (*.html)|*.html");
    QString files_pdf = QStringLiteral("PDF files (*.pdf)|*.pdf");
    QString str_app_clipboard = QStringLiteral("Clipboard");
    QString str_app_favs = QStringLiteral("Favorites");
    QString str_app_prevtask = QStringLiteral("Recently used");
    QString str_app_recent = QStringLiteral("Previous task");
    QString str_clearlist = QStringLiteral("Do you really want to clear the task list?");
    QString str_daily_total = QStringLiteral("Daily total:");
    QString str_deleteitem = QStringLiteral("Do you really want to delete the selected item?");
    // The context menu of the task dialog's suggestion list.
    QString str_excludedsrcs = QStringLiteral("Excluded sources");
    QString str_excludesrc = QStringLiteral("Exclude source");
    QString str_excludesrc_hint = QStringLiteral("Exclude this source from suggestions");
    QString str_groupmask = QStringLiteral("Task title mask:");
    QString str_groupname = QStringLiteral("Group name:");
    QString str_newtaskonclick
        = QStringLiteral("To start a new task, simply click here or press Ins ...");
    QString str_nosuggestions = QStringLiteral("No suggestions available ...");
    QString str_notasksthisday = QStringLiteral("There are no tasks on this day");
    QString str_others = QStringLiteral("Others");
    QString str_pause = QStringLiteral("Break");
    QString str_report = QStringLiteral("Report");
    QString str_tasknumb = QStringLiteral("Task #");
    QString str_total = QStringLiteral("TOTAL:");
    QString str_version = QStringLiteral("Version");
    // The About box: the Qt version the program runs on, its licence and
    // its home page.
    QString str_qtversion = QStringLiteral("Qt version");
    QString str_license = QStringLiteral("License");
    QString str_homepage = QStringLiteral("Home page");
    // The question after an absence while a task ran: %1 and %2 the times it
    // began and ended, %3 its duration, %4 the task's title.
    QString str_away_question
        = QStringLiteral("You were away from %1 to %2 (%3) while \"%4\" was running.");
    QString str_away_keep = QStringLiteral("Keep as work");
    QString str_away_break = QStringLiteral("Record a break");
    QString str_away_stop = QStringLiteral("Stop at %1"); // %1 the time the absence began
    // %1 the time before the jump, %2 the time after it, %3 the task's title.
    QString str_clockback_question
        = QStringLiteral("The clock was set back from %1 to %2 while \"%3\" was running. Its time "
                         "until %1 is kept.");
    QString str_clockback_keep = QStringLiteral("Keep running");
    // The tray icon: its tool tip while no task runs, and its menu.
    QString str_tray_notask = QStringLiteral("No task is running");
    QString str_tray_start = QStringLiteral("Start a new task...");
    QString str_tray_stop = QStringLiteral("Stop");
    QString str_tray_show = QStringLiteral("Show Ryv Tracker");
    QString str_tray_exit = QStringLiteral("Exit");
    QString files_json = QStringLiteral("JSON files (*.json)|*.json");
    QString str_chart_days = QStringLiteral("Time per day");
    QString str_chart_groups = QStringLiteral("Time per group");
    QString str_chart_tasks = QStringLiteral("Time per task");

    // Details of load and save errors; each names the file (%1).
    QString str_file_cannotread = QStringLiteral("Cannot read the file \"%1\": %2");
    QString str_file_empty = QStringLiteral("The file \"%1\" is empty.");
    QString str_file_openquote
        = QStringLiteral("The file \"%1\" ends inside a text in double quotes that begins in "
                         "line %2; the lines from there on were not read.");
    QString str_file_noheader
        = QStringLiteral("The file \"%1\" does not begin with the header line of its kind, so "
                         "it is no list file of the program; nothing was read from it.");
    // Reasons why a file was not read (%2 of str_file_cannotread); %1 the
    // size a file of its kind may have.
    QString str_file_notregular = QStringLiteral("This is not a regular file.");
    QString str_file_toolarge = QStringLiteral("The file is larger than %1.");
    QString str_file_cannotwrite = QStringLiteral("Cannot write the file \"%1\": %2");
    QString str_folder_cannotcreate = QStringLiteral("Cannot create the folder \"%1\".");
    QString str_file_keptas
        = QStringLiteral("The file \"%1\" could not be read when it was loaded. So that nothing "
                         "in it is lost, it has been renamed to \"%2\" before being replaced.");
    QString str_file_notkept
        = QStringLiteral("The file \"%1\" could not be read when it was loaded, and it cannot "
                         "be renamed to keep it (%2), so it is not replaced.");
    QString str_file_leftasis
        = QStringLiteral("The file \"%1\" could not be read and is left as it is.");
    // %2 the number of rows.
    QString str_file_nodate
        = QStringLiteral("In the file \"%1\", the start of %2 row(s) has no date that can be "
                         "read. These rows stay in today's list as they were read; no day's file "
                         "receives them.");
    // A day's file that could not be read when entries were moved to it; %2
    // the name it was given.
    QString str_file_setaside
        = QStringLiteral("The file \"%1\" could not be read. So that nothing in it is lost, it "
                         "has been renamed to \"%2\", and the entries of its day have been "
                         "written to a new file.");
    // %2 the system's error.
    QString str_file_cannotsetaside
        = QStringLiteral("The file \"%1\" could not be read and cannot be renamed to keep it "
                         "(%2), so it is not replaced; the entries of its day stay in today's "
                         "list.");

    // The first lines of the load and save errors, and the details of the
    // errors of the reports, the PDF output and the programs run.
    QString str_settings_cannotload = QStringLiteral("Cannot load settings!");
    QString str_settings_cannotsave = QStringLiteral("Cannot save settings!");
    QString str_data_cannotload = QStringLiteral("Cannot load data!");
    QString str_data_cannotsave = QStringLiteral("Cannot save data!");
    QString str_history_cannotload = QStringLiteral("Cannot load history data!");
    QString str_history_cannotsave = QStringLiteral("Cannot save history data!");
    QString str_workspace_cannotload = QStringLiteral("Cannot load workspace!");
    QString str_workspace_cannotsave = QStringLiteral("Cannot save workspace!");
    QString str_file_cannotsave = QStringLiteral("Cannot save the file!");
    QString str_file_unreadable = QStringLiteral("Cannot read %1"); // %1 the file
    QString str_file_unwritable = QStringLiteral("Cannot write %1"); // %1 the file
    // %1 the mask, %2 the position of its fault.
    QString str_invalidmask = QStringLiteral("'%1' is an invalid mask at (%2)");
    QString str_pdf_noconverter = QStringLiteral("wkhtmltopdf was not found");
    QString str_pdf_convertercode = QStringLiteral("wkhtmltopdf ended with code %1");
    QString str_pdf_notrendered = QStringLiteral("The PDF could not be rendered");
    QString str_pdf_nogui = QStringLiteral("PDF rendering needs the graphical interface");
    QString str_pdf_incomplete = QStringLiteral("wkhtmltopdf wrote an incomplete PDF");
    // An export or report names a folder, a socket or a block device.
    QString str_output_notfile = QStringLiteral("This is not a file, a character device or a FIFO");
    QString str_program_timeout = QStringLiteral("The program did not end within %1 seconds.");

    // Identifier -> text, for the language switch to read and write.
    std::vector<std::pair<QString, QString*>> Table();
};

// The texts in force: the English defaults until a TAppTextsScope puts
// others in force. Read-only: no code writes them behind a scope's back.
const TAppTexts& AppTexts();

// Puts a set of texts in force for its lifetime and gives back the set
// before it when it ends; scopes nest, the innermost is in force. The
// language switch holds the program's scope and writes the translated texts
// through Texts(), the one place they are written; a test that needs other
// texts makes its own scope, so nothing it changes outlives it.
class TAppTextsScope final {
public:
    explicit TAppTextsScope(TAppTexts texts = {});
    ~TAppTextsScope();
    TAppTextsScope(const TAppTextsScope&) = delete;
    TAppTextsScope& operator=(const TAppTextsScope&) = delete;

    TAppTexts& Texts() { return FTexts; }

private:
    TAppTexts FTexts;
    const TAppTexts* FPrevious;
};

} // namespace ryv
