#include "core/liststore.h"

#include "core/clock.h"
#include "core/daylist.h"
#include "core/listfiles.h"
#include "core/regional.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace ryv {
namespace {

const QByteArray Mark("\xEF\xBB\xBF");
const QByteArray DayHeader("kind;state;start;stop;\"title\";\"url\";\"descr\"");

TDateTime At(int day, int h, int m, int s = 0)
{
    return EncodeDateTime(2022, 1, day, h, m, s);
}

std::unique_ptr<TRyvItem> Entry(TRyvItemKind kind, TDateTime start, TDateTime stop,
    const QString& title = {}, const QString& url = {}, const QString& descr = {},
    TRyvItemState state = ryvsNone)
{
    auto e = std::make_unique<TRyvItem>();
    e->kind = kind;
    e->start = start;
    e->stop = stop;
    e->title = title;
    e->url = url;
    e->descr = descr;
    e->state = state;
    return e;
}

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

void ExpectSameEntry(const TRyvItem& a, const TRyvItem& b, const char* what)
{
    EXPECT_EQ(a.kind, b.kind) << what;
    EXPECT_EQ(a.state, b.state) << what;
    EXPECT_DOUBLE_EQ(a.start, b.start) << what;
    EXPECT_DOUBLE_EQ(a.stop, b.stop) << what;
    EXPECT_EQ(a.title, b.title) << what;
    EXPECT_EQ(a.url, b.url) << what;
    EXPECT_EQ(a.descr, b.descr) << what;
}

class ListStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QObject::connect(
            &store, &TListStore::errorOccurred, [this](const QString& m) { messages << m; });
    }

    QString DataPath(const QString& name) const { return options.FolderData + name; }

    void AddToday(std::unique_ptr<TRyvItem> e) { today.Append(std::move(e)); }
    void AddHistory(std::unique_ptr<TRyvItem> e) { history.Append(std::move(e)); }

    TRegionalScope regional { "en_GB" };
    QTemporaryDir dir;
    TRyvOptions options { dir.path() };
    TManualClock clock { At(7, 10, 23, 45) };
    TDayList today { TDayListRole::Today, options, clock };
    TDayList history { TDayListRole::History, options, clock };
    TRyvItemList favs;
    TRyvItemList recent;
    TListStore store { today, history, favs, recent, options, clock };
    QStringList messages;
};

TEST_F(ListStoreTest, DayFilePath_CurrentOrYearFolder)
{
    EXPECT_EQ(DayFilePath(options, 0), options.FolderData + QStringLiteral("current.lst"));
    EXPECT_EQ(DayFilePath(options, At(7, 15, 30)),
        options.FolderData + QStringLiteral("2022/2022-01-07.lst"));
}

TEST_F(ListStoreTest, SaveData_WritesExactFormat_RunningEntryLastWithoutStop)
{
    AddToday(Entry(ryvkTask, At(7, 9, 0), At(7, 10, 30), QStringLiteral("Weekly report"), {},
        QStringLiteral("first draft"), ryvsDone));
    AddToday(Entry(ryvkPause, At(7, 10, 30), At(7, 10, 45)));
    AddToday(Entry(ryvkTask, At(7, 10, 45), At(7, 10, 45), QStringLiteral("Say \"hi\"; now"),
        QStringLiteral("http://x"), QStringLiteral("one\r\ntwo\nthree")));
    today.SetWorking(true);
    clock.Set(At(7, 11, 0, 59));
    today.RefreshTotals(); // the running stop moves, but is not written

    ASSERT_TRUE(store.SaveData(true, 0));
    EXPECT_EQ(ReadBytes(DataPath(QStringLiteral("current.lst"))),
        Mark + DayHeader
            + "\r\n0;1;2022-01-07 09:00:00;2022-01-07 10:30:00;\"Weekly report\";\"\";\"first "
              "draft\""
              "\r\n1;0;2022-01-07 10:30:00;2022-01-07 10:45:00;\"\";\"\";\"\""
              "\r\n0;0;2022-01-07 10:45:00;;\"Say 'hi'; "
              "now\";\"http://x\";\"one\r\ntwo\r\nthree\"");
    EXPECT_TRUE(messages.isEmpty());

    // The example line reads back as the entry it came from.
    TDayList loaded(TDayListRole::Today, options, clock);
    TListStore reader(loaded, history, favs, recent, options, clock);
    ASSERT_TRUE(reader.LoadData());
    ASSERT_EQ(loaded.Count(), 3);
    ExpectSameEntry(*loaded.Item(0), *today.Item(0), "example line");
}

TEST_F(ListStoreTest, SaveDataOfDay_WritesOnlyThatDay_RunningWithItsStop)
{
    AddToday(Entry(ryvkTask, At(6, 9, 0), At(6, 10, 0), QStringLiteral("yesterday")));
    AddToday(Entry(ryvkTask, At(7, 9, 0), At(7, 9, 30), QStringLiteral("today")));
    AddToday(Entry(ryvkTask, At(7, 9, 30), At(7, 9, 30), QStringLiteral("running")));
    today.SetWorking(true);
    today.RefreshTotals();

    ASSERT_TRUE(store.SaveData(true, At(7, 23, 0)));
    EXPECT_EQ(ReadBytes(DataPath(QStringLiteral("2022/2022-01-07.lst"))),
        Mark + DayHeader
            + "\r\n0;0;2022-01-07 09:00:00;2022-01-07 09:30:00;\"today\";\"\";\"\""
              "\r\n0;0;2022-01-07 09:30:00;2022-01-07 10:23:45;\"running\";\"\";\"\"");
    EXPECT_FALSE(QFile::exists(DataPath(QStringLiteral("current.lst"))));
}

