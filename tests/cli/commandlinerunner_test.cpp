#include "cli/commandlinerunner.h"

#include "cli/commandline.h"
#include "core/apptexts.h"
#include "core/clock.h"
#include "core/daylist.h"
#include "core/regional.h"
#include "core/ryvoptions.h"
#include "reportfakes.h"
#include "reports/pdfconverter.h"
#include "reports/reportcommands.h"
#include "reports/reportwriter.h"
#include "reporttesthelpers.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ryv {
namespace {

const TDateTime Mon = EncodeDate(2021, 12, 13);
const TDateTime Thu = EncodeDate(2021, 12, 16);

class CommandLineRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        // A converter in the plugins folder, which the fake runner stands for.
        FConverter.SetSearchPath(false);
        const QString exe = FOptions.FolderPlugins + u"wkhtmltopdf/wkhtmltopdf"_qs;
        QDir().mkpath(QFileInfo(exe).absolutePath());
        QFile f(exe);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        FOut = FDir.filePath(u"out"_qs);
        QDir().mkpath(FOut);
        WriteSettings(u"[misc]\r\nrepTit=Team A\r\nlistShowStop=0\r\nrepCharts=1\r\n"
                      "[groupMasks]\r\n0=Meetings=*meeting*\r\n"_qs);
        WriteDay(Mon,
            u"0;1;2021-12-13 09:00:00;2021-12-13 10:30:00;\"Weekly meeting\";\"\";\"notes\"\r\n"
            "1;0;2021-12-13 10:30:00;2021-12-13 11:00:00;\"\";\"\";\"\"\r\n"
            "0;0;2021-12-13 11:00:00;2021-12-13 12:15:00;\"Fix <parser>\";\"https://t/1\";\"\"\r\n"_qs);
        WriteDay(EncodeDate(2021, 12, 14),
            u"0;0;2021-12-14 08:00:00;2021-12-14 09:00:00;\"Fix <parser>\";\"\";\"\"\r\n"_qs);
        WriteDay(0, u"0;0;2021-12-16 13:00:00;;\"Running\";\"\";\"\"\r\n"_qs);
    }

    void WriteSettings(const QString& text)
    {
        QFile f(FOptions.SettingsFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    }

    // day 0: current.lst
    void WriteDay(TDateTime day, const QString& lines)
    {
        const QString path = day == 0
            ? FOptions.FolderData + u"current.lst"_qs
            : FOptions.FolderData + u"2021/"_qs + DateToText(day) + u".lst"_qs;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(
            "\xEF\xBB\xBFkind;state;start;stop;\"title\";\"url\";\"descr\"\r\n" + lines.toUtf8());
    }

    int Run(const QStringList& args, QByteArray* stdOut = nullptr)
    {
        TCliRequest request;
        QString error;
        EXPECT_TRUE(ParseCommandLine(args, FClock.Now(), request, error)) << error.toStdString();
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        FError.clear();
        const int code = FRunner.Run(request, out, FError);
        if (stdOut)
            *stdOut = out.data();
        return code;
    }

    TRegionalScope FLocale { "en_GB" };
    QTemporaryDir FDir;
    QString FOut;
    QString FError;
    TRyvOptions FOptions { FDir.path() };
    TManualClock FClock { Thu + 17 * OneHour };
    TFakeRunner FPdfRunner;
    TPdfConverter FConverter { FOptions.FolderPlugins, FOptions.FolderData, FPdfRunner, nullptr };
    TReportWriter FWriter { FOptions, FClock, FConverter };
    int FAsked = 0;
    TCommandLineRunner FRunner { FOptions, FClock, FWriter, [this] { ++FAsked; } };

    // The window's side of the same files.
    TFakeSaveDialog FDialog;
    TFakeMessages FMessages;
    TFakeShell FShell;
    TFakeClipboard FClipboard;
    TFakeBusyCursor FBusy;
    TFakeGroupDialog FGroupDialog;
    TReportCommands FCommands { FOptions, FClock, FWriter,
        { FDialog, FMessages, FShell, FClipboard, FBusy, FGroupDialog } };
};

