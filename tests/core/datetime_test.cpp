#include "core/datetime.h"

#include "core/regional.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace ryv {
namespace {

TEST(DateTimeConversion, EpochAndKnownDay)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    // 2022-01-07 is day 44568 in this representation.
    EXPECT_EQ(EncodeDate(2022, 1, 7), 44568.0);
    const TDateTime t = EncodeDateTime(2022, 1, 7, 9, 47, 31, 500);
    EXPECT_EQ(ToQDateTime(t), QDateTime(QDate(2022, 1, 7), QTime(9, 47, 31, 500)));
    EXPECT_EQ(FromQDateTime(ToQDateTime(t)), t);
}

TEST(DateTimeConversion, DerivedQuantities)
{
    const TDateTime t = EncodeDateTime(2022, 1, 7, 9, 47, 31, 500);
    EXPECT_EQ(DayOf(t), 44568);
    EXPECT_EQ(MidnightOf(t), EncodeDate(2022, 1, 7));
    EXPECT_EQ(MinuteOfDay(t), 9 * 60 + 47);
    EXPECT_EQ(TruncToMinute(t), EncodeDateTime(2022, 1, 7, 9, 47));
    EXPECT_EQ(EndOfDayOf(t), EncodeDateTime(2022, 1, 7, 23, 59, 59, 999));
    EXPECT_EQ(DayOf(EndOfDayOf(t)), 44568);
    EXPECT_EQ(MinuteOfDay(EndOfDayOf(t)), 1439);
}

TEST(DateTimeConversion, MillisecondsRoundTripAndStepExactly)
{
    struct Case {
        const char* name;
        TDateTime t;
        qint64 ms;
    } cases[] = {
        { "epoch", 0.0, 0 },
        { "known moment", EncodeDateTime(2022, 1, 7, 9, 47, 31, 500),
            44568LL * 86400000 + ((9 * 60 + 47) * 60 + 31) * 1000LL + 500 },
        { "last millisecond of a day", EncodeDateTime(2022, 1, 7, 23, 59, 59, 999),
            44569LL * 86400000 - 1 },
        { "a negative duration", -1.5 * OneHour, -90 * MsPerMinute },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToMs(c.t), c.ms);
        EXPECT_EQ(FromMs(c.ms), c.t);
    }
    // Sixty minute steps land exactly on the hour.
    TDateTime t = EncodeDateTime(2022, 1, 7, 9, 0);
    for (int i = 0; i < 60; ++i)
        t = FromMs(ToMs(t) + MsPerMinute);
    EXPECT_EQ(t, EncodeDateTime(2022, 1, 7, 10, 0));
}
const TDateTime Sample = EncodeDateTime(2022, 1, 7, 9, 5, 3, 42);

TEST(DateTimeFormat, PatternTokensFollowTheLocale)
{
    const struct {
        const char* locale;
        QString pattern;
        TDateTime t;
        QString expected;
    } cases[] = {
        { "en_US", u"hh:mm"_qs, Sample, u"09:05"_qs },
        { "fi_FI", u"hh:mm"_qs, Sample, u"09.05"_qs },
        { "fi_FI", u"hh:nn:ss.zzz"_qs, Sample, u"09.05.03.042"_qs },
        // Canadian French puts a quoted "h" between hours and minutes.
        { "fr_CA", u"hh:mm"_qs, Sample, u"09 h 05"_qs },
        { "en_US", u"yyyy/mm/dd"_qs, Sample, u"2022/01/07"_qs },
        { "de_DE", u"dd/mm/yyyy"_qs, Sample, u"07.01.2022"_qs },
        { "en_US", u"dd mmmm yyyy"_qs, Sample, u"07 January 2022"_qs },
        { "fi_FI", u"mmmm yyyy"_qs, Sample, u"tammikuu 2022"_qs },
        // "mm" means minutes only right after an hour token.
        { "en_US", u"h mm, mm"_qs, Sample, u"9 05, 01"_qs },
        // A duration of 25 h 30 min shows its hours modulo 24.
        { "en_US", u"h:nn"_qs, 25.5 * OneHour, u"1:30"_qs },
        { "en_US", u"yyyy-mm-dd [x]"_qs, Sample, u"2022-01-07 [x]"_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.locale << " " << c.pattern.toStdString());
        const TRegional regional { QLocale(QString::fromLatin1(c.locale)) };
        EXPECT_EQ(FormatDateTime(c.pattern, c.t, regional), c.expected);
    }
}

TEST(DateTimeFormat, StoredTextsIgnoreTheLocale)
{
    const TRegionalScope finnish("fi_FI");
    EXPECT_EQ(DateTimeToText(Sample), u"2022-01-07 09:05:03"_qs);
    EXPECT_EQ(DateToText(Sample), u"2022-01-07"_qs);
    EXPECT_EQ(DateTimeToText(0), QString());
    EXPECT_EQ(DateToText(0), QString());
    // The end of a day is stored without its milliseconds.
    const TDateTime end = EndOfDayOf(Sample);
    EXPECT_EQ(ParseStoredDateTime(DateTimeToText(end), 0), EncodeDateTime(2022, 1, 7, 23, 59, 59));
}

