#include "reports/reportcommands.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/daylist.h"
#include "core/regional.h"
#include "core/ryvoptions.h"
#include "platform/shell.h"
#include "reportfakes.h"
#include "reports/pdfconverter.h"
#include "reports/reportwriter.h"
#include "reporttesthelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <clocale>
#include <string>

#include <gtest/gtest.h>

namespace ryv {
namespace {

const TDateTime Mon = EncodeDate(2021, 12, 13);

class ReportCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FConverter.SetSearchPath(false);
        FOut = FDir.filePath(u"out"_qs);
        // No message box ever shows under the busy cursor.
        FMessages.onWarning = [this] { EXPECT_EQ(FBusy.depth, 0); };
    }
    // A written export or report lies at the very path the save dialog gave:
    // it is never opened as a typed link.
    void TearDown() override
    {
        EXPECT_TRUE(FShell.opened.isEmpty())
            << "a written file opened as a typed link: "
            << FShell.opened.join(QStringLiteral(", ")).toStdString();
    }

    void AddToday(const TRyvItem& e) { FToday.Append(std::make_unique<TRyvItem>(e)); }

    void WriteDayFile(TDateTime day, const QString& lines)
    {
        const QString path = FOptions.FolderData + u"2021/"_qs + DateToText(day) + u".lst"_qs;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("kind;state;start;stop;\"title\";\"url\";\"descr\"\r\n" + lines.toUtf8());
    }

    // Nothing written, nothing opened, one warning.
    void ExpectFailureShown(const QString& path, const QString& warningStart)
    {
        EXPECT_TRUE(FShell.openedFiles.isEmpty());
        ASSERT_EQ(FMessages.warnings.size(), 1);
        EXPECT_TRUE(FMessages.warnings[0].startsWith(warningStart))
            << FMessages.warnings[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(path));
        EXPECT_EQ(FBusy.depth, 0);
    }

    TRegionalScope FLocale { "en_GB" };
    QTemporaryDir FDir;
    QString FOut;
    TRyvOptions FOptions { FDir.path() };
    TManualClock FClock { Mon + 17 * OneHour };
    TFakeSaveDialog FDialog;
    TFakeMessages FMessages;
    TFakeShell FShell;
    TFakeClipboard FClipboard;
    TFakeBusyCursor FBusy;
    TFakeGroupDialog FGroupDialog;
    TFakeRunner FRunner;
    TFakeRenderer FRenderer;
    TPdfConverter FConverter { FOptions.FolderPlugins, FDir.path(), FRunner, &FRenderer };
    TReportWriter FWriter { FOptions, FClock, FConverter };
    TReportCommands FCommands { FOptions, FClock, FWriter,
        { FDialog, FMessages, FShell, FClipboard, FBusy, FGroupDialog } };
    TDayList FToday { TDayListRole::Today, FOptions, FClock };
    TDayList FHistory { TDayListRole::History, FOptions, FClock };
};

TEST_F(ReportCommandsTest, ExportWritesTheChosenTypeOpensItAndRemembersIt)
{
    AddToday(Task(Mon + 9 * OneHour, Mon + 10 * OneHour, u"Weekly report"_qs, {}, {}, ryvsDone));
    FDialog.answer = FOut + u"/sub/Day.CSV"_qs;
    FCommands.acExportExecute(FToday);

    ASSERT_EQ(FDialog.requests.size(), 1u);
    const TSaveDialogRequest& r = FDialog.requests[0];
    EXPECT_EQ(r.title, u"Export tasks ..."_qs);
    EXPECT_EQ(r.filters,
        (QStringList { u"HTML files (*.html)"_qs, u"PDF files (*.pdf)"_qs, u"CSV files (*.csv)"_qs,
            u"JSON files (*.json)"_qs }));
    EXPECT_EQ(r.selectedFilter, u"HTML files (*.html)"_qs);
    EXPECT_EQ(r.defaultSuffix, u"html"_qs);
    EXPECT_EQ(r.initialPath, u"2021-12-13.html"_qs);

    EXPECT_EQ(FileBytes(FDialog.answer),
        "\xEF\xBB\xBF\"state\";start;stop;duration;\"title\";\"url\";\"descr\"\r\n"
        "\"X\";09:00;10:00;1:00;\"Weekly report\";\"\";\"\"");
    EXPECT_EQ(FShell.openedFiles, QStringList { FDialog.answer });
    EXPECT_EQ(FOptions.ExportExt, u"csv"_qs);
    EXPECT_EQ(FOptions.StateExportLast, FDialog.answer);
    EXPECT_EQ(FBusy.begun, 1);
    EXPECT_EQ(FBusy.depth, 0);
    EXPECT_TRUE(FMessages.warnings.isEmpty());

    // "report.txt" is written as HTML.
    FDialog.answer = FOut + u"/report.txt"_qs;
    FCommands.acExportExecute(FToday);
    EXPECT_TRUE(FileText(FDialog.answer).startsWith(u"<!DOCTYPE html>"_qs));
    EXPECT_EQ(FOptions.ExportExt, u"txt"_qs);
}