// The command line and the window's period buttons write the same bytes for
// the same period and options: settings (title, group masks, charts) and all.
// For PDF the same HTML goes to the converter.
TEST_F(CommandLineRunnerTest, ReportIsTheWindowsReportByteForByte)
{
    const struct {
        const char* period;
        int tag;
        bool daily, groups;
    } periods[] = {
        { "this-week", 1, true, false },
        { "this-week", 1, false, true },
        { "this-month", 2, true, true },
        { "today", 0, false, false },
        { "last-year", 9, false, false },
    };
    for (const char* format : { "html", "csv", "json", "pdf" }) {
        for (const auto& p : periods) {
            SCOPED_TRACE(std::string(format) + " " + p.period + (p.daily ? " daily" : "")
                + (p.groups ? " groups" : ""));
            const QString ext = QString::fromLatin1(format);
            QStringList args { u"report"_qs, QString::fromLatin1(p.period), u"--format"_qs, ext };
            if (p.daily)
                args << u"--daily"_qs;
            if (p.groups)
                args << u"--groups"_qs;
            ASSERT_EQ(Run(args + QStringList { u"--output"_qs, FOut + u"/cli."_qs + ext }), ExitOk)
                << FError.toStdString();
            const QByteArray cliPdfInput = FPdfRunner.inputSeen;

            FDialog.answer = FOut + u"/window."_qs + ext;
            FCommands.sbRep0Click(p.tag, u"&Period"_qs, {}, p.daily, p.groups);
            ASSERT_TRUE(FMessages.warnings.isEmpty())
                << FMessages.warnings.join(u'\n').toStdString();
            const QByteArray window = FileBytes(FDialog.answer);
            EXPECT_EQ(FileBytes(FOut + u"/cli."_qs + ext), window);
            if (ext == u"pdf"_qs) {
                EXPECT_EQ(cliPdfInput, FPdfRunner.inputSeen);
                EXPECT_TRUE(cliPdfInput.startsWith("<!DOCTYPE html>"));
                continue;
            }
            // Standard output gets the very same bytes.
            QByteArray out;
            ASSERT_EQ(Run(args, &out), ExitOk) << FError.toStdString();
            EXPECT_EQ(out, window);
        }
    }
    // The settings were in force: title, groups and charts.
    FDialog.answer = FOut + u"/w.html"_qs;
    FCommands.sbRep0Click(1, u"This week"_qs, {}, true, true);
    const QString html = FileText(FDialog.answer);
    EXPECT_TRUE(html.contains(u"Team A<small>"_qs));
    EXPECT_TRUE(html.contains(u">Meetings</span>"_qs));
    EXPECT_TRUE(html.contains(u"<svg "_qs));
    EXPECT_GT(FAsked, 0);
}

TEST_F(CommandLineRunnerTest, ExportIsTheWindowsExportByteForByte)
{
    TDayList history(TDayListRole::History, FOptions, FClock);
    history.SetHistoryDate(Mon);
    TDayList today(TDayListRole::Today, FOptions, FClock);
    // What the window shows for those days: titles as stored, the running
    // task until now.
    history.Append(std::make_unique<TRyvItem>(Task(
        Mon + 9 * OneHour, Mon + 10.5 * OneHour, u"Weekly meeting"_qs, {}, u"notes"_qs, ryvsDone)));
    history.Append(std::make_unique<TRyvItem>(Break(Mon + 10.5 * OneHour, Mon + 11 * OneHour)));
    history.Append(std::make_unique<TRyvItem>(
        Task(Mon + 11 * OneHour, Mon + 12.25 * OneHour, u"Fix <parser>"_qs, u"https://t/1"_qs)));
    today.Append(std::make_unique<TRyvItem>(Task(Thu + 13 * OneHour, FClock.Now(), u"Running"_qs)));

    for (const char* format : { "html", "csv", "json" }) {
        for (const bool isToday : { false, true }) {
            SCOPED_TRACE(std::string(format) + (isToday ? " today" : " 2021-12-13"));
            const QString ext = QString::fromLatin1(format);
            QByteArray out;
            ASSERT_EQ(
                Run({ u"export"_qs, isToday ? u"today"_qs : u"2021-12-13"_qs, u"--format"_qs, ext },
                    &out),
                ExitOk)
                << FError.toStdString();
            FDialog.answer = FOut + u"/day."_qs + ext;
            FCommands.acExportExecute(isToday ? today : history);
            EXPECT_EQ(out, FileBytes(FDialog.answer));
        }
    }
}

