#include "historydatabases.h"
#include "qtprint.h"
#include "reports/reportports.h"
#include "suggest/browserhistory.h"
#include "suggest/historyplugin.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace ryv {
namespace {

using test::TChromiumDatabase;
using test::TFirefoxDatabase;
using test::THistoryRow;

const TDateTime Now = EncodeDateTime(2024, 5, 6, 14, 30);

THistoryRow Row(const char* url, const char* title, double minutesAgo)
{
    return THistoryRow { QString::fromUtf8(url), title ? QString::fromUtf8(title) : QString(),
        Now - minutesAgo * OneMinute };
}

QStringList Describe(const std::vector<TBrowserVisit>& visits)
{
    QStringList rows;
    for (const TBrowserVisit& v : visits)
        rows.append(QStringLiteral("%1 | %2 | %3 | %4")
                        .arg(v.browser, v.title, v.url)
                        .arg(qRound((Now - v.visitTime) * 1440)));
    return rows;
}

void WriteFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

class BrowserHistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FHome.isValid());
        ASSERT_TRUE(FTemp.isValid());
    }
    void TearDown() override
    {
        // The private copies went here, and are gone.
        EXPECT_TRUE(QDir(FTemp.path()).isEmpty()) << "a private copy was left behind";
    }
    QString Home(const QString& rel) const { return FHome.path() + QLatin1Char('/') + rel; }
    std::vector<TBrowserVisit> Recent(TDateTime since)
    {
        return TBrowserHistory(FHome.path(), QString(), FTemp.path()).RecentVisits(since);
    }

    QTemporaryDir FHome;
    QTemporaryDir FTemp;
};

TEST_F(BrowserHistoryTest, FindsTheProfilesOfEveryBrowser)
{
    const QString xdgFirefox = Home(".config/mozilla/firefox");
    WriteFile(xdgFirefox + "/profiles.ini",
        "[Install4F96D1932A9F858E]\nDefault=abc.default-esr\n\n"
        "[Profile1]\nName=work\nIsRelative=1\nPath=abc.default-esr\n\n"
        "[Profile0]\nName=other\nIsRelative=0\nPath="
            + Home("elsewhere/xyz.other").toUtf8() + "\n\n"
            + "[Profile2]\nName=no database\nIsRelative=1\nPath=empty.profile\n\n"
              "[General]\nStartWithLastProfile=1\nVersion=2\n");
    WriteFile(xdgFirefox + "/abc.default-esr/places.sqlite", "x");
    WriteFile(Home("elsewhere/xyz.other/places.sqlite"), "x");
    QDir().mkpath(xdgFirefox + "/empty.profile");
    WriteFile(Home(".mozilla/firefox/profiles.ini"), "[Profile0]\nPath=old.default\n");
    WriteFile(Home(".mozilla/firefox/old.default/places.sqlite"), "x");
    // The same profile named twice is read once.
    WriteFile(Home("snap/firefox/common/.mozilla/firefox/profiles.ini"),
        "[Profile0]\nIsRelative=0\nPath=" + Home(".mozilla/firefox/old.default").toUtf8() + "\n");
    WriteFile(Home(".config/chromium/Default/History"), "x");
    WriteFile(Home(".config/chromium/Profile 3/History"), "x");
    WriteFile(Home(".config/chromium/Guest Profile/History"), "x");
    WriteFile(Home(".config/chromium/System Profile/History"), "x");
    WriteFile(Home(".config/opera/History"), "x");
    WriteFile(
        Home(".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser/Default/History"), "x");
    // A folder named like the database is not one.
    QDir().mkpath(Home(".config/google-chrome/Default/History"));

    QStringList found;
    for (const THistoryDatabase& db : TBrowserHistory::FindDatabases(FHome.path(), QString()))
        found.append(
            db.browser + QStringLiteral(": ") + QDir(FHome.path()).relativeFilePath(db.path));
    EXPECT_EQ(found,
        QStringList({
            "Firefox: .config/mozilla/firefox/abc.default-esr/places.sqlite",
            "Firefox: elsewhere/xyz.other/places.sqlite",
            "Firefox: .mozilla/firefox/old.default/places.sqlite",
            "Chromium: .config/chromium/Default/History",
            "Chromium: .config/chromium/Profile 3/History",
            "Brave: .var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser/Default/History",
            "Opera: .config/opera/History",
        }));

    // $XDG_CONFIG_HOME moves the config folders.
    WriteFile(Home("xdg/vivaldi/Default/History"), "x");
    found.clear();
    for (const THistoryDatabase& db : TBrowserHistory::FindDatabases(FHome.path(), Home("xdg")))
        found.append(db.browser);
    EXPECT_EQ(found, QStringList({ "Firefox", "Brave", "Vivaldi" }));
}