TEST_F(ReportCommandsTest, ExportProposesTheLastFileOrTheDaysName)
{
    FHistory.SetHistoryDate(EncodeDate(2021, 12, 10));
    FOptions.ExportExt = u"pdf"_qs;
    const struct {
        const char* name;
        QString last;
        bool history;
        QString initial;
    } cases[] = {
        { "first export", QString(), false, u"2021-12-13.pdf"_qs },
        { "again from today", u"/r/old.csv"_qs, false, u"/r/old.csv"_qs },
        { "history day in the last folder", u"/r/old.csv"_qs, true, u"/r/2021-12-10.pdf"_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FOptions.StateExportLast = c.last;
        FDialog.requests.clear();
        FCommands.acExportExecute(c.history ? FHistory : FToday);
        ASSERT_EQ(FDialog.requests.size(), 1u);
        EXPECT_EQ(FDialog.requests[0].initialPath, c.initial);
        EXPECT_EQ(FDialog.requests[0].selectedFilter, u"PDF files (*.pdf)"_qs);
        // Cancelled: nothing changes.
        EXPECT_EQ(FOptions.StateExportLast, c.last);
        EXPECT_EQ(FOptions.ExportExt, u"pdf"_qs);
    }
    EXPECT_TRUE(FShell.openedFiles.isEmpty());
    EXPECT_EQ(FBusy.begun, 0);
}

TEST_F(ReportCommandsTest, FailedWriteWarnsAndOpensNothing)
{
    AddToday(Task(Mon + 9 * OneHour, Mon + 10 * OneHour, u"A"_qs));
    // A folder cannot be made below a plain file.
    QDir().mkpath(FOut);
    QFile(FOut + u"/file"_qs).open(QIODevice::WriteOnly);
    FRenderer.succeed = false;
    // The system's own words for the fault close the message; in English here.
    const std::string messages = std::setlocale(LC_MESSAGES, nullptr);
    std::setlocale(LC_MESSAGES, "C");
    const QString reason = u"\r\nNot a directory"_qs;
    for (const QString& ext : { u"csv"_qs, u"html"_qs, u"pdf"_qs }) {
        SCOPED_TRACE(ext.toStdString());
        FMessages.warnings.clear();
        FDialog.answer = FOut + u"/file/x."_qs + ext;
        FCommands.acExportExecute(FToday);
        ExpectFailureShown(FDialog.answer, u"Cannot save the file!\r\n\r\n"_qs + FDialog.answer);
        EXPECT_TRUE(FMessages.warnings.value(0).endsWith(reason));
        FMessages.warnings.clear();
        FCommands.sbRep0Click(0, u"Today"_qs, QString(), true, false);
        ExpectFailureShown(FDialog.answer, u"Cannot save the file!\r\n\r\n"_qs + FDialog.answer);
        EXPECT_TRUE(FMessages.warnings.value(0).endsWith(reason));
    }
    std::setlocale(LC_MESSAGES, messages.c_str());
}

TEST_F(ReportCommandsTest, InvalidGroupMaskStopsEveryReportType)
{
    WriteDayFile(Mon - 1, u"0;0;2021-12-12 09:00:00;2021-12-12 10:00:00;\"A\";\"\";\"\""_qs);
    FOptions.GroupMasks = { u"Bad=[a"_qs };
    for (const QString& ext : { u"csv"_qs, u"html"_qs, u"pdf"_qs }) {
        SCOPED_TRACE(ext.toStdString());
        FMessages.warnings.clear();
        FDialog.answer = FOut + u"/Yesterday."_qs + ext;
        FCommands.sbRep0Click(5, u"Yesterday"_qs, QString(), true, false);
        ExpectFailureShown(FDialog.answer, u"'[a' is an invalid mask at (1)"_qs);
    }
    EXPECT_EQ(FRenderer.calls + FRunner.calls, 0);
}

TEST_F(ReportCommandsTest, WeekReportPerDayWithDialogTexts)
{
    WriteDayFile(Mon - 7,
        u"0;0;2021-12-06 09:00:00;2021-12-06 11:00:00;\"A\";\"\";\"\"\r\n"
        "1;0;2021-12-06 11:00:00;2021-12-06 11:30:00;\"\";\"\";\"\"\r\n"
        "0;0;2021-12-06 11:30:00;2021-12-06 12:00:00;\"B\";\"\";\"\""_qs);
    WriteDayFile(Mon - 6, u"0;0;2021-12-07 09:00:00;2021-12-07 10:00:00;\"a\";\"\";\"\""_qs);
    FOptions.ReportsTitle = u"Team A"_qs;
    FDialog.answer = FOut + u"/week.html"_qs;
    FCommands.sbRep0Click(6, u"&Last week"_qs, QString(), true, false);

    ASSERT_EQ(FDialog.requests.size(), 1u);
    EXPECT_EQ(FDialog.requests[0].title, u"Report - Last week"_qs);
    EXPECT_EQ(FDialog.requests[0].initialPath, u"Last week.html"_qs);
    const QString html = FileText(FDialog.answer);
    EXPECT_TRUE(html.contains(u"<title>Team A: 06/12/ - 12/12/ 2021</title>"_qs));
    EXPECT_TRUE(html.contains(u"Monday 6. December 2021"_qs));
    EXPECT_TRUE(html.contains(u"Tuesday 7. December 2021"_qs));
    EXPECT_TRUE(
        html.contains(u"TOTAL:</td><td class=\"alr plarge\"><span class=\"pba totalb\">3:30"_qs));
    EXPECT_EQ(FShell.openedFiles, QStringList { FDialog.answer });

    // The same week as CSV: every task in day order, no merging, no breaks.
    FDialog.answer = FOut + u"/week.csv"_qs;
    FCommands.sbRep0Click(6, u"Last week"_qs, u"Hint"_qs, false, true);
    EXPECT_EQ(FDialog.requests[1].title, u"Report - Hint"_qs);
    EXPECT_EQ(FDialog.requests[1].initialPath, FOut + u"/Last week.html"_qs);
    EXPECT_EQ(FileBytes(FDialog.answer),
        "\xEF\xBB\xBFstart;stop;duration;\"title\";\"url\";\"descr\"\r\n"
        "09:00;11:00;2:00;\"A\";\"\";\"\"\r\n"
        "11:30;12:00;0:30;\"B\";\"\";\"\"\r\n"
        "09:00;10:00;1:00;\"a\";\"\";\"\"");

    // Not started by a period button: named "Report", with the last extension
    // as it was typed.
    FOptions.StateExportLast = u"/r/old.PDF"_qs;
    FDialog.answer.clear();
    FCommands.sbRep0Click(4, QString(), QString(), true, false);
    EXPECT_EQ(FDialog.requests[2].initialPath, u"/r/Report.PDF"_qs);
}

// The desktop is asked to open the very file that was written, even where
// its path looks like something a shell would expand.
TEST_F(ReportCommandsTest, WrittenFileIsOpenedAtTheChosenPathAsItStands)
{
    qputenv("RYV_TEST_FOLDER", "/elsewhere");
    QList<QUrl> opened;
    TDesktopShell shell([&](const QUrl& url) {
        opened << url;
        return true;
    });
    TReportCommands commands { FOptions, FClock, FWriter,
        { FDialog, FMessages, shell, FClipboard, FBusy, FGroupDialog } };
    AddToday(Task(Mon + 9 * OneHour, Mon + 10 * OneHour, u"A"_qs, {}, {}, ryvsNone));
    WriteDayFile(Mon - 1, u"0;0;2021-12-12 09:00:00;2021-12-12 10:00:00;\"A\";\"\";\"\""_qs);
    const QString names[] = { u"/$RYV_TEST_FOLDER/day.csv"_qs, u"/${HOME}/~/day.html"_qs,
        u"/~/$HOME.csv"_qs, u"/$RYV_TEST_FOLDER/report.html"_qs };
    for (qsizetype i = 0; i < qsizetype(std::size(names)); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        FDialog.answer = FOut + names[i];
        if (i < 3)
            commands.acExportExecute(FToday);
        else
            commands.sbRep0Click(5, u"Yesterday"_qs, QString(), true, false);
        ASSERT_TRUE(QFileInfo::exists(FDialog.answer));
        ASSERT_EQ(opened.size(), i + 1);
        EXPECT_EQ(opened.last(), QUrl::fromLocalFile(FDialog.answer));
    }
    EXPECT_TRUE(FMessages.warnings.isEmpty());
    qunsetenv("RYV_TEST_FOLDER");
}

TEST_F(ReportCommandsTest, PdfReportFallsBackWhenTheConverterFails)
{
    WriteDayFile(Mon - 1, u"0;0;2021-12-12 09:00:00;2021-12-12 10:00:00;\"A\";\"\";\"\""_qs);
    // A converter is present but fails.
    const QString exe = FOptions.FolderPlugins + u"wkhtmltopdf/wkhtmltopdf"_qs;
    QDir().mkpath(QFileInfo(exe).absolutePath());
    QFile f(exe);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner);
    FRunner.exitCode = 1;

    FDialog.answer = FOut + u"/y.pdf"_qs;
    FCommands.sbRep0Click(5, u"Yesterday"_qs, QString(), true, false);
    EXPECT_EQ(FRunner.calls, 1);
    EXPECT_EQ(FRunner.program, QFileInfo(exe).absoluteFilePath());
    EXPECT_TRUE(QString::fromUtf8(FRunner.inputSeen).contains(u"Sunday 12. December 2021"_qs));
    EXPECT_EQ(FRenderer.calls, 1);
    EXPECT_EQ(FileBytes(FDialog.answer), "%PDF-1.4 from the fallback\n%%EOF\n");
    EXPECT_EQ(FShell.openedFiles, QStringList { FDialog.answer });
    // No temporary file is left behind, neither the HTML nor the PDF.
    EXPECT_TRUE(QDir(FOptions.FolderData).entryList({ u"__temp*"_qs }, QDir::Files).isEmpty());
    EXPECT_EQ(QDir(FOut).entryList(QDir::Files | QDir::Hidden), QStringList { u"y.pdf"_qs });
}

