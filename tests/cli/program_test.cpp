// The program as a user or a cron job runs it: its own folders, no display,
// no window, the exit code and the two output streams.
#include "reporttesthelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <functional>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace ryv {
namespace {

struct TRunResult {
    int code = -1;
    QByteArray out;
    QString err;
};

// Whether a process runs: one that has ended but was not reaped yet (its
// parent died, and the system's first process may not reap) does not.
bool ProcessRuns(qint64 pid)
{
    QFile stat(u"/proc/%1/stat"_qs.arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype state = line.lastIndexOf(')') + 2;
    return state > 1 && state < line.size() && line[state] != 'Z' && line[state] != 'X';
}

// Waits until done() holds or the time is up; a test that must see another
// process act waits for it, never for a fixed time.
bool WaitUntil(const std::function<bool()>& done, int ms = 30000)
{
    QElapsedTimer wait;
    wait.start();
    while (!done() && wait.elapsed() < ms)
        QThread::msleep(20);
    return done();
}

void MakeFolder(const QString& path)
{
    QDir().mkpath(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        QDir().mkpath(DataFolder());
        MakeFolder(RuntimeFolder());
        QDir().mkpath(TempFolder());
        const QString today = QDate::currentDate().toString(u"yyyy-MM-dd"_qs);
        QFile f(DataFolder() + u"/current.lst"_qs);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBF"
            + QStringLiteral("kind;state;start;stop;\"title\";\"url\";\"descr\"\r\n"
                             "0;1;%1 00:00:01;%1 00:00:02;\"Checked <task>\";\"\";\"\"")
                  .arg(today)
                  .toUtf8());
    }

    // The per-user folder of a user whose home is the temporary folder.
    QString DataFolder() const { return FDir.filePath(u"share/RyvTracker/data"_qs); }
    QString RuntimeFolder() const { return FDir.filePath(u"run"_qs); }

    QProcessEnvironment Environment(bool withConverter = true) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            env.remove(QString::fromLatin1(name));
        env.insert(u"HOME"_qs, FDir.path());
        env.insert(u"XDG_DATA_HOME"_qs, FDir.filePath(u"share"_qs));
        env.insert(u"XDG_CONFIG_HOME"_qs, FDir.filePath(u"config"_qs));
        env.insert(u"XDG_RUNTIME_DIR"_qs, RuntimeFolder());
        env.insert(u"TMPDIR"_qs, TempFolder());
        if (FAsCronJob) // no session variables at all
            env.remove(u"XDG_RUNTIME_DIR"_qs);
        if (!withConverter)
            env.insert(u"PATH"_qs, FDir.filePath(u"nothing"_qs));
        else if (FFakeConverter)
            env.insert(u"PATH"_qs, FDir.filePath(u"bin:"_qs) + env.value(u"PATH"_qs));
        return env;
    }

    // The system's temporary folder, for the program.
    QString TempFolder() const { return FDir.filePath(u"tmp"_qs); }

    // A wkhtmltopdf of the test's own on the PATH: a shell script run as
    // "wkhtmltopdf IN.html OUT.pdf".
    void FakeConverter(const QByteArray& script)
    {
        QDir().mkpath(FDir.filePath(u"bin"_qs));
        QFile f(FDir.filePath(u"bin/wkhtmltopdf"_qs));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + script);
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        FFakeConverter = true;
    }

    // childSetup runs in the program's process before it starts (to give it
    // another standard output).
    TRunResult Run(const QStringList& args, bool withConverter = true,
        const std::function<void()>& childSetup = {})
    {
        QProcess p;
        p.setProcessEnvironment(Environment(withConverter));
        p.setWorkingDirectory(FDir.path());
        if (childSetup)
            p.setChildProcessModifier(childSetup);
        p.start(QStringLiteral(RYV_PROGRAM), args);
        TRunResult r;
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
            return r;
        r.code = p.exitCode();
        r.out = p.readAllStandardOutput();
        r.err = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

    // The window, on the offscreen platform, once it listens for later
    // starts and reports.
    void StartWindow(QProcess& window)
    {
        QProcessEnvironment env = Environment();
        env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
        window.setProcessEnvironment(env);
        window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        window.start(QStringLiteral(RYV_PROGRAM), {});
        ASSERT_TRUE(window.waitForStarted());
        const QString socket
            = RuntimeFolder() + QStringLiteral("/RyvTracker-%1.socket").arg(::getuid());
        ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(socket); }));
    }

    QTemporaryDir FDir;
    bool FAsCronJob = false;
    bool FFakeConverter = false;
};