TEST_F(ListStoreTest, TodayRoundTrip_ResumesRunningTask)
{
    const QString hard = QStringLiteral("Ümlaut; \"quoted\"\ttab");
    AddToday(Entry(ryvkTask, At(7, 8, 0), At(7, 9, 0, 59), hard, QStringLiteral("file:///x y"),
        QStringLiteral("a\r\nb"), ryvsDone));
    AddToday(Entry(ryvkPause, At(7, 9, 0, 59), At(7, 9, 5)));
    AddToday(Entry(ryvkTask, At(7, 9, 5), At(7, 9, 5), QStringLiteral("Run")));
    today.SetWorking(true);
    ASSERT_TRUE(store.SaveData(true, 0));

    TDayList loaded(TDayListRole::Today, options, clock);
    TListStore reader(loaded, history, favs, recent, options, clock);
    clock.Set(At(7, 12, 0));
    ASSERT_TRUE(reader.LoadData());

    ASSERT_EQ(loaded.Count(), 3);
    // Quotes become apostrophes, tabs are dropped, CR LF reads as LF.
    ExpectSameEntry(*loaded.Item(0),
        *Entry(ryvkTask, At(7, 8, 0), At(7, 9, 0, 59), QStringLiteral("Ümlaut; 'quoted'tab"),
            QStringLiteral("file:///x y"), QStringLiteral("a\nb"), ryvsDone),
        "task");
    ExpectSameEntry(*loaded.Item(1), *Entry(ryvkPause, At(7, 9, 0, 59), At(7, 9, 5)), "break");
    ExpectSameEntry(*loaded.Item(2),
        *Entry(ryvkTask, At(7, 9, 5), At(7, 12, 0), QStringLiteral("Run")), "running");
    EXPECT_TRUE(loaded.IsWorking());
    EXPECT_EQ(loaded.Focused(), 2);
    EXPECT_EQ(loaded.Selected(), QList<int> { 2 });
    EXPECT_EQ(loaded.TaskText(0), QStringLiteral("Ümlaut; 'quoted'tab"));
    EXPECT_EQ(loaded.DoneMark(0), true);
    EXPECT_EQ(loaded.TotalText(), QStringLiteral("3:55:59"));
    EXPECT_FALSE(loaded.ClickStarts());
}

TEST_F(ListStoreTest, LineBreaksInTexts_SurviveRepeatedSaves)
{
    AddToday(Entry(ryvkTask, At(7, 8, 0), At(7, 9, 0), QStringLiteral("T"), {},
        QStringLiteral("line one\r\nline two\nline three\rfour")));
    ASSERT_TRUE(store.SaveData(true, 0));
    const QByteArray first = ReadBytes(DataPath(QStringLiteral("current.lst")));
    EXPECT_TRUE(first.contains("\"line one\r\nline two\r\nline three\r\nfour\""));

    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(store.LoadData());
        ASSERT_EQ(today.Count(), 1);
        EXPECT_EQ(today.Item(0)->descr, QStringLiteral("line one\nline two\nline three\nfour"));
        ASSERT_TRUE(store.SaveData(true, 0));
        EXPECT_EQ(ReadBytes(DataPath(QStringLiteral("current.lst"))), first) << round;
    }
}

TEST_F(ListStoreTest, HistoryRoundTrip_AndYesterdayByDefault)
{
    QSignalSpy loadedSpy(&store, &TListStore::historyDayLoaded);
    ASSERT_TRUE(store.LoadHistoryDay()); // no file: an empty yesterday
    EXPECT_DOUBLE_EQ(history.HistoryDate(), EncodeDate(2022, 1, 6));
    EXPECT_TRUE(history.IsEmpty());
    ASSERT_EQ(loadedSpy.count(), 1);

    AddHistory(Entry(ryvkTask, At(6, 8, 0), At(6, 9, 30), QStringLiteral("A")));
    AddHistory(Entry(ryvkPause, At(6, 9, 30), At(6, 10, 0)));
    AddHistory(Entry(ryvkTask, At(6, 10, 0), At(6, 10, 45), QStringLiteral("B"), {}, {}, ryvsDone));
    ASSERT_TRUE(store.SaveHistoryDay(true));
    history.Clear();

    ASSERT_TRUE(store.LoadHistoryDay());
    ASSERT_EQ(history.Count(), 3);
    ExpectSameEntry(*history.Item(2),
        *Entry(ryvkTask, At(6, 10, 0), At(6, 10, 45), QStringLiteral("B"), {}, {}, ryvsDone),
        "last");
    EXPECT_EQ(history.TotalText(), QStringLiteral("2:15"));
    EXPECT_EQ(history.Selected(), QList<int> { 2 });
    EXPECT_FALSE(today.IsWorking());
}

