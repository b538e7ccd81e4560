// The program as a user or a cron job runs it: its own folders, no display,
// no window, the exit code and the two output streams.
#include "reporttesthelpers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <unistd.h>

#include <gtest/gtest.h>

namespace ryv {
namespace {

struct TRunResult {
    int code = -1;
    QByteArray out;
    QString err;
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        QDir().mkpath(DataFolder());
        QDir().mkpath(RuntimeFolder());
        QFile::setPermissions(
            RuntimeFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
        if (FAsCronJob) // no session variables at all
            env.remove(u"XDG_RUNTIME_DIR"_qs);
        if (!withConverter)
            env.insert(u"PATH"_qs, FDir.filePath(u"nothing"_qs));
        return env;
    }

    TRunResult Run(const QStringList& args, bool withConverter = true)
    {
        QProcess p;
        p.setProcessEnvironment(Environment(withConverter));
        p.setWorkingDirectory(FDir.path());
        p.start(QStringLiteral(RYV_PROGRAM), args);
        TRunResult r;
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
            return r;
        r.code = p.exitCode();
        r.out = p.readAllStandardOutput();
        r.err = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

    QTemporaryDir FDir;
    bool FAsCronJob = false;
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
    QProcessEnvironment env = Environment();
    env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    window.setProcessEnvironment(env);
    window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    window.start(QStringLiteral(RYV_PROGRAM), {});
    ASSERT_TRUE(window.waitForStarted());
    const QString socket
        = RuntimeFolder() + QStringLiteral("/RyvTracker-%1.socket").arg(::getuid());
    QElapsedTimer wait;
    wait.start();
    while (!QFileInfo::exists(socket) && wait.elapsed() < 30000)
        QThread::msleep(20);
    ASSERT_TRUE(QFileInfo::exists(socket));
    const QString favourites = DataFolder() + u"/favorites.lst"_qs;
    ASSERT_FALSE(QFileInfo::exists(favourites));

    const TRunResult r = Run({ u"report"_qs });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(favourites));

    window.terminate(); // closes in order, like a session's end
    EXPECT_TRUE(window.waitForFinished(30000));
}

} // namespace
} // namespace ryv