TEST_F(ReportCommandsTest, CopyToClipboardTakesTheGivenList)
{
    AddToday(Task(Mon + 9 * OneHour, Mon + 10 * OneHour, u"A"_qs));
    FCommands.acCopyToClipboardExecute(FToday);
    EXPECT_EQ(FClipboard.text,
        u"\"state\"\tstart\tstop\tduration\t\"title\"\t\"url\"\t\"descr\"\r\n"
        "\"\"\t09:00\t10:00\t1:00\t\"A\"\t\"\"\t\"\""_qs);
}

TEST_F(ReportCommandsTest, GroupsMenuAddsEditsAndDeletes)
{
    FGroupDialog.newName = u"Meetings"_qs;
    FGroupDialog.newMask = u"*meeting*"_qs;
    FCommands.miAddGroupClick(u"&Add group"_qs);
    EXPECT_EQ(FGroupDialog.caption, u"Add group"_qs);
    EXPECT_EQ(FGroupDialog.namePrompt, u"Group name: "_qs);
    EXPECT_EQ(FGroupDialog.maskPrompt, u"Task title mask: "_qs);
    EXPECT_TRUE(FGroupDialog.shownName.isEmpty() && FGroupDialog.shownMask.isEmpty());
    FGroupDialog.newName = FGroupDialog.newMask = QString(); // empty input is accepted
    FCommands.miAddGroupClick();
    EXPECT_EQ(FOptions.GroupMasks, (QStringList { u"Meetings=*meeting*"_qs, u"="_qs }));
    EXPECT_EQ(FCommands.GroupNames(), (QStringList { u"Meetings"_qs, QString() }));

    FGroupDialog.newName = u"Calls"_qs;
    FGroupDialog.newMask = u"*call*"_qs;
    FCommands.miGroupsEditClick(0, u"Edit && &rename"_qs);
    EXPECT_EQ(FGroupDialog.caption, u"Edit & rename"_qs);
    EXPECT_EQ(FGroupDialog.shownName, u"Meetings"_qs);
    EXPECT_EQ(FGroupDialog.shownMask, u"*meeting*"_qs);
    EXPECT_EQ(FOptions.GroupMasks[0], u"Calls=*call*"_qs);

    FGroupDialog.accept = false;
    FCommands.miGroupsEditClick(0);
    FCommands.miAddGroupClick();
    FCommands.miGroupsEditClick(7); // no such group
    EXPECT_EQ(FOptions.GroupMasks, (QStringList { u"Calls=*call*"_qs, u"="_qs }));

    FCommands.miGroupsDeleteClick(0);
    FCommands.miGroupsDeleteClick(5);
    EXPECT_EQ(FOptions.GroupMasks, QStringList { u"="_qs });
}