TEST_F(ListStoreTest, WorkspaceRoundTrip_RecentCappedAtMaxCount)
{
    favs.AddOrUpdate(QStringLiteral("Fav \"one\""), QStringLiteral("u1"), QStringLiteral("d\r\n2"));
    favs.AddOrUpdate(QStringLiteral("Fav two"), {}, {});
    for (int i = 0; i < 12; ++i)
        recent.AddOrUpdate(QStringLiteral("R%1").arg(i), {}, {});
    options.RecentMaxCnt = 10;
    ASSERT_TRUE(store.SaveWorkspace());
    EXPECT_EQ(ReadBytes(DataPath(QStringLiteral("favorites.lst"))),
        Mark
            + "\"title\";\"url\";\"descr\"\r\n\"Fav 'one'\";\"u1\";\"d\r\n2\"\r\n\"Fav "
              "two\";\"\";\"\"");

    TRyvItemList favs2, recent2;
    TListStore reader(today, history, favs2, recent2, options, clock);
    QSignalSpy loaded(&reader, &TListStore::workspaceLoaded);
    ASSERT_TRUE(reader.LoadWorkspace());
    EXPECT_EQ(loaded.count(), 1);
    ASSERT_EQ(favs2.Count(), 2);
    EXPECT_EQ(favs2.Item(0)->title, QStringLiteral("Fav 'one'"));
    EXPECT_EQ(favs2.Item(0)->descr, QStringLiteral("d\n2"));
    ASSERT_EQ(recent2.Count(), 10);
    EXPECT_EQ(recent2.Item(9)->title, QStringLiteral("R9"));
}

struct ExampleCase {
    const char* name;
    QByteArray body; // after the header line
    bool sixColumns;
    int count;
    bool working;
    TDateTime lastStop;
    const char* lastTitle;
};

TEST_F(ListStoreTest, ExampleFiles_ReadBackExactly)
{
    const QByteArray runningLine = "\r\n0;0;2022-01-07 09:00:00;;\"A\";\"\";\"\"";
    const ExampleCase cases[] = {
        { "running entry in current.lst", runningLine, false, 1, true, At(7, 10, 23, 45), "A" },
        { "six columns, no description",
            "\r\n0;1;2022-01-07 09:00:00;2022-01-07 10:30:00;\"B\";\"u\"", true, 1, false,
            At(7, 10, 30), "B" },
        { "three fields as a break: stop 0", "\r\n1;0;2022-01-07 09:00:00", false, 1, false, 0,
            "" },
        { "three fields as a task: running", "\r\n0;0;2022-01-07 09:00:00", false, 1, true,
            At(7, 10, 23, 45), "" },
        { "an open task not last does not run",
            runningLine + "\r\n0;0;2022-01-07 09:30:00;2022-01-07 09:40:00;\"C\";\"\";\"\"", false,
            2, false, At(7, 9, 40), "C" },
    };
    for (const ExampleCase& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray header = c.sixColumns ? "kind;state;start;stop;\"title\";\"url\"" : DayHeader;
        WriteBytes(DataPath(QStringLiteral("current.lst")), Mark + header + c.body);
        ASSERT_TRUE(store.LoadData());
        ASSERT_EQ(today.Count(), c.count);
        EXPECT_EQ(today.IsWorking(), c.working);
        EXPECT_DOUBLE_EQ(today.Last()->stop, c.lastStop);
        EXPECT_EQ(today.Last()->title, QString::fromLatin1(c.lastTitle));
        EXPECT_TRUE(today.Last()->descr.isEmpty());
    }

    // The running line in a history day ends at the end of its day.
    WriteBytes(DataPath(QStringLiteral("2022/2022-01-07.lst")), Mark + DayHeader + runningLine);
    history.SetHistoryDate(EncodeDate(2022, 1, 7));
    ASSERT_TRUE(store.LoadHistoryDay());
    ASSERT_EQ(history.Count(), 1);
    EXPECT_DOUBLE_EQ(history.Item(0)->stop, EndOfDayOf(At(7, 0, 0)));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ListStoreTest, FileWithLfLineEnds_LoadsWhole)
{
    WriteBytes(DataPath(QStringLiteral("current.lst")),
        DayHeader
            + "\n0;0;2022-01-07 08:00:00;2022-01-07 09:00:00;\"A\";\"\";\"x\ny\"\n"
              "0;0;2022-01-07 09:00:00;2022-01-07 09:30:00;\"B\";\"\";\"\"\n");
    ASSERT_TRUE(store.LoadData());
    ASSERT_EQ(today.Count(), 2);
    EXPECT_EQ(today.Item(0)->descr, QStringLiteral("x\ny"));
    EXPECT_EQ(today.Item(1)->title, QStringLiteral("B"));
}

TEST_F(ListStoreTest, DatesWrittenUnderAnyLocale_ReadBack)
{
    {
        const TRegionalScope finnish("fi_FI");
        AddToday(Entry(ryvkTask, At(7, 8, 15, 30), At(7, 9, 45, 10), QStringLiteral("Fi")));
        ASSERT_TRUE(store.SaveData(true, 0));
    }
    const TRegionalScope american("en_US");
    ASSERT_TRUE(store.LoadData());
    ASSERT_EQ(today.Count(), 1);
    EXPECT_DOUBLE_EQ(today.Item(0)->start, At(7, 8, 15, 30));
    EXPECT_DOUBLE_EQ(today.Item(0)->stop, At(7, 9, 45, 10));
}

