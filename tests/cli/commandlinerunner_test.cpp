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

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

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
    TPdfConverter FConverter { FOptions.FolderPlugins, FDir.path(), FPdfRunner, nullptr };
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

// Only a complete PDF replaces a file: a converter that ran out of disk
// space half-way may still end with code 0 (this runner has no fallback).
TEST_F(CommandLineRunnerTest, IncompletePdfKeepsTheOlderFile)
{
    const QString target = FOut + u"/r.pdf"_qs;
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("older");
    old.close();
    FPdfRunner.pdf = "%PDF-1.4\n1 0 obj\n<< /Type /Catalog";
    for (const char* command : { "report", "export" }) {
        SCOPED_TRACE(command);
        EXPECT_EQ(
            Run({ QString::fromLatin1(command), u"--format"_qs, u"pdf"_qs, u"-o"_qs, target }),
            ExitWriteFailed);
        EXPECT_TRUE(FError.contains(target)) << FError.toStdString();
        EXPECT_TRUE(FError.contains(AppTexts().str_pdf_incomplete)) << FError.toStdString();
        EXPECT_EQ(FileBytes(target), "older");
        QByteArray out;
        EXPECT_EQ(
            Run({ QString::fromLatin1(command), u"--format"_qs, u"pdf"_qs, u"-o"_qs, u"-"_qs },
                &out),
            ExitWriteFailed);
        EXPECT_TRUE(FError.contains(AppTexts().str_pdf_incomplete)) << FError.toStdString();
        EXPECT_TRUE(out.isEmpty());
    }
    EXPECT_EQ(QDir(FOut).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList { u"r.pdf"_qs });

    // "-o -" is standard output, for a PDF too.
    FPdfRunner.pdf = "%PDF-1.4 whole\n%%EOF\n";
    QByteArray out;
    EXPECT_EQ(Run({ u"report"_qs, u"--format"_qs, u"pdf"_qs, u"-o"_qs, u"-"_qs }, &out), ExitOk)
        << FError.toStdString();
    EXPECT_EQ(out, FPdfRunner.pdf);
    EXPECT_FALSE(QFileInfo::exists(FDir.filePath(u"-"_qs)));
}

// A FIFO or a character device is written into, never replaced by a regular
// file; other kinds of file are refused.
TEST_F(CommandLineRunnerTest, OutputIntoFifosAndDevices)
{
    QByteArray expected;
    ASSERT_EQ(Run({ u"report"_qs, u"--format"_qs, u"csv"_qs }, &expected), ExitOk);
    const auto isFifo = [](const QString& path) {
        struct stat st { };
        return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    };
    const QString fifo = FOut + u"/fifo"_qs;
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // The reader is there before the report opens the FIFO.
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    for (const char* format : { "csv", "pdf" }) {
        SCOPED_TRACE(format);
        EXPECT_EQ(
            Run({ u"report"_qs, u"--format"_qs, QString::fromLatin1(format), u"-o"_qs, fifo }),
            ExitOk)
            << FError.toStdString();
        QByteArray got(1 << 16, '\0');
        const ssize_t n = ::read(reader, got.data(), static_cast<size_t>(got.size()));
        got.resize(std::max<ssize_t>(n, 0));
        EXPECT_EQ(got, QByteArray(format) == "csv" ? expected : FPdfRunner.pdf);
        EXPECT_TRUE(isFifo(fifo));
    }
    ::close(reader);

    // A socket and a folder are refused with our reason and stay.
    const QString socketPath = FOut + u"/socket"_qs;
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(socketPath);
    ASSERT_LT(encoded.size(), static_cast<qsizetype>(sizeof address.sun_path));
    std::memcpy(address.sun_path, encoded.constData(), static_cast<size_t>(encoded.size()));
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    for (const QString& target : { socketPath, FOut }) {
        SCOPED_TRACE(target.toStdString());
        EXPECT_EQ(Run({ u"report"_qs, u"-o"_qs, target }), ExitWriteFailed);
        EXPECT_TRUE(FError.contains(AppTexts().str_output_notfile)) << FError.toStdString();
    }
    struct stat st { };
    EXPECT_TRUE(::lstat(encoded.constData(), &st) == 0 && S_ISSOCK(st.st_mode));
    ::close(sock);

    // Character devices: /dev/null takes everything, /dev/full says the disk
    // is full. As root a rename could replace the system's own nodes, so the
    // test makes nodes of its own then.
    const bool root = ::getuid() == 0;
    const auto device = [&](const char* name, unsigned minor) {
        if (!root)
            return u"/dev/"_qs + QString::fromLatin1(name);
        const QString node = FDir.filePath(QString::fromLatin1(name));
        EXPECT_EQ(
            ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, minor)), 0);
        return node;
    };
    const QString null = device("null", 3);
    const QString full = device("full", 7);
    EXPECT_EQ(Run({ u"report"_qs, u"-o"_qs, null }), ExitOk) << FError.toStdString();
    EXPECT_EQ(Run({ u"export"_qs, u"--format"_qs, u"pdf"_qs, u"-o"_qs, null }), ExitOk)
        << FError.toStdString();
    EXPECT_EQ(Run({ u"report"_qs, u"-o"_qs, full }), ExitWriteFailed);
    EXPECT_TRUE(FError.contains(qt_error_string(ENOSPC))) << FError.toStdString();
    for (const QString& node : { null, full }) {
        EXPECT_TRUE(::stat(QFile::encodeName(node).constData(), &st) == 0 && S_ISCHR(st.st_mode))
            << node.toStdString();
    }
}

// A report reads the settings while the window may be saving them: the
// window's temporary file is left alone, as is every other.
TEST_F(CommandLineRunnerTest, RemovesNoTemporaryFile)
{
    const QStringList saves { FOptions.SettingsFilePath() + u".ryvsave-abc123"_qs,
        FOptions.FolderData + u"current.lst.ryvsave-abc123"_qs,
        FOptions.FolderData + u"2021/2021-12-13.lst.ryvsave-abc123"_qs };
    for (const QString& path : saves) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the window's save in progress");
    }
    EXPECT_EQ(Run({ u"report"_qs, u"this-week"_qs }), ExitOk) << FError.toStdString();
    EXPECT_EQ(Run({ u"export"_qs, u"2021-12-13"_qs }), ExitOk) << FError.toStdString();
    for (const QString& path : saves)
        EXPECT_EQ(FileBytes(path), "the window's save in progress") << path.toStdString();
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