// The save and group dialogs are modal: their event loops may change the
// list or the groups meanwhile. The commands act on what they asked about.
TEST_F(ReportCommandsTest, ModalDialogs_CommandsActOnWhatTheyAskedAbout)
{
    AddToday(Task(Mon + 9 * OneHour, Mon + 10 * OneHour, u"Asked"_qs));
    FDialog.answer = FOut + u"/day.csv"_qs;
    FDialog.whileOpen = [this] {
        FToday.Clear();
        AddToday(Task(Mon + 11 * OneHour, Mon + 12 * OneHour, u"Later"_qs));
    };
    FCommands.acExportExecute(FToday);
    const QString written = FileText(FDialog.answer);
    EXPECT_TRUE(written.contains(u"\"Asked\""_qs)) << written.toStdString();
    EXPECT_FALSE(written.contains(u"Later"_qs));

    FOptions.GroupMasks = QStringList { u"A=*a*"_qs, u"B=*b*"_qs };
    FGroupDialog.newName = u"Bee"_qs;
    FGroupDialog.newMask = u"*bee*"_qs;
    FGroupDialog.whileOpen = [this] { FOptions.GroupMasks.removeFirst(); };
    FCommands.miGroupsEditClick(1);
    EXPECT_EQ(FOptions.GroupMasks, QStringList { u"Bee=*bee*"_qs });
    FGroupDialog.whileOpen = [this] { FOptions.GroupMasks.clear(); };
    FCommands.miGroupsEditClick(0);
    EXPECT_TRUE(FOptions.GroupMasks.isEmpty());
}