TEST_F(ListStoreTest, LoadFailures_ReportFirstLineAndReason)
{
    WriteBytes(DataPath(QStringLiteral("current.lst")), Mark);
    EXPECT_FALSE(store.LoadData());
    EXPECT_TRUE(today.IsEmpty());
    EXPECT_EQ(today.UpdateCount(), 0);

    WriteBytes(DataPath(QStringLiteral("2022/2022-01-05.lst")), QByteArray());
    history.SetHistoryDate(EncodeDate(2022, 1, 5));
    EXPECT_FALSE(store.LoadHistoryDay());

    // An unreadable favourites file fails the workspace load, but recent.lst
    // is still read, so the save on closing does not empty it.
    WriteBytes(DataPath(QStringLiteral("favorites.lst")), QByteArray());
    const QByteArray recentFile = Mark + "\"title\";\"url\";\"descr\"\r\n\"R\";\"\";\"\"";
    WriteBytes(DataPath(QStringLiteral("recent.lst")), recentFile);
    QSignalSpy loaded(&store, &TListStore::workspaceLoaded);
    EXPECT_FALSE(store.LoadWorkspace());
    ASSERT_EQ(recent.Count(), 1);
    EXPECT_EQ(recent.Item(0)->title, QStringLiteral("R"));
    EXPECT_EQ(loaded.count(), 0);
    EXPECT_TRUE(store.SaveWorkspace());
    EXPECT_EQ(ReadBytes(DataPath(QStringLiteral("recent.lst"))), recentFile);

    // Each message names the file that failed.
    const struct {
        QString firstLine;
        QString file;
    } expected[] = {
        { QStringLiteral("Cannot load data!"), DataPath(QStringLiteral("current.lst")) },
        { QStringLiteral("Cannot load history data!"),
            DataPath(QStringLiteral("2022/2022-01-05.lst")) },
        { QStringLiteral("Cannot load workspace!"), DataPath(QStringLiteral("favorites.lst")) },
    };
    ASSERT_EQ(messages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QStringList parts = messages[i].split(QStringLiteral("\r\n\r\n"));
        ASSERT_EQ(parts.size(), 2) << i;
        EXPECT_EQ(parts[0], expected[i].firstLine);
        EXPECT_TRUE(parts[1].contains(expected[i].file)) << parts[1].toStdString();
    }
}

// A hand-edited title with one stray double quote: every favourite is read,
// and the save writes all four back.
TEST_F(ListStoreTest, StrayQuoteInFavourites_KeepsEveryLine)
{
    WriteBytes(DataPath(QStringLiteral("favorites.lst")),
        Mark
            + "\"title\";\"url\";\"descr\"\r\n\"First\";\"\";\"\"\r\n\"Stray "
              "\"quote\";\"\";\"\"\r\n"
              "\"Third\";\"http://x\";\"\"\r\n\"Fourth\";\"\";\"two\r\nlines\"");
    ASSERT_TRUE(store.LoadWorkspace());
    ASSERT_EQ(favs.Count(), 4);
    EXPECT_EQ(favs.Item(1)->title, QStringLiteral("Stray \"quote"));
    EXPECT_EQ(favs.Item(2)->url, QStringLiteral("http://x"));
    EXPECT_EQ(favs.Item(3)->descr, QStringLiteral("two\nlines"));

    ASSERT_TRUE(store.SaveWorkspace());
    TRyvItemList reread;
    QString reason;
    ASSERT_TRUE(ReadListFile(DataPath(QStringLiteral("favorites.lst")), reread, &reason));
    ASSERT_EQ(reread.Count(), 4);
    EXPECT_EQ(reread.Item(1)->title, QStringLiteral("Stray 'quote"));
    EXPECT_TRUE(messages.isEmpty());
}

