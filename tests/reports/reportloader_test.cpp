#include "reports/reportloader.h"

#include "core/clock.h"
#include "core/ryvoptions.h"
#include "reporttesthelpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ryv {
namespace {

const QString Header = u"kind;state;start;stop;\"title\";\"url\";\"descr\""_qs;

class ReportLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FDir.isValid()); }

    // Writes a day file (day 0: current.lst) with the header and lines.
    void WriteDay(TDateTime day, const QStringList& lines, const QString& header = Header)
    {
        const QString path = day == 0 ? FOptions.FolderData + u"current.lst"_qs
                                      : FOptions.FolderData + QString::number(ToQDate(day).year())
                + u"/"_qs + DateToText(day) + u".lst"_qs;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBF");
        f.write((QStringList { header } + lines).join(u"\r\n"_qs).toUtf8());
    }

    QTemporaryDir FDir;
    TRyvOptions FOptions { FDir.path() };
    const TDateTime FNow = EncodeDateTime(2021, 12, 15, 14, 30);
    TManualClock FClock { FNow };
};

TEST_F(ReportLoaderTest, ReadsTheDaysInOrderTodayFromCurrentList)
{
    const TDateTime mon = EncodeDate(2021, 12, 13);
    WriteDay(mon,
        { u"0;1;2021-12-13 09:00:00;2021-12-13 10:00:00;\"A\";\"u\";\"d\""_qs,
            u"1;0;2021-12-13 10:00:00;2021-12-13 10:15:00;\"\";\"\";\"\""_qs,
            // stored while running on a past day: counts until the day ends
            u"0;0;2021-12-13 22:00:00;;\"Late\";\"\";\"\""_qs });
    // 14 December has no file; 15 December is today and comes from current.lst,
    // while a stale file of today's date is not read.
    WriteDay(FNow, { u"0;0;2021-12-15 08:00:00;2021-12-15 09:00:00;\"Stale\";\"\";\"\""_qs });
    WriteDay(0, { u"0;0;2021-12-15 13:00:00;;\"Running\";\"\";\"\""_qs });
    // An empty file of the day after is skipped.
    QDir().mkpath(FOptions.FolderData + u"2021"_qs);
    QFile(FOptions.FolderData + u"2021/2021-12-16.lst"_qs).open(QIODevice::WriteOnly);

    std::vector<TRyvItem> entries;
    QString error;
    ASSERT_TRUE(
        LoadReportEntries(FOptions, FClock, mon + 0.5, EncodeDate(2021, 12, 16), entries, &error));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].title, u"A"_qs);
    EXPECT_EQ(entries[0].url, u"u"_qs);
    EXPECT_EQ(entries[0].descr, u"d"_qs);
    EXPECT_EQ(entries[0].state, ryvsDone);
    EXPECT_TRUE(entries[1].IsPause());
    EXPECT_EQ(entries[2].stop, EndOfDayOf(mon));
    EXPECT_EQ(entries[3].title, u"Running"_qs);
    EXPECT_EQ(entries[3].stop, FNow);
}

// The window was last closed on the 13th: current.lst still holds that day's
// entries (the next start moves them). They count on the 13th, once, ordered
// among the file's entries, and not as today's.
TEST_F(ReportLoaderTest, EarlierDaysStillInCurrentListCountOnTheirDay)
{
    const TDateTime mon = EncodeDate(2021, 12, 13);
    WriteDay(mon,
        { u"0;0;2021-12-13 08:00:00;2021-12-13 09:00:00;\"Early\";\"\";\"\""_qs,
            u"0;0;2021-12-13 12:00:00;2021-12-13 13:00:00;\"Moved twice\";\"\";\"\""_qs });
    WriteDay(0,
        { u"0;0;2021-12-13 10:00:00;2021-12-13 11:00:00;\"Later\";\"\";\"\""_qs,
            u"0;0;2021-12-13 12:00:00;2021-12-13 13:00:00;\"Moved twice\";\"\";\"\""_qs,
            u"0;0;2021-12-13 17:00:00;;\"Left running\";\"\";\"\""_qs });
    const struct {
        const char* name;
        TDateTime first, last;
        QStringList titles;
    } cases[] = {
        { "that day", mon, mon,
            { u"Early"_qs, u"Later"_qs, u"Moved twice"_qs, u"Left running"_qs } },
        { "today", FNow, FNow, {} },
        { "the week", mon, FNow,
            { u"Early"_qs, u"Later"_qs, u"Moved twice"_qs, u"Left running"_qs } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TRyvItem> entries;
        ASSERT_TRUE(LoadReportEntries(FOptions, FClock, c.first, c.last, entries, nullptr));
        QStringList titles;
        for (const TRyvItem& e : entries)
            titles << e.title;
        EXPECT_EQ(titles, c.titles);
        if (!entries.empty()) {
            EXPECT_EQ(entries.back().stop, EndOfDayOf(mon));
        }
    }
    EXPECT_EQ(LoadDayEntries(FOptions, FClock, mon).size(), 4u);
    EXPECT_TRUE(LoadDayEntries(FOptions, FClock, FNow).empty());
}

TEST_F(ReportLoaderTest, SixFieldFilesAndReversedPeriods)
{
    const TDateTime mon = EncodeDate(2021, 12, 13);
    WriteDay(mon, { u"0;0;2021-12-13 09:00:00;2021-12-13 10:00:00;\"A\";\"u\""_qs },
        u"kind;state;start;stop;\"title\";\"url\""_qs);
    std::vector<TRyvItem> entries;
    ASSERT_TRUE(LoadReportEntries(FOptions, FClock, mon, mon, entries, nullptr));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].url, u"u"_qs);
    EXPECT_TRUE(entries[0].descr.isEmpty());

    ASSERT_TRUE(LoadReportEntries(FOptions, FClock, mon + 1, mon, entries, nullptr));
    EXPECT_TRUE(entries.empty());
}