TEST(ReportCommands, ExportListIsTheHistoryOnlyWhenItIsShownAndChosen)
{
    const struct {
        const char* name;
        bool secondary, history, focused, fromButton, expected;
    } cases[] = {
        { "history list focused", true, true, true, false, true },
        { "from the history panel's button", true, true, false, true, true },
        { "history shown, neither focused nor its button", true, true, false, false, false },
        { "secondary pane hidden", false, true, true, true, false },
        { "another panel shown", true, false, true, true, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TReportCommands::UsesHistoryList(c.secondary, c.history, c.focused, c.fromButton),
            c.expected);
    }
}

class PdfConverterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FConverter.SetSearchPath(false);
        FTarget = FDir.filePath(u"out/r.pdf"_qs);
    }
    void InstallConverter()
    {
        const QString exe = FDir.filePath(u"plugins/wkhtmltopdf/wkhtmltopdf"_qs);
        QDir().mkpath(QFileInfo(exe).absolutePath());
        QFile f(exe);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    }
    QString TempBase() const { return FDir.filePath(u"tmp"_qs); }

    QTemporaryDir FDir;
    QString FTarget;
    TFakeRunner FRunner;
    TFakeRenderer FRenderer;
    TPdfConverter FConverter { FDir.filePath(u"plugins/"_qs), TempBase(), FRunner, &FRenderer };
};