// A list file that failed to load is renamed aside, byte for byte, before
// the first save replaces it, and the message says where it went. Files
// written by the program afterwards are replaced as usual.
TEST_F(ListStoreTest, UnreadableFile_IsMovedAsideBeforeTheFirstSave)
{
    const QByteArray openQuote = "\"title\";\"url\";\"descr\"\r\n\"A\";\"\";\"\"\r\n\"B;\r\nC";
    const QByteArray openQuoteDay
        = Mark + DayHeader + "\r\n0;0;2022-01-06 08:00:00;2022-01-06 09:00:00;\"A;\r\nx";
    const QString stamp = QStringLiteral(".unreadable-20220107-102345");
    const struct {
        const char* name;
        QString file;
        QByteArray bytes;
        std::function<bool()> load;
        std::function<bool()> save;
    } cases[] = {
        { "favourites", DataPath(QStringLiteral("favorites.lst")), Mark + openQuote,
            [&] { return store.LoadWorkspace(); }, [&] { return store.SaveWorkspace(); } },
        { "today's log", DataPath(QStringLiteral("current.lst")), openQuoteDay,
            [&] { return store.LoadData(); }, [&] { return store.SaveData(true, 0); } },
        { "history day", DataPath(QStringLiteral("2022/2022-01-06.lst")), openQuoteDay,
            [&] {
                history.SetHistoryDate(EncodeDate(2022, 1, 6));
                return store.LoadHistoryDay();
            },
            [&] { return store.SaveHistoryDay(true); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(c.file, c.bytes);
        messages.clear();
        EXPECT_FALSE(c.load());
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(c.file)) << messages[0].toStdString();

        ASSERT_TRUE(c.save());
        EXPECT_EQ(ReadBytes(c.file + stamp), c.bytes);
        EXPECT_NE(ReadBytes(c.file), c.bytes);
        ASSERT_EQ(messages.size(), 2);
        EXPECT_TRUE(messages[1].contains(c.file + stamp)) << messages[1].toStdString();

        // The next save replaces the program's own file.
        clock.Set(At(7, 10, 30));
        ASSERT_TRUE(c.save());
        EXPECT_EQ(messages.size(), 2);
        EXPECT_EQ(QDir(QFileInfo(c.file).absolutePath())
                      .entryList({ QFileInfo(c.file).fileName() + QStringLiteral(".*") })
                      .size(),
            1);
        clock.Set(At(7, 10, 23, 45));
    }
    // An empty file holds nothing to keep: it is simply replaced.
    WriteBytes(DataPath(QStringLiteral("recent.lst")), QByteArray());
    ASSERT_FALSE(store.LoadWorkspace());
    ASSERT_TRUE(store.SaveWorkspace());
    EXPECT_EQ(QDir(options.FolderData).entryList({ QStringLiteral("recent.lst*") }),
        QStringList { QStringLiteral("recent.lst") });
}

// A last line whose quoted text never closes: the lines before it show (a
// task left running among them runs on), the file stays as it is until a
// change of the list is saved, and then it is kept aside byte for byte.
TEST_F(ListStoreTest, UnclosedQuoteOnLastLine_ShowsTheLinesBefore_FileKeptUntilTheNextSave)
{
    const QByteArray lines = "\r\n0;0;2022-01-07 08:00:00;2022-01-07 09:00:00;\"A\";\"\";\"\""
                             "\r\n0;0;2022-01-07 09:00:00;;\"B\";\"\";\"\""
                             "\r\n0;0;2022-01-07 09:30:00;;\"C;\"\";x";
    const QString current = DataPath(QStringLiteral("current.lst"));
    WriteBytes(current, Mark + DayHeader + lines);
    EXPECT_FALSE(store.LoadData());
    ASSERT_EQ(today.Count(), 2);
    EXPECT_EQ(today.Item(0)->title, QStringLiteral("A"));
    EXPECT_EQ(today.Item(1)->title, QStringLiteral("B"));
    EXPECT_TRUE(today.IsWorking());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("line 4"))) << messages[0].toStdString();

    // Closing without a change writes nothing.
    store.FlushPendingSaves();
    EXPECT_EQ(ReadBytes(current), Mark + DayHeader + lines);

    // The first change is saved over a copy of the file kept aside.
    today.SetState(0, ryvsDone);
    ASSERT_TRUE(store.SaveData(true, 0));
    EXPECT_EQ(ReadBytes(current + QStringLiteral(".unreadable-20220107-102345")),
        Mark + DayHeader + lines);
    EXPECT_TRUE(ReadBytes(current).contains("0;1;2022-01-07 08:00:00;2022-01-07 09:00:00;\"A\""));
    EXPECT_TRUE(ReadBytes(current).contains("\"B\""));

    // The history day and the favourites show their good lines alike.
    WriteBytes(DataPath(QStringLiteral("2022/2022-01-06.lst")),
        Mark + DayHeader + "\r\n1;0;2022-01-06 08:00:00;2022-01-06 08:10:00;\"\";\"\";\"\""
            + "\r\n0;0;2022-01-06 09:00:00;2022-01-06 10:00:00;\"open");
    history.SetHistoryDate(EncodeDate(2022, 1, 6));
    EXPECT_FALSE(store.LoadHistoryDay());
    EXPECT_EQ(history.Count(), 1);
    WriteBytes(DataPath(QStringLiteral("favorites.lst")),
        Mark + ListFileHeader().toUtf8() + "\r\n\"F\";\"\";\"\"\r\n\"G;x");
    EXPECT_FALSE(store.LoadWorkspace());
    ASSERT_EQ(favs.Count(), 1);
    EXPECT_EQ(favs.Item(0)->title, QStringLiteral("F"));
}

// A list file whose first line is not the header of its kind is no list file
// of ours: nothing in it is read as an entry, however well its quotes
// balance, and the first save keeps it aside byte for byte. The headers of
// files of an older version, without the description, are ours.
TEST_F(ListStoreTest, FileWithoutOurHeader_IsNotReadAndIsKeptAside)
{
    const QByteArray randomBytes = QByteArray::fromHex(
        "2241b2c33b0d0a22ff10223b3b0d0a5c7822e9223b2233220d0a7a3b3b3b22220d0a");
    const QString stamp = QStringLiteral(".unreadable-20220107-102345");
    const QByteArray taskLines = "\r\n\"A\";\"\";\"\"\r\n\"B\";\"\";\"\"";
    const QByteArray dayLines = "\r\n0;0;2022-01-07 08:00:00;2022-01-07 09:00:00;\"A\";\"\";\"\"";
    const struct {
        const char* name;
        QString file;
        QByteArray bytes;
        std::function<bool()> load;
        std::function<int()> count;
        std::function<bool()> save;
    } cases[] = {
        { "random bytes as favourites", DataPath(QStringLiteral("favorites.lst")), randomBytes,
            [&] { return store.LoadWorkspace(); }, [&] { return favs.Count(); },
            [&] { return store.SaveWorkspace(); } },
        { "a day file as favourites", DataPath(QStringLiteral("favorites.lst")),
            Mark + DayHeader + dayLines, [&] { return store.LoadWorkspace(); },
            [&] { return favs.Count(); }, [&] { return store.SaveWorkspace(); } },
        { "favourites as today's log", DataPath(QStringLiteral("current.lst")),
            Mark + ListFileHeader().toUtf8() + taskLines, [&] { return store.LoadData(); },
            [&] { return today.Count(); }, [&] { return store.SaveData(true, 0); } },
        { "random bytes as a history day", DataPath(QStringLiteral("2022/2022-01-06.lst")),
            randomBytes,
            [&] {
                history.SetHistoryDate(EncodeDate(2022, 1, 6));
                return store.LoadHistoryDay();
            },
            [&] { return history.Count(); }, [&] { return store.SaveHistoryDay(true); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        favs.Clear();
        messages.clear();
        WriteBytes(c.file, c.bytes);
        EXPECT_FALSE(c.load());
        EXPECT_EQ(c.count(), 0);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(QStringLiteral("header"))) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(c.file)) << messages[0].toStdString();
        ASSERT_TRUE(c.save());
        EXPECT_EQ(ReadBytes(c.file + stamp), c.bytes);
        ASSERT_TRUE(QFile::remove(c.file + stamp));
    }

    // Older headers without the description.
    WriteBytes(DataPath(QStringLiteral("recent.lst")), "\"title\";\"url\"\r\n\"R\";\"u\"");
    WriteBytes(DataPath(QStringLiteral("favorites.lst")), Mark + ListFileHeader().toUtf8());
    favs.Clear();
    EXPECT_TRUE(store.LoadWorkspace());
    ASSERT_EQ(recent.Count(), 1);
    EXPECT_EQ(recent.Item(0)->url, QStringLiteral("u"));
}