// A range over every possible year reads the days that have files, wherever
// they lie, in day order; what is not a day file of the program (another
// name, a date that does not exist, a file in a folder that is not its
// year's) adds nothing. A day file that ends inside a quoted text adds the
// lines before it, as the window shows them; one that is not a day file at
// all adds nothing.
TEST_F(ReportLoaderTest, WholeCalendar_ReadsTheDaysThatHaveFiles)
{
    const auto line = [](const char* day, const char* title) {
        return u"0;0;%1 09:00:00;%1 10:00:00;\"%2\";\"\";\"\""_qs.arg(
            QLatin1String(day), QLatin1String(title));
    };
    WriteDay(EncodeDate(1900, 1, 1), { line("1900-01-01", "first") });
    WriteDay(EncodeDate(9999, 12, 31), { line("9999-12-31", "last") });
    WriteDay(EncodeDate(2021, 3, 1),
        { line("2021-03-01", "before the quote"), u"0;0;2021-03-01 11:00:00;;\"open"_qs });
    WriteDay(EncodeDate(2021, 3, 2), { line("2021-03-02", "no header") }, u"garbage"_qs);
    const auto stray = [this](const QString& name) {
        QDir().mkpath(QFileInfo(FOptions.FolderData + name).absolutePath());
        QFile f(FOptions.FolderData + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("\xEF\xBB\xBF" + Header + u"\r\n"_qs
            + u"0;0;2021-02-01 09:00:00;2021-02-01 "
              "10:00:00;\"stray\";\"\";\"\""_qs)
                    .toUtf8());
    };
    stray(u"2021/2021-02-30.lst"_qs);
    stray(u"2021/notes.lst"_qs);
    stray(u"2020/2021-02-01.lst"_qs);
    stray(u"backup/2021-02-01.lst"_qs);

    std::vector<TRyvItem> entries;
    ASSERT_TRUE(LoadReportEntries(
        FOptions, FClock, EncodeDate(1900, 1, 1), EncodeDate(9999, 12, 31), entries, nullptr));
    QStringList titles;
    for (const TRyvItem& e : entries)
        titles << e.title;
    EXPECT_EQ(titles, (QStringList { u"first"_qs, u"before the quote"_qs, u"last"_qs }));

    ASSERT_TRUE(LoadReportEntries(
        FOptions, FClock, EncodeDate(1900, 1, 2), EncodeDate(9999, 12, 30), entries, nullptr));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].title, u"before the quote"_qs);
}

TEST_F(ReportLoaderTest, GroupMasksRenameTasksButNotBreaks)
{
    const TDateTime mon = EncodeDate(2021, 12, 13);
    WriteDay(mon,
        { u"0;0;2021-12-13 09:00:00;2021-12-13 10:00:00;\"Team meeting\";\"\";\"\""_qs,
            u"1;0;2021-12-13 10:00:00;2021-12-13 10:15:00;\"meeting\";\"\";\"\""_qs });
    FOptions.GroupMasks = { u"Meetings=*meeting*"_qs };
    std::vector<TRyvItem> entries;
    ASSERT_TRUE(LoadReportEntries(FOptions, FClock, mon, mon, entries, nullptr));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].title, u"Meetings - Team "_qs);
    EXPECT_EQ(entries[1].title, u"meeting"_qs);

    FOptions.GroupMasks = { u"Bad=[meeting"_qs };
    QString error;
    EXPECT_FALSE(LoadReportEntries(FOptions, FClock, mon, mon, entries, &error));
    EXPECT_EQ(error, u"'[meeting' is an invalid mask at (1)"_qs);
}

} // namespace
} // namespace ryv