// Only a complete PDF replaces the target: a converter that ran out of disk
// space half-way may still end with code 0.
TEST_F(PdfConverterTest, ConverterOrFallbackWritesThePdf)
{
    const QByteArray fromConverter = "%PDF-1.4 from the converter\n%%EOF\n";
    const QByteArray fromFallback = "%PDF-1.4 from the fallback\n%%EOF\n";
    const struct {
        const char* name;
        bool installed;
        int exitCode;
        QByteArray converterWrites; // "" : nothing
        bool fallbackWorks;
        QByteArray expected; // "" : the conversion fails
        QString error; // part of the reason of a failure
    } cases[] = {
        { "converter", true, 0, fromConverter, true, fromConverter, {} },
        { "blanks after the trailer", true, 0, "%PDF-1.7 x\r\n%%EOF\r\n \0", true,
            "%PDF-1.7 x\r\n%%EOF\r\n \0", {} },
        { "no converter", false, 0, {}, true, fromFallback, {} },
        { "converter fails", true, 2, fromConverter, true, fromFallback, {} },
        { "converter writes nothing", true, 0, {}, true, fromFallback, {} },
        { "converter writes no PDF", true, 0, "<html>", true, fromFallback, {} },
        { "converter stops half-way", true, 0, "%PDF-1.4\n1 0 obj\n<< /Type", true, fromFallback,
            {} },
        { "trailer not at the end", true, 0, "%PDF-1.4\n%%EOF\n2 0 obj", true, fromFallback, {} },
        { "half a PDF and no fallback", true, 0, "%PDF-1.4\n1 0 obj", false, {},
            u"render failed"_qs },
        { "both fail", true, 1, {}, false, {}, u"render failed"_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(FDir.path()).removeRecursively();
        QDir().mkpath(TempBase());
        if (c.installed)
            InstallConverter();
        // An older file of the same name survives a failed conversion.
        QDir().mkpath(QFileInfo(FTarget).absolutePath());
        QFile old(FTarget);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("older");
        old.close();
        FRunner.exitCode = c.exitCode;
        FRunner.writePdf = !c.converterWrites.isEmpty();
        FRunner.pdf = c.converterWrites;
        FRenderer.succeed = c.fallbackWorks;

        QString error;
        EXPECT_EQ(FConverter.Convert(u"<p>x</p>"_qs, FTarget, &error), !c.expected.isEmpty());
        EXPECT_EQ(FileBytes(FTarget), c.expected.isEmpty() ? QByteArray("older") : c.expected);
        EXPECT_EQ(error.isEmpty(), !c.expected.isEmpty());
        EXPECT_TRUE(error.contains(c.error)) << error.toStdString();
        if (c.installed) {
            // The converter read the HTML in a folder only we may enter,
            // in the temporary folder, never in the data folder.
            EXPECT_EQ(FRunner.inputSeen, QByteArray("<p>x</p>"));
            EXPECT_TRUE(FRunner.arguments.value(0).startsWith(
                TempBase() + u"/ryvtracker-%1-"_qs.arg(QCoreApplication::applicationPid())))
                << FRunner.arguments.value(0).toStdString();
            const auto modes = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                | QFile::WriteOther | QFile::ExeOther;
            EXPECT_EQ(FRunner.inputFolderPermissions & modes,
                QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        // Nothing is left: neither the private folder nor a file beside the
        // target.
        EXPECT_TRUE(QDir(TempBase()).isEmpty());
        EXPECT_EQ(QDir(FDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            (c.installed ? QStringList { u"out"_qs, u"plugins"_qs, u"tmp"_qs }
                         : QStringList { u"out"_qs, u"tmp"_qs }));
        EXPECT_EQ(QDir(FDir.filePath(u"out"_qs)).entryList(QDir::Files | QDir::Hidden),
            QStringList { u"r.pdf"_qs });
    }
}

// The converter's HTML files of earlier versions, left in the data folder by
// killed runs, go at the window's start; nothing else there does.
TEST_F(PdfConverterTest, EarlierLeftoversInTheDataFolderAreRemoved)
{
    const QString data = FDir.filePath(u"data"_qs);
    const QStringList leftovers { u"__temp_aB3xYz.html"_qs, u"__temp_000000.html"_qs };
    const QStringList kept { u"__temp_aB3xYz.html.bak"_qs, u"__temp_abc.html"_qs,
        u"my__temp_aB3xYz.html"_qs, u"current.lst"_qs };
    QDir().mkpath(data + u"/__temp_folder.html"_qs);
    for (const QString& name : leftovers + kept) {
        QFile f(data + u"/"_qs + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(TPdfConverter::RemoveEarlierLeftovers(data), leftovers.size());
    QStringList expected = kept + QStringList { u"__temp_folder.html"_qs };
    expected.sort();
    EXPECT_EQ(QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), expected);
}

} // namespace
} // namespace ryv