// Whatever stands under a list file's name is read without waiting and
// without bound: a FIFO (no writer will come) and a link to an endless
// device fail at once, and the first save puts them aside, not through them.
TEST_F(ListStoreTest, ListFileThatIsNoRegularFile_FailsAtOnceAndIsKeptAside)
{
    ASSERT_TRUE(QDir().mkpath(options.FolderData));
    const QString current = DataPath(QStringLiteral("current.lst"));
    const QString favorites = DataPath(QStringLiteral("favorites.lst"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(current).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), favorites));

    EXPECT_FALSE(store.LoadData());
    EXPECT_FALSE(store.LoadWorkspace());
    ASSERT_EQ(messages.size(), 2);
    for (const QString& m : messages)
        EXPECT_TRUE(m.contains(QStringLiteral("not a regular file"))) << m.toStdString();

    AddToday(Entry(ryvkTask, At(7, 8, 0), At(7, 9, 0), QStringLiteral("new")));
    ASSERT_TRUE(store.SaveData(true, 0));
    ASSERT_TRUE(store.SaveWorkspace());
    const QString stamp = QStringLiteral(".unreadable-20220107-102345");
    EXPECT_EQ(QFileInfo(current + stamp).isFile(), false); // the FIFO itself
    EXPECT_TRUE(QFileInfo::exists(current + stamp));
    EXPECT_EQ(QFileInfo(favorites + stamp).symLinkTarget(), QStringLiteral("/dev/zero"));
    EXPECT_TRUE(ReadBytes(current).contains("\"new\""));
    EXPECT_TRUE(QFileInfo(favorites).isFile() && !QFileInfo(favorites).isSymLink());
}

// Rows a hand edit spoiled: an unknown kind reads as a task (one without a
// stop is the running one, as a save writes it back), and a stop that cannot
// be read ends the entry at its start rather than at day 0, which gave a
// negative duration and, once saved as an empty stop, a running task.
TEST_F(ListStoreTest, ReadDayFile_UnknownKindAndUnreadableStop_ReadAsTheyAreWrittenBack)
{
    const QString path = DataPath(QStringLiteral("2022/2022-01-06.lst"));
    WriteBytes(path,
        Mark + DayHeader
            + "\r\n0;0;2022-01-06 08:00:00;Weekly report;\"bad stop\";\"\";\"\""
              "\r\n170;0;2022-01-06 09:00:00;;\"odd kind\";\"\";\"\"");
    const auto endOfDay = [](const TRyvItem& e) { return EndOfDayOf(e.start); };
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "as read" : "after a save");
        TEntries entries;
        QString reason;
        bool openLast = false;
        ASSERT_TRUE(ReadDayFile(path, endOfDay, entries, &reason, &openLast));
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_DOUBLE_EQ(entries[0]->stop, At(6, 8, 0));
        EXPECT_EQ(entries[1]->kind, ryvkTask);
        EXPECT_DOUBLE_EQ(entries[1]->stop, EndOfDayOf(At(6, 9, 0)));
        EXPECT_TRUE(openLast);
        QString error;
        ASSERT_TRUE(WriteDayFile(path, { entries[0].get() }, entries[1].get(), &error));
    }
}

TEST_F(ListStoreTest, LoadData_RemovesLeftoversOfKilledSavesOnly)
{
    const QStringList leftovers { DataPath(QStringLiteral("current.lst.ryvsave-0a1b2c")),
        DataPath(QStringLiteral("favorites.lst.ryvsave-zzzzzz")),
        DataPath(QStringLiteral("2022/2022-01-06.lst.ryvsave-123abc")) };
    const QStringList kept { DataPath(QStringLiteral("favorites.lst.backup")),
        DataPath(QStringLiteral("2022/2022-01-06.lst")),
        DataPath(QStringLiteral("notes/x.lst.ryvsave-123abc")) };
    for (const QString& path : leftovers + kept)
        WriteBytes(path, "x");
    store.LoadData();
    for (const QString& path : leftovers)
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    for (const QString& path : kept)
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
}