TEST_F(ProgramTest, ReportsWithoutADisplay)
{
    const struct {
        QStringList args;
        QByteArray starts;
        QByteArray holds;
    } cases[] = {
        { { u"report"_qs }, "<!DOCTYPE html>", "Checked &lt;task&gt;" },
        { { u"report"_qs, u"this-year"_qs, u"--format"_qs, u"csv"_qs },
            "\xEF\xBB\xBF"
            "start;stop;duration;",
            "\"Checked <task>\"" },
        { { u"export"_qs, u"--format"_qs, u"json"_qs }, "{", "\"title\": \"Checked <task>\"" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const TRunResult r = Run(c.args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith(c.starts)) << r.out.left(200).toStdString();
        EXPECT_TRUE(r.out.contains(c.holds)) << r.out.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
    // Standard error stays free of Qt's notes, which a cron job would mail.
    FAsCronJob = true;
    const TRunResult cron = Run({ u"report"_qs, u"--format"_qs, u"pdf"_qs, u"-o"_qs, u"c.pdf"_qs });
    EXPECT_EQ(cron.code, 0);
    EXPECT_TRUE(cron.err.isEmpty()) << cron.err.toStdString();
    FAsCronJob = false;

    // PDF through the converter when there is one, and through the
    // built-in writer on the offscreen platform when there is none.
    for (const bool withConverter : { true, false }) {
        SCOPED_TRACE(withConverter ? "converter" : "built-in writer");
        const QString pdf = FDir.filePath(withConverter ? u"a/c.pdf"_qs : u"a/b.pdf"_qs);
        const TRunResult r
            = Run({ u"report"_qs, u"this-week"_qs, u"--format"_qs, u"pdf"_qs, u"-o"_qs, pdf },
                withConverter);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(FileBytes(pdf).startsWith("%PDF-"));
        EXPECT_TRUE(PdfText(pdf).contains(u"Checked <task>"_qs));
        EXPECT_TRUE(r.out.isEmpty());
    }
}

// Reports and exports speak the window's language, the one the settings
// name; without one (or with one whose file is gone) the user's, else
// English.
TEST_F(ProgramTest, ReportsInTheLanguageOfTheSettings)
{
    const struct {
        const char* langCode;
        const char* dailyTotal;
    } cases[] = { { "de", "Tagessumme:" }, { "", "Daily total:" }, { "xx", "Daily total:" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.langCode);
        QFile ini(FDir.filePath(u"share/RyvTracker/RyvTracker.ini"_qs));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QByteArray("[misc]\nlangCode=") + c.langCode + "\n");
        ini.close();
        const TRunResult r = Run({ u"report"_qs });
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(QString::fromUtf8(r.out).contains(QString::fromUtf8(c.dailyTotal)))
            << r.out.toStdString();
    }
}

TEST_F(ProgramTest, ExitCodesAndMessages)
{
    const struct {
        QStringList args;
        int code;
        QString named;
    } cases[] = {
        { { u"reprot"_qs }, 2, u"'reprot'"_qs },
        { { u"report"_qs, u"--colour"_qs }, 2, u"'colour'"_qs },
        { { u"report"_qs, u"last-decade"_qs }, 2, u"'last-decade'"_qs },
        { { u"export"_qs, u"2023-02-29"_qs }, 2, u"'2023-02-29'"_qs },
        { { u"report"_qs, u"--format"_qs, u"pdf"_qs }, 2, u"--output"_qs },
        { { u"report"_qs, u"-o"_qs, u"current.lst/r.html"_qs }, 1, u"Not a directory"_qs },
    };
    // A plain file stands where the output's folder would be.
    QFile(FDir.filePath(u"current.lst"_qs)).open(QIODevice::WriteOnly);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const TRunResult r = Run(c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.startsWith(u"RyvTracker: "_qs)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.named)) << r.err.toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
    }
    EXPECT_EQ(QDir(FDir.path()).entryList({ u"*.html"_qs, u"*.pdf"_qs }, QDir::Files).size(), 0);

    const TRunResult version = Run({ u"--version"_qs });
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "Ryv Tracker " RYV_EXPECTED_VERSION "\n");
    const TRunResult help = Run({ u"--help"_qs });
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: RyvTracker")) << help.out.toStdString();
}

// With the window running, a report first has it write what it has not
// saved yet: here the favourites, which the window otherwise writes only
// when it closes.
TEST_F(ProgramTest, RunningWindowSavesFirst)
{
    QProcess window;
    StartWindow(window);
    const QString favourites = DataFolder() + u"/favorites.lst"_qs;
    ASSERT_FALSE(QFileInfo::exists(favourites));

    const TRunResult r = Run({ u"report"_qs });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(favourites));

    window.terminate(); // closes in order, like a session's end
    EXPECT_TRUE(window.waitForFinished(30000));
}

// A reader that goes away (a pipe into head) makes an output that cannot be
// written: exit code 1 and a message, not the end by SIGPIPE.
TEST_F(ProgramTest, ClosedPipeIsAFailedWrite)
{
    for (const QStringList& args :
        { QStringList { u"report"_qs, u"this-year"_qs, u"--format"_qs, u"csv"_qs },
            QStringList { u"export"_qs, u"-o"_qs, u"-"_qs }, QStringList { u"--help"_qs } }) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        int fds[2];
        ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
        ::close(fds[0]); // the reader has gone before the first byte
        const int writeEnd = fds[1];
        const TRunResult r = Run(args, true, [writeEnd] { ::dup2(writeEnd, STDOUT_FILENO); });
        ::close(writeEnd);
        EXPECT_EQ(r.code, 1) << "crashed or timed out: -1";
        EXPECT_TRUE(r.err.startsWith(u"RyvTracker: cannot write the output: "_qs))
            << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(qt_error_string(EPIPE))) << r.err.toStdString();
    }
}