TEST_F(CommandLineRunnerTest, FailuresWriteNothing)
{
    // A folder cannot be made below a plain file: the system's reason.
    QFile(FOut + u"/file"_qs).open(QIODevice::WriteOnly);
    const QString target = FOut + u"/file/r.html"_qs;
    EXPECT_EQ(Run({ u"report"_qs, u"--output"_qs, target }), ExitWriteFailed);
    EXPECT_TRUE(FError.contains(target)) << FError.toStdString();
    EXPECT_TRUE(FError.contains(u"Not a directory"_qs)) << FError.toStdString();
    EXPECT_EQ(Run({ u"export"_qs, u"--output"_qs, target }), ExitWriteFailed);
    EXPECT_TRUE(FError.contains(u"Not a directory"_qs)) << FError.toStdString();

    // An invalid group mask: bad input, named with the settings file.
    WriteSettings(u"[groupMasks]\r\n0=Bad=[abc\r\n"_qs);
    for (const char* format : { "html", "csv", "json" }) {
        SCOPED_TRACE(format);
        const QString path = FOut + u"/bad."_qs + QString::fromLatin1(format);
        QByteArray out;
        EXPECT_EQ(Run({ u"report"_qs, u"this-week"_qs, u"--format"_qs, QString::fromLatin1(format),
                      u"-o"_qs, path }),
            ExitBadInput);
        EXPECT_TRUE(FError.contains(u"[abc"_qs)) << FError.toStdString();
        EXPECT_TRUE(FError.contains(u"RyvTracker.ini"_qs)) << FError.toStdString();
        EXPECT_FALSE(QFileInfo::exists(path));
        EXPECT_EQ(
            Run({ u"report"_qs, u"this-week"_qs, u"--format"_qs, QString::fromLatin1(format) },
                &out),
            ExitBadInput);
        EXPECT_TRUE(out.isEmpty());
    }

    // Standard output that takes nothing.
    WriteSettings({});
    TCliRequest request;
    QString error;
    ASSERT_TRUE(ParseCommandLine({ u"report"_qs }, FClock.Now(), request, error));
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_EQ(FRunner.Run(request, readOnly, FError), ExitWriteFailed);
    EXPECT_FALSE(FError.isEmpty());
}

// The running window is asked for its pending saves before anything is read.
TEST_F(CommandLineRunnerTest, WindowSavesBeforeTheFilesAreRead)
{
    TCommandLineRunner runner(FOptions, FClock, FWriter,
        [this] { WriteDay(0, u"0;0;2021-12-16 13:00:00;;\"Saved just now\";\"\";\"\"\r\n"_qs); });
    TCliRequest request;
    QString error;
    ASSERT_TRUE(ParseCommandLine(
        { u"report"_qs, u"--format"_qs, u"csv"_qs }, FClock.Now(), request, error));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_EQ(runner.Run(request, out, error), ExitOk);
    EXPECT_TRUE(out.data().contains("\"Saved just now\"")) << out.data().toStdString();
}

} // namespace
} // namespace ryv