TEST_F(BrowserHistoryTest, ReadsRunningBrowsersNewestFirst)
{
    // Firefox is running: its database is locked and the visits are still
    // in the write-ahead log.
    TFirefoxDatabase firefox(Home(".mozilla/firefox/p.default/places.sqlite"));
    WriteFile(Home(".mozilla/firefox/profiles.ini"), "[Profile0]\nPath=p.default\n");
    firefox.Add({
        Row("https://wiki/release", "Release checklist", 1),
        Row("https://old", "Yesterday's page", 60 * 24 + 5),
        Row("https://untitled", nullptr, 12),
    });
    ASSERT_TRUE(QFile::exists(Home(".mozilla/firefox/p.default/places.sqlite-wal")));
    {
        TChromiumDatabase chromium(Home(".config/chromium/Default/History"));
        chromium.Add({
            Row("https://tracker/12", "Ticket 12", 3),
            Row("https://docs", "Docs \u00e9t\u00e9", 30),
        });
    }
    const std::vector<TBrowserVisit> visits = Recent(Now - 1.0);
    EXPECT_EQ(Describe(visits),
        QStringList({
            "Firefox | Release checklist | https://wiki/release | 1",
            "Chromium | Ticket 12 | https://tracker/12 | 3",
            "Firefox |  | https://untitled | 12",
            "Chromium | Docs \u00e9t\u00e9 | https://docs | 30",
        }));
    for (const TBrowserVisit& v : visits)
        EXPECT_TRUE(v.hasVisitTime);
    // The cutoff is applied by the query.
    EXPECT_EQ(Recent(Now - 5 * OneMinute).size(), 2u);
}