TEST_F(ListStoreTest, MissingFiles_AreEmptyListsWithoutMessage)
{
    EXPECT_TRUE(store.LoadData());
    EXPECT_TRUE(store.LoadWorkspace());
    history.SetHistoryDate(EncodeDate(2021, 3, 1));
    EXPECT_TRUE(store.LoadHistoryDay());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(QDir(options.FolderData).exists()); // reading creates nothing
}

TEST_F(ListStoreTest, FailedWrite_ReportsKeepsEntries_NextSaveSucceeds)
{
    AddToday(Entry(ryvkTask, At(7, 8, 0), At(7, 9, 0), QStringLiteral("keep me")));
    // A folder where current.lst should be: the file itself cannot be written.
    const QString current = DataPath(QStringLiteral("current.lst"));
    ASSERT_TRUE(QDir().mkpath(current + QStringLiteral("/blocker")));

    EXPECT_FALSE(store.SaveData(true, 0));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Cannot save data!\r\n\r\n")));
    EXPECT_GT(messages[0].size(), QStringLiteral("Cannot save data!\r\n\r\n").size());
    ASSERT_EQ(today.Count(), 1);
    EXPECT_EQ(today.Item(0)->title, QStringLiteral("keep me"));

    ASSERT_TRUE(QDir(current).removeRecursively());
    EXPECT_TRUE(store.SaveData(true, 0));
    EXPECT_TRUE(ReadBytes(current).endsWith("\"keep me\";\"\";\"\""));
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(ListStoreTest, FailedSave_StaysPending_AndIsWrittenOnClose)
{
    AddToday(Entry(ryvkTask, At(7, 8, 0), At(7, 9, 0), QStringLiteral("today's")));
    AddHistory(Entry(ryvkTask, At(6, 8, 0), At(6, 9, 0), QStringLiteral("yesterday's")));
    history.SetHistoryDate(EncodeDate(2022, 1, 6));
    const QString current = DataPath(QStringLiteral("current.lst"));
    const QString day6 = DataPath(QStringLiteral("2022/2022-01-06.lst"));
    // Folders where the files should be: neither can be written.
    ASSERT_TRUE(QDir().mkpath(current + QStringLiteral("/blocker")));
    ASSERT_TRUE(QDir().mkpath(day6 + QStringLiteral("/blocker")));

    store.SaveData(false, 0);
    store.SaveHistoryDay(false);
    store.tmrSaveTimer();
    store.tmrSaveHistTimer();
    EXPECT_EQ(messages.size(), 2);
    // Nothing changes afterwards, but the lists are still not on disk.
    EXPECT_TRUE(store.IsSavePending());
    EXPECT_TRUE(store.IsHistSavePending());

    // The user makes room; closing the window writes both.
    ASSERT_TRUE(QDir(current).removeRecursively());
    ASSERT_TRUE(QDir(day6).removeRecursively());
    store.FlushPendingSaves();
    EXPECT_TRUE(ReadBytes(current).endsWith("\"today's\";\"\";\"\""));
    EXPECT_TRUE(ReadBytes(day6).endsWith("\"yesterday's\";\"\";\"\""));
    EXPECT_FALSE(store.IsSavePending());
    EXPECT_FALSE(store.IsHistSavePending());
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(ListStoreTest, FailedHistorySave_IsRetriedBeforeAnotherDayIsShown)
{
    history.SetHistoryDate(EncodeDate(2022, 1, 6));
    ASSERT_TRUE(store.LoadHistoryDay());
    AddHistory(Entry(ryvkTask, At(6, 8, 0), At(6, 9, 0), QStringLiteral("added")));
    const QString day6 = DataPath(QStringLiteral("2022/2022-01-06.lst"));
    ASSERT_TRUE(QDir().mkpath(day6 + QStringLiteral("/blocker")));
    EXPECT_FALSE(store.SaveHistoryDay(true));
    ASSERT_TRUE(QDir(day6).removeRecursively());

    history.SetHistoryDate(EncodeDate(2022, 1, 5));
    ASSERT_TRUE(store.LoadHistoryDay());
    EXPECT_TRUE(ReadBytes(day6).endsWith("\"added\";\"\";\"\""));
    EXPECT_FALSE(store.IsHistSavePending());
}

TEST_F(ListStoreTest, UncreatableFolder_ReportsEachSaveWithItsMessage)
{
    // A plain file where the data folder should be.
    ASSERT_TRUE(QDir().mkpath(options.FolderApp));
    WriteBytes(options.FolderApp + QStringLiteral("data"), "not a folder");
    AddToday(Entry(ryvkTask, At(7, 8, 0), At(7, 9, 0), QStringLiteral("T")));
    AddHistory(Entry(ryvkTask, At(6, 8, 0), At(6, 9, 0), QStringLiteral("H")));
    history.SetHistoryDate(EncodeDate(2022, 1, 6));
    favs.AddOrUpdate(QStringLiteral("F"), {}, {});

    EXPECT_FALSE(store.SaveData(true, 0));
    EXPECT_FALSE(store.SaveHistoryDay(true));
    EXPECT_FALSE(store.SaveWorkspace());
    ASSERT_EQ(messages.size(), 3);
    const QString firstLines[] = { QStringLiteral("Cannot save data!"),
        QStringLiteral("Cannot save history data!"), QStringLiteral("Cannot save workspace!") };
    for (int i = 0; i < 3; ++i) {
        const QStringList parts = messages[i].split(QStringLiteral("\r\n\r\n"));
        ASSERT_EQ(parts.size(), 2) << i;
        EXPECT_EQ(parts[0], firstLines[i]);
        EXPECT_FALSE(parts[1].isEmpty()) << i;
    }
    EXPECT_EQ(today.Count(), 1);
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(favs.Count(), 1);
}

TEST_F(ListStoreTest, DeferredSaves_RestartAndFlush)
{
    EXPECT_EQ(store.tmrSave.interval(), 3000);
    EXPECT_EQ(store.tmrSaveHist.interval(), 1000);
    AddToday(Entry(ryvkTask, At(7, 8, 0), At(7, 9, 0), QStringLiteral("T")));
    AddHistory(Entry(ryvkTask, At(6, 8, 0), At(6, 9, 0), QStringLiteral("H")));
    history.SetHistoryDate(EncodeDate(2022, 1, 6));
    const QString current = DataPath(QStringLiteral("current.lst"));
    const QString day6 = DataPath(QStringLiteral("2022/2022-01-06.lst"));

    EXPECT_TRUE(store.SaveData(false, 0));
    EXPECT_TRUE(store.SaveHistoryDay(false));
    EXPECT_TRUE(store.IsSavePending());
    EXPECT_TRUE(store.IsHistSavePending());
    EXPECT_FALSE(QFile::exists(current));

    // Writing an earlier day's file from today's log leaves the pending save
    // of current.lst pending.
    EXPECT_TRUE(store.SaveData(true, At(7, 0, 0)));
    EXPECT_TRUE(store.IsSavePending());

    store.tmrSaveTimer();
    EXPECT_FALSE(store.IsSavePending());
    EXPECT_TRUE(QFile::exists(current));
    EXPECT_FALSE(QFile::exists(day6));

    store.FlushPendingSaves();
    EXPECT_FALSE(store.IsHistSavePending());
    EXPECT_TRUE(QFile::exists(day6));
}

TEST_F(ListStoreTest, DeferredWorkspaceSave_WritesOnlyWhatChanged)
{
    const QString favsPath = DataPath(QStringLiteral("favorites.lst"));
    WriteBytes(favsPath, "\"title\";\"url\";\"descr\"\n\"A\";\"\";\"\"\n");
    ASSERT_TRUE(store.LoadWorkspace());

    // Nothing changed since the load: the file stays as it was written.
    EXPECT_TRUE(store.SaveWorkspace(false));
    EXPECT_TRUE(store.IsWorkspaceSavePending());
    store.tmrSaveWorkspaceTimer();
    EXPECT_FALSE(store.IsWorkspaceSavePending());
    EXPECT_EQ(ReadBytes(favsPath), "\"title\";\"url\";\"descr\"\n\"A\";\"\";\"\"\n");

    favs.AddOrUpdate(QStringLiteral("B"), {}, {});
    store.SaveWorkspace(false);
    store.tmrSaveWorkspaceTimer();
    EXPECT_TRUE(ReadBytes(favsPath).endsWith("\"A\";\"\";\"\"\r\n\"B\";\"\";\"\""));
    EXPECT_TRUE(QFile::exists(DataPath(QStringLiteral("recent.lst"))));

    // Closing writes both lists whether or not they changed.
    ASSERT_TRUE(QFile::remove(favsPath));
    store.SaveWorkspace(false);
    EXPECT_TRUE(store.SaveWorkspace());
    EXPECT_FALSE(store.IsWorkspaceSavePending());
    EXPECT_TRUE(QFile::exists(favsPath));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ListStoreTest, SwitchingHistoryDay_WritesPendingChangeToItsOwnDay)
{
    WriteBytes(DataPath(QStringLiteral("2022/2022-01-06.lst")),
        Mark + DayHeader + "\r\n0;0;2022-01-06 08:00:00;2022-01-06 09:00:00;\"A\";\"\";\"\"");
    history.SetHistoryDate(EncodeDate(2022, 1, 6));
    ASSERT_TRUE(store.LoadHistoryDay());
    AddHistory(Entry(ryvkTask, At(6, 9, 0), At(6, 9, 30), QStringLiteral("added")));
    store.SaveHistoryDay(false);

    // Previous day within the second: the change lands in the 6th's file.
    history.SetHistoryDate(EncodeDate(2022, 1, 5));
    ASSERT_TRUE(store.LoadHistoryDay());
    EXPECT_FALSE(store.IsHistSavePending());
    EXPECT_TRUE(history.IsEmpty());
    EXPECT_FALSE(QFile::exists(DataPath(QStringLiteral("2022/2022-01-05.lst"))));

    history.SetHistoryDate(EncodeDate(2022, 1, 6));
    ASSERT_TRUE(store.LoadHistoryDay());
    ASSERT_EQ(history.Count(), 2);
    EXPECT_EQ(history.Item(1)->title, QStringLiteral("added"));

    // Reloading the same day after a change keeps the change too.
    history.Remove(0);
    store.SaveHistoryDay(false);
    ASSERT_TRUE(store.LoadHistoryDay());
    ASSERT_EQ(history.Count(), 1);
    EXPECT_EQ(history.Item(0)->title, QStringLiteral("added"));
}

TEST_F(ListStoreTest, SaveHistoryDay_WithoutDayOnShow_NeverTouchesCurrentLst)
{
    AddHistory(Entry(ryvkTask, At(6, 8, 0), At(6, 9, 0), QStringLiteral("H")));
    EXPECT_TRUE(store.SaveHistoryDay(true));
    EXPECT_FALSE(QFile::exists(DataPath(QStringLiteral("current.lst"))));
}

} // namespace
} // namespace ryv