TEST(DateTimeFormat, LongAndShortDateInTheUsersLanguage)
{
    const struct {
        const char* locale;
        QString longText, shortText;
    } cases[] = {
        { "en_US", u"Friday 7. January 2022"_qs, u"1/7/2022"_qs },
        { "de_DE", u"Freitag 7. Januar 2022"_qs, u"07.01.2022"_qs },
        // Finnish and French write weekdays in lower case; a heading does not.
        // The weekday is the name as it stands alone, not the in-sentence
        // "perjantaina"; the month keeps the form that follows a day number.
        { "fi_FI", u"Perjantai 7. tammikuuta 2022"_qs, u"7.1.2022"_qs },
        { "fr_FR", u"Vendredi 7. janvier 2022"_qs, u"07/01/2022"_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        const TRegionalScope scope(c.locale);
        EXPECT_EQ(LongDateText(Sample), c.longText);
        EXPECT_EQ(ShortDateText(Sample), c.shortText);
    }
}

// Every locale Qt knows heads a day with the weekday's dictionary form.
TEST(DateTimeFormat, LongDateWeekdayStandsAloneInEveryLocale)
{
    const QList<QLocale> locales
        = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(locales.size(), 100);
    for (const QLocale& locale : locales) {
        SCOPED_TRACE(locale.name().toStdString());
        const TRegionalScope scope(locale);
        const QString text = LongDateText(Sample);
        // 2022-01-07 is a Friday.
        const QString name = locale.standaloneDayName(5, QLocale::LongFormat);
        ASSERT_FALSE(name.isEmpty());
        const qsizetype first = name.front().isHighSurrogate() ? 2 : 1;
        const QString heading = locale.toUpper(name.left(first)) + name.mid(first);
        EXPECT_TRUE(text.startsWith(heading + u' ')) << text.toStdString();
        EXPECT_TRUE(text.endsWith(locale.toString(QDate(2022, 1, 7), u"d. MMMM yyyy"_qs)))
            << text.toStdString();
    }
}

TEST(ParseStoredDateTime, ReadsByPosition)
{
    const TDateTime def = EncodeDate(2000, 6, 15);
    const struct {
        QString text;
        TDateTime expected;
    } cases[] = {
        { QString(), def },
        { u"ab"_qs, def },
        { u"abcd"_qs, 0 }, // an unreadable year gives 0, not the default
        { u"2022-01-07"_qs, EncodeDate(2022, 1, 7) },
        { u"2022-01-07 23:59:59"_qs, EncodeDateTime(2022, 1, 7, 23, 59, 59) },
        { u"2022-13-05"_qs, EncodeDate(2022, 1, 1) },
        { u"2022-02-00"_qs, EncodeDate(2022, 2, 1) },
        { u"2022-02-30"_qs, def },
        { u"2022-01-07 25:00:00"_qs, EncodeDate(2022, 1, 7) },
        { u"2022-01-07 09:15:75"_qs, EncodeDateTime(2022, 1, 7, 9, 15) },
        // Separators are never looked at.
        { u"2022/01/07 09.15.00"_qs, EncodeDateTime(2022, 1, 7, 9, 15) },
        { u"2022-01-07T09:15:00"_qs, EncodeDateTime(2022, 1, 7, 9, 15) },
        // A zone after the minutes or seconds is skipped, the time kept.
        { u"2022-01-07 09:15:00+02:00"_qs, EncodeDateTime(2022, 1, 7, 9, 15) },
        { u"2022-01-07 09:15-05"_qs, EncodeDateTime(2022, 1, 7, 9, 15) },
        { u"2022-01-07T09:15Z"_qs, EncodeDateTime(2022, 1, 7, 9, 15) },
        { u"2022-01-07T09:15:30Z"_qs, EncodeDateTime(2022, 1, 7, 9, 15, 30) },
        // Fractions are fractions of a second.
        { u"2022-01-07 09:15:00.250"_qs, EncodeDateTime(2022, 1, 7, 9, 15, 0, 250) },
        { u"2022-01-07 09:15:00.5"_qs, EncodeDateTime(2022, 1, 7, 9, 15, 0, 500) },
        { u"2022-01-07 09:15:00.1234567+01:00"_qs, EncodeDateTime(2022, 1, 7, 9, 15, 0, 123) },
        // Times of day alone are on day 0.
        { u"09:15"_qs, EncodeDateTime(1899, 12, 30, 9, 15) },
        { u"09:15:30.125"_qs, EncodeDateTime(1899, 12, 30, 9, 15, 30, 125) },
        { u"09:15Z"_qs, EncodeDateTime(1899, 12, 30, 9, 15) },
        { u"25:00"_qs, def },
        { u"09:60"_qs, def },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(ParseStoredDateTime(c.text, def), c.expected);
    }
    EXPECT_EQ(ParseStoredDateTime(QString(), 0), 0);
}

// A UTC time with fraction and "Z" is taken to local time.
TEST(ParseStoredDateTime, UtcWithZConvertsToLocalTime)
{
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    const QByteArray saved = qgetenv("TZ");
    qputenv("TZ", "Europe/Helsinki");
    tzset();
    const TDateTime t = ParseStoredDateTime(u"2022-01-07T09:15:00.500Z"_qs, 1);
    const TDateTime bad = ParseStoredDateTime(u"2022-01-07T09:15:00.xZ"_qs, 1);
    if (hadZone)
        qputenv("TZ", saved);
    else
        qunsetenv("TZ");
    tzset();
    EXPECT_EQ(t, EncodeDateTime(2022, 1, 7, 11, 15, 0, 500));
    EXPECT_EQ(bad, 1);
}

TEST(ParseDateTimeLenient, ReadsTheLocaleThenTheStoredForms)
{
    const TDateTime def = EncodeDate(2000, 6, 15);
    const struct {
        const char* locale;
        QString text;
        TDateTime def;
        TDateTime expected;
    } cases[] = {
        { "en_US", u"1/7/2022 9:15:30 AM"_qs, 0, EncodeDateTime(2022, 1, 7, 9, 15, 30) },
        { "en_US", u"1/7/2022 9:15 PM"_qs, 0, EncodeDateTime(2022, 1, 7, 21, 15) },
        { "en_US", u"1/7/2022 12:05 AM"_qs, 0, EncodeDateTime(2022, 1, 7, 0, 5) },
        { "en_US", u"1/7/22"_qs, 0, EncodeDate(2022, 1, 7) },
        { "en_US", u"1:30"_qs, 0, 1.5 * OneHour },
        // Other separators, and a four-digit year first in any locale.
        { "en_US", u"1-7-2022"_qs, 0, EncodeDate(2022, 1, 7) },
        { "en_US", u"2022-01-07 09:15:00"_qs, 0, EncodeDateTime(2022, 1, 7, 9, 15) },
        { "en_US", u"2022-01-07T09:15:00"_qs, 0, EncodeDateTime(2022, 1, 7, 9, 15) },
        { "de_DE", u"07.01.2022 09:15"_qs, 0, EncodeDateTime(2022, 1, 7, 9, 15) },
        { "de_DE", u"7/1/2022"_qs, 0, EncodeDate(2022, 1, 7) },
        { "fi_FI", u"7.1.2022 9.15"_qs, 0, EncodeDateTime(2022, 1, 7, 9, 15) },
        // Finnish writes date and time with "."; a date is no time with seconds.
        { "fi_FI", u"7.12.2022"_qs, 0, EncodeDate(2022, 12, 7) },
        { "fi_FI", u"7.12.2022 9.15.30,5"_qs, 0, EncodeDateTime(2022, 12, 7, 9, 15, 30, 500) },
        { "en_US", u"1/7/2022 9:15:30.25 PM"_qs, 0, EncodeDateTime(2022, 1, 7, 21, 15, 30, 250) },
        { "fi_FI", u"1.30"_qs, 0, 1.5 * OneHour },
        { "fi_FI", u"1:30"_qs, 0, 1.5 * OneHour },
        { "hu_HU", u"2022. 01. 07. 9:15"_qs, 0, EncodeDateTime(2022, 1, 7, 9, 15) },
        // Times read back as the program writes them in Canadian French.
        { "fr_CA", u"09 h 05"_qs, 0, EncodeDateTime(1899, 12, 30, 9, 5) },
        { "fr_CA", u"2022-01-07 9 h 05"_qs, 0, EncodeDateTime(2022, 1, 7, 9, 5) },
        // The C locale spells the month in its short date; numeric dates are
        // read day first with "/" (or "." and "-").
        { "C", u"7/1/2022"_qs, 0, EncodeDate(2022, 1, 7) },
        { "C", u"7.1.2022"_qs, 0, EncodeDate(2022, 1, 7) },
        { "C", u"2022-01-07 09:15"_qs, 0, EncodeDateTime(2022, 1, 7, 9, 15) },
        // Unreadable: the default, or the stored reading when the default is 0.
        { "en_US", u"13/13/2022"_qs, def, def },
        { "en_US", u"garbage"_qs, def, def },
        { "en_US", u"garbage"_qs, 0, 0 },
        { "en_US", u"2022-02-30 10:00"_qs, 0, 0 },
        { "en_US", u"2022-13-01"_qs, 0, EncodeDate(2022, 1, 1) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.locale << " " << c.text.toStdString());
        const TRegionalScope scope(c.locale);
        EXPECT_EQ(ParseDateTimeLenient(c.text, c.def), c.expected);
    }
}

} // namespace
} // namespace ryv