TEST_F(BrowserHistoryTest, BrokenDatabasesGiveNothing)
{
    struct Case {
        const char* what;
        std::function<void(const QString& path)> make;
    };
    const Case cases[] = {
        { "garbage", [](const QString& p) { WriteFile(p, QByteArray(8192, '\x5a')); } },
        { "empty file", [](const QString& p) { WriteFile(p, QByteArray()); } },
        { "foreign schema",
            [](const QString& p) {
                test::TSqlite db(p);
                db.Exec("CREATE TABLE visits(id INTEGER, somewhere TEXT)");
            } },
        { "tables turned into views",
            [](const QString& p) {
                test::TSqlite db(p);
                db.Exec(
                    "CREATE TABLE u(id, url, title); CREATE TABLE v(url, visit_time);"
                    "CREATE VIEW urls AS SELECT * FROM u; CREATE VIEW visits AS SELECT * FROM v;");
            } },
        { "truncated",
            [](const QString& p) {
                {
                    TChromiumDatabase db(p);
                    std::vector<THistoryRow> rows;
                    for (int i = 0; i < 2000; ++i)
                        rows.push_back(Row("https://page", "A page with a long enough title", 2));
                    db.Add(rows);
                }
                QFile file(p);
                ASSERT_TRUE(file.resize(file.size() / 2));
            } },
        { "a pipe",
            [](const QString& p) {
                QDir().mkpath(QFileInfo(p).path());
                ASSERT_EQ(mkfifo(QFile::encodeName(p).constData(), 0600), 0);
            } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = Home(".config/chromium/Default/History");
        QFile::remove(path);
        c.make(path);
        EXPECT_TRUE(TBrowserHistory::ReadDatabase(
            { path, QStringLiteral("Chromium"), THistoryDatabase::TKind::Chromium }, Now - 1.0,
            FTemp.path())
                        .empty());
        EXPECT_TRUE(Recent(Now - 1.0).empty());
    }
}

TEST_F(BrowserHistoryTest, AJournalBesideTheDatabaseIsReadFromTheCopyOnly)
{
    const QString path = Home(".config/chromium/Default/History");
    {
        TChromiumDatabase db(path);
        db.Add({ Row("https://a", "Committed", 2) });
    }
    // A journal beside the database goes with the copy; the browser's own
    // files stay as they were, whatever SQLite does with the copy.
    WriteFile(path + "-journal", QByteArray(512, '\0'));
    const QByteArray before = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    EXPECT_EQ(Describe(Recent(Now - 1.0)), QStringList({ "Chromium | Committed | https://a | 2" }));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_TRUE(QFile::exists(path + "-journal"));
}

class TFakeRunner final : public IProgramRunner {
public:
    int RunAndWait(const QString& program, const QStringList& arguments, QString*) override
    {
        ran = program;
        args = arguments;
        if (!csv.isNull())
            WriteFile(arguments.value(1), csv.toUtf8());
        return exitCode;
    }
    QString csv;
    int exitCode = 0;
    QString ran;
    QStringList args;
};

class TFallback final : public IBrowserHistory {
public:
    std::vector<TBrowserVisit> RecentVisits(TDateTime) override
    {
        ++asked;
        return { TBrowserVisit { QStringLiteral("https://db"), QStringLiteral("From the database"),
            QStringLiteral("Firefox"), Now, true } };
    }
    int asked = 0;
};

TEST_F(BrowserHistoryTest, PluginRowsReplaceTheDatabases)
{
    const QString plugins = FHome.path() + QStringLiteral("/plugins/");
    const QString data = FHome.path() + QStringLiteral("/data/");
    TFakeRunner runner;
    TFallback fallback;
    THistoryPlugin plugin(plugins, data, runner, fallback);

    // Not installed: the databases.
    EXPECT_EQ(plugin.RecentVisits(Now).size(), 1u);
    EXPECT_TRUE(runner.ran.isEmpty());

    const QString program = plugins + QStringLiteral("BrowsingHistoryView/BrowsingHistoryView");
    WriteFile(program, "#!/bin/sh\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    WriteFile(data + QStringLiteral("__bhv.csv"), "stale");
    runner.csv = QStringLiteral("URL,Title,Visited On,Web Browser,Visit Time\n"
                                "https://a,\"Page, with comma\",x,Firefox,2024-05-06 14:25:00\n"
                                "https://b,Second,x,Google Chrome,garbage\n");
    fallback.asked = 0;
    const std::vector<TBrowserVisit> visits = plugin.RecentVisits(Now);
    EXPECT_EQ(runner.ran, program);
    EXPECT_EQ(runner.args,
        QStringList({ "/scomma", data + "__bhv.csv", "/sort", "~Visit Time", "/HistorySource", "2",
            "/StopIECacheTask", "1", "/VisitTimeFilterType", "2", "/VisitTimeFilterValue", "1" }));
    EXPECT_EQ(fallback.asked, 0);
    ASSERT_EQ(visits.size(), 2u);
    EXPECT_EQ(visits[0].title, QStringLiteral("Page, with comma"));
    EXPECT_EQ(visits[0].browser, QStringLiteral("Firefox"));
    EXPECT_EQ(qRound((Now - visits[0].visitTime) * 1440), 5);
    EXPECT_EQ(visits[1].browser, QStringLiteral("Google Chrome"));
    EXPECT_EQ(visits[1].visitTime, 0.0); // unreadable: as old as can be

    // Without the visit time column every row counts as recent.
    runner.csv = QStringLiteral("url,title,web browser\nhttps://c,Third,Opera\n");
    const std::vector<TBrowserVisit> untimed = plugin.RecentVisits(Now);
    ASSERT_EQ(untimed.size(), 1u);
    EXPECT_FALSE(untimed[0].hasVisitTime);

    // A program that writes nothing, or a file without the needed columns:
    // the databases again.
    for (const char* csv : { static_cast<const char*>(nullptr), "URL,Title\nhttps://d,Fourth\n" }) {
        runner.csv = csv ? QString::fromUtf8(csv) : QString();
        fallback.asked = 0;
        EXPECT_EQ(plugin.RecentVisits(Now).size(), 1u);
        EXPECT_EQ(fallback.asked, 1);
        EXPECT_FALSE(!csv && QFile::exists(data + "__bhv.csv")); // the stale file was removed
    }
}

} // namespace
} // namespace ryv