// A converter that stops half-way (its disk full) and still ends with code 0:
// its PDF is not taken; the built-in writer makes the report.
TEST_F(ProgramTest, IncompletePdfOfTheConverterIsNotTaken)
{
    FakeConverter("printf '%%PDF-1.4\\n1 0 obj\\n<< /Type' > \"$2\"\nexit 0\n");
    const QString pdf = FDir.filePath(u"out/r.pdf"_qs);
    QDir().mkpath(FDir.filePath(u"out"_qs));
    const TRunResult r = Run({ u"report"_qs, u"--format"_qs, u"pdf"_qs, u"-o"_qs, pdf });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QByteArray bytes = FileBytes(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF")) << bytes.right(40).toStdString();
    EXPECT_TRUE(PdfText(pdf).contains(u"Checked <task>"_qs));
    EXPECT_EQ(QDir(FDir.filePath(u"out"_qs))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList { u"r.pdf"_qs });
}

// A report killed while the converter runs takes the converter with it and
// leaves nothing beside the target or in the data folder; its private folder
// goes at the window's next start, with the other leftovers of killed runs.
// A folder of a process that still runs stays.
TEST_F(ProgramTest, KilledReportLeavesNoConverterAndTheNextStartClearsUp)
{
    const QString pidFile = FDir.filePath(u"converter.pid"_qs);
    FakeConverter("echo $$ > '" + QFile::encodeName(pidFile) + ".new'\nmv '"
        + QFile::encodeName(pidFile) + ".new' '" + QFile::encodeName(pidFile)
        + "'\nexec sleep 600\n");
    QProcess report;
    report.setProcessEnvironment(Environment());
    report.setWorkingDirectory(FDir.path());
    report.start(QStringLiteral(RYV_PROGRAM),
        { u"report"_qs, u"--format"_qs, u"pdf"_qs, u"-o"_qs, FDir.filePath(u"out/r.pdf"_qs) });
    ASSERT_TRUE(report.waitForStarted());
    const qint64 reportPid = report.processId();
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(pidFile); }));
    const qint64 converter = FileBytes(pidFile).trimmed().toLongLong();
    ASSERT_GT(converter, 0);
    // Whatever fails below, no converter of the test outlives it.
    const std::unique_ptr<const qint64, void (*)(const qint64*)> endConverter(
        &converter, [](const qint64* pid) {
            if (ProcessRuns(*pid))
                ::kill(static_cast<pid_t>(*pid), SIGKILL);
        });
    const QStringList working
        = QDir(TempFolder()).entryList({ u"ryvtracker-%1-*"_qs.arg(reportPid) }, QDir::Dirs);
    ASSERT_EQ(working.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(TempFolder() + u"/"_qs + working[0] + u"/report.html"_qs));

    report.kill();
    ASSERT_TRUE(report.waitForFinished());
    EXPECT_TRUE(WaitUntil([&] { return !ProcessRuns(converter); }, 10000))
        << "the converter runs on";
    EXPECT_TRUE(
        QDir(FDir.filePath(u"out"_qs))
            .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    EXPECT_TRUE(QDir(DataFolder()).entryList({ u"__temp*"_qs }).isEmpty());

    // More leftovers of killed runs, and a folder of a process that runs.
    const QString dead = QString::number(reportPid);
    const QString running = QString::number(QCoreApplication::applicationPid());
    const QStringList gone { TempFolder() + u"/"_qs + working[0],
        RuntimeFolder() + u"/ryvtracker-%1-aB3xYz"_qs.arg(dead),
        RuntimeFolder() + u"/ryv-history-aB3xYz"_qs, DataFolder() + u"/__temp_aB3xYz.html"_qs,
        FDir.filePath(u"share/RyvTracker/RyvTracker.ini.ryvsave-abc123"_qs) };
    const QStringList kept { RuntimeFolder() + u"/ryvtracker-%1-aB3xYz"_qs.arg(running),
        TempFolder() + u"/ryvtracker-%1-aB3xYz"_qs.arg(running) };
    for (const QString& folder : gone.mid(1, 2) + kept)
        MakeFolder(folder);
    for (const QString& file : gone.mid(3))
        QFile(file).open(QIODevice::WriteOnly);
    for (const QString& path : gone + kept)
        ASSERT_TRUE(QFileInfo::exists(path)) << path.toStdString();

    QProcess window;
    StartWindow(window);
    // A report is answered once the window's start is through.
    const TRunResult r = Run({ u"report"_qs });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    for (const QString& path : gone)
        EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
    for (const QString& path : kept)
        EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
    window.terminate();
    EXPECT_TRUE(window.waitForFinished(30000));
}

} // namespace
} // namespace ryv
