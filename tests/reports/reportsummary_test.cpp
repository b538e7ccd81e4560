#include "reports/reportsummary.h"

#include "reporttesthelpers.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <algorithm>

namespace ryv {
namespace {

// The pairwise merge and the exchange sort written out loop by loop, as the
// reference the fast summary must equal to the last bit.
void ReferenceSummary(std::vector<TRyvItem>& entries, bool daily)
{
    const auto same = [daily](const TRyvItem& e, const TRyvItem& o) {
        const bool task = e.title.compare(o.title, Qt::CaseInsensitive) == 0
            || (!e.url.isEmpty() && e.url.compare(o.url, Qt::CaseInsensitive) == 0);
        return task && (!daily || DayOf(e.start) == DayOf(o.start));
    };
    for (size_t i = 0; i < entries.size(); ++i) {
        TDateTime total = entries[i].stop - entries[i].start;
        for (size_t j = entries.size() - 1; j > i; --j) {
            if (same(entries[i], entries[j])) {
                total += entries[j].stop - entries[j].start;
                entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(j));
            }
        }
        entries[i].start = daily ? MidnightOf(entries[i].start) : 0;
        entries[i].stop = entries[i].start + total;
    }
    for (size_t i = 0; i + 1 < entries.size(); ++i)
        for (size_t j = i + 1; j < entries.size(); ++j)
            if (entries[j].stop > entries[i].stop
                && (!daily || entries[j].start == entries[i].start))
                std::swap(entries[i], entries[j]);
}

std::vector<TRyvItem> RandomDays(quint32 seed, int count)
{
    QRandomGenerator rnd(seed);
    const QString titles[] = { u"Coding"_qs, u"coding"_qs, u"CODING"_qs, u"Mail"_qs, u"Review"_qs,
        u"Écrire"_qs, u"ÉCRIRE"_qs, u"Call"_qs };
    const QString urls[]
        = { QString(), QString(), u"https://x/1"_qs, u"HTTPS://X/1"_qs, u"https://x/2"_qs };
    std::vector<TRyvItem> entries;
    TDateTime t = EncodeDateTime(2021, 12, 6, 8, 0);
    for (int i = 0; i < count; ++i) {
        t += rnd.bounded(4) == 0 ? 0.6 : 0.0; // now and then the next day
        // Whole and odd minutes alike, so equal and nearly equal totals both occur.
        const TDateTime len = (rnd.bounded(3) == 0 ? 30 : rnd.bounded(1, 200)) * OneMinute;
        entries.push_back(
            Task(t, t + len, titles[rnd.bounded(8)], urls[rnd.bounded(5)], QString::number(i)));
        t += len;
    }
    return entries;
}

TEST(SummarizeReport, EqualsThePairwiseMergeOnRandomData)
{
    // Days come in order from the loader; shuffled, the days' entries mix, and
    // the sort per day must still be the exchange sort over the whole list.
    for (quint32 seed = 1; seed <= 40; ++seed) {
        for (const bool daily : { false, true }) {
            const bool shuffled = daily && seed % 2 == 0;
            SCOPED_TRACE(::testing::Message()
                << "seed " << seed << (daily ? ", daily" : "") << (shuffled ? ", shuffled" : ""));
            std::vector<TRyvItem> fast = RandomDays(seed, 20 + static_cast<int>(seed) * 5);
            if (shuffled) {
                QRandomGenerator order(seed);
                std::shuffle(fast.begin(), fast.end(), order);
            }
            std::vector<TRyvItem> reference = fast;
            SummarizeReport(fast, daily, false, {}, u"Others"_qs);
            ReferenceSummary(reference, daily);
            ASSERT_EQ(fast.size(), reference.size()) << seed << daily;
            for (size_t i = 0; i < fast.size(); ++i) {
                EXPECT_EQ(fast[i].title, reference[i].title) << seed << daily << i;
                EXPECT_EQ(fast[i].url, reference[i].url) << seed << daily << i;
                EXPECT_EQ(fast[i].descr, reference[i].descr) << seed << daily << i;
                EXPECT_EQ(fast[i].start, reference[i].start) << seed << daily << i;
                EXPECT_EQ(fast[i].stop, reference[i].stop) << seed << daily << i;
            }
        }
    }
}

struct TRow {
    QString title;
    QString url;
    TDateTime start;
    int minutes;
};

TEST(SummarizeReport, MergesOrdersAndGroups)
{
    const TDateTime mon = EncodeDate(2021, 12, 13);
    const TDateTime tue = mon + 1;
    const auto at = [](TDateTime day, int hour, int minute = 0) {
        return day + hour * OneHour + minute * OneMinute;
    };
    const QStringList groups { u"Meetings=*meeting*"_qs, u"Mail=mail*"_qs };
    // Totals differ by whole minutes: sums of date-time differences that
    // should be equal may differ in the last bit, and the sort sees that.
    const std::vector<TRyvItem> input {
        Task(at(mon, 8), at(mon, 9), u"Coding"_qs, u"https://t/1"_qs),
        Task(at(mon, 9), at(mon, 10, 30), u"Meetings - Team "_qs),
        Task(at(mon, 10, 30), at(mon, 11, 30), u"Fix bug"_qs, u"HTTPS://T/1"_qs),
        Task(at(tue, 8), at(tue, 12), u"coding"_qs),
        Task(at(tue, 12), at(tue, 13), u"Review"_qs),
        Task(at(tue, 13), at(tue, 13, 30), u"MAIL - Bob"_qs),
    };
    const struct {
        const char* name;
        bool daily, byGroups;
        std::vector<TRow> expected;
    } cases[] = {
        // The link joins "Fix bug" to the earlier "Coding"; the title joins
        // Tuesday's "coding".
        { "period", false, false,
            { { u"Coding"_qs, u"https://t/1"_qs, 0, 360 },
                { u"Meetings - Team "_qs, u""_qs, 0, 90 }, { u"Review"_qs, u""_qs, 0, 60 },
                { u"MAIL - Bob"_qs, u""_qs, 0, 30 } } },
        { "daily", true, false,
            { { u"Coding"_qs, u"https://t/1"_qs, mon, 120 },
                { u"Meetings - Team "_qs, u""_qs, mon, 90 }, { u"coding"_qs, u""_qs, tue, 240 },
                { u"Review"_qs, u""_qs, tue, 60 }, { u"MAIL - Bob"_qs, u""_qs, tue, 30 } } },
        // Groups clear the links, so "Fix bug" no longer joins "Coding".
        { "groups", false, true,
            { { u"Others"_qs, u""_qs, 0, 420 }, { u"Meetings"_qs, u""_qs, 0, 90 },
                { u"Mail"_qs, u""_qs, 0, 30 } } },
        { "groups daily", true, true,
            { { u"Others"_qs, u""_qs, mon, 120 }, { u"Meetings"_qs, u""_qs, mon, 90 },
                { u"Others"_qs, u""_qs, tue, 300 }, { u"Mail"_qs, u""_qs, tue, 30 } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TRyvItem> entries = input;
        SummarizeReport(entries, c.daily, c.byGroups, groups, u"Others"_qs);
        ASSERT_EQ(entries.size(), c.expected.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            const TRow& r = c.expected[i];
            EXPECT_EQ(entries[i].title, r.title) << c.name << i;
            EXPECT_EQ(entries[i].url, r.url) << c.name << i;
            EXPECT_EQ(entries[i].start, r.start) << c.name << i;
            EXPECT_NEAR((entries[i].stop - entries[i].start) / OneMinute, r.minutes, 1e-6)
                << c.name << i;
        }
    }
}

TEST(SummarizeReport, EntryWithoutLinkNeverJoinsByLink)
{
    const TDateTime d = EncodeDate(2021, 12, 13);
    // The first has no link, so the later entries with links stay apart from
    // it; those two share their link and merge under the earlier title.
    std::vector<TRyvItem> entries { Task(d, d + OneHour, u"A"_qs),
        Task(d, d + OneHour, u"B"_qs, u"u"_qs), Task(d, d + OneHour, u"C"_qs, u"U"_qs) };
    SummarizeReport(entries, false, false, {}, u"Others"_qs);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].title, u"B"_qs);
    EXPECT_EQ(entries[1].title, u"A"_qs);
}

// A row of today's log whose start could not be read (day 0) but whose stop
// could counts nothing, in the per-task sums and in the report's rows alike;
// a sum of more than a day over a period without days stays whole.
TEST(SummarizeReport, RowWithADayOnOneSideOnlyCountsNothing)
{
    const TDateTime d = EncodeDate(2021, 12, 13);
    std::vector<TRyvItem> entries { Task(d + 8 * OneHour, d + 9 * OneHour, u"A"_qs),
        Task(0, d + 10 * OneHour, u"A"_qs), Task(d, d + 30 * OneHour, u"B"_qs) };
    SummarizeReport(entries, false, false, {}, u"Others"_qs);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].title, u"B"_qs);
    EXPECT_NEAR(entries[0].Duration(), 30 * OneHour, OneSecond / 10);
    EXPECT_EQ(entries[1].title, u"A"_qs);
    EXPECT_NEAR(entries[1].Duration(), OneHour, OneSecond / 10);
}

} // namespace
} // namespace ryv
