#include "core/texthelpers.h"

#include "core/regional.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(Numbers, IsNumberText)
{
    const TRegionalScope finnish("fi_FI");
    const struct {
        QString text;
        bool expected;
    } cases[] = {
        { QString(), true },
        { u"+1 234,5e-3"_qs, true },
        { QString::fromUtf16(u"12\u00A0500,25"), true }, // the locale's group separator
        { u"1:30"_qs, false },
        { u"12a"_qs, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(IsNumberText(c.text), c.expected);
    }
}

TEST(Numbers, TryParseNumber_AcceptsEitherPointAndGroups)
{
    const struct {
        const char* locale;
        QString text;
        bool ok;
        double value;
        QChar separator;
    } cases[] = {
        { "fi_FI", u"1,5"_qs, true, 1.5, u',' },
        { "fi_FI", u"1.5"_qs, true, 1.5, u'.' },
        { "fi_FI", u" -2,5e1 "_qs, true, -25, u',' },
        { "fi_FI", u"1.234.567"_qs, true, 1234567, u',' },
        { "fi_FI", u"1.234.56"_qs, false, 0, u'?' },
        { "fi_FI", u"12 500,25"_qs, true, 12500.25, u',' },
        { "fi_FI", QString::fromUtf16(u"12\u00A0500,25"), true, 12500.25, u',' },
        { "fi_FI", u"12 500"_qs, true, 12500, u',' },
        { "fi_FI", u"1 23 456"_qs, true, 123456, u',' }, // spaces are simply dropped
        { "en_US", u"1,234.5"_qs, true, 1234.5, u'.' },
        { "en_US", u"1,234,567"_qs, true, 1234567, u'.' },
        { "en_US", u"1,5"_qs, true, 1.5, u',' },
        { "en_US", u"1,23,456"_qs, false, 0, u'?' },
        { "de_DE", u"1.234,5"_qs, true, 1234.5, u',' },
        { "de_DE", u"1e3"_qs, true, 1000, u',' },
        { "de_DE", u"1:30"_qs, false, 0, u'?' },
        { "de_DE", u"1,2,3"_qs, false, 0, u'?' },
        { "de_DE", u"e"_qs, false, 0, u'?' },
        { "de_DE", QString(), false, 0, u'?' },
        { "de_DE", u"  "_qs, false, 0, u'?' },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.locale << " " << c.text.toStdString());
        const TRegionalScope scope(c.locale);
        double value = -1;
        QChar separator = u'?';
        EXPECT_EQ(TryParseNumber(c.text, value, separator), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(value, c.value);
            EXPECT_EQ(separator, c.separator);
        }
    }
    const TRegionalScope scope("en_US");
    EXPECT_EQ(ParseNumberDef(u"2.25"_qs, 7), 2.25);
    EXPECT_EQ(ParseNumberDef(u"x"_qs, 7), 7);
}

TEST(Texts, SplitDelimited)
{
    const struct {
        QString text;
        QChar delimiter;
        QStringList items;
    } cases[] = {
        { u"a; \"b;c\" ;d"_qs, u';', { u"a"_qs, u"b;c"_qs, u"d"_qs } },
        { u";a"_qs, u';', { QString(), u"a"_qs } },
        { u"a;"_qs, u';', { u"a"_qs } },
        { u"  a b ;c"_qs, u';', { u"a b "_qs, u"c"_qs } },
        { u"\"x\"\"y\";\"open"_qs, u';', { u"x\"y"_qs, u"open"_qs } },
        { u"*Project * \"*\" *x"_qs, u'*', { QString(), u"Project "_qs, u"*"_qs, u"x"_qs } },
        // A control character ends an item; the next item starts at once.
        { u"a\tb"_qs, u';', { u"a"_qs, u"b"_qs } },
        { u"\"q\"rest;z"_qs, u';', { u"q"_qs, u"rest"_qs, u"z"_qs } },
        { u" \r\n "_qs, u';', {} },
        { QStringLiteral("a;b") + QChar(0) + u";c"_qs, u';', { u"a"_qs, u"b"_qs } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QStringList list { u"old"_qs };
        SplitDelimited(c.text, c.delimiter, list);
        EXPECT_EQ(list, c.items);
    }
}

TEST(Texts, SpentTexts)
{
    const TDateTime today = EncodeDateTime(2022, 1, 7, 15, 0);
    const TDateTime yesterday = EncodeDateTime(2022, 1, 6, 10, 0);
    const struct {
        QString hours;
        TDateTime day;
        QString git, standard;
    } cases[] = {
        { u"0:00"_qs, today, QString(), u"0:00"_qs },
        { u"12:34:56"_qs, today, u"/spend 12h34m"_qs, u"12:34"_qs },
        { u"1:05"_qs, EncodeDate(2022, 1, 7), u"/spend 1h5m"_qs, u"1:05"_qs },
        { u"1:05"_qs, yesterday, u"/spend 1h5m 2022-01-06"_qs, u"2022-01-06 1:05"_qs },
        { u"123:45"_qs, yesterday, u"/spend 123h45m 2022-01-06"_qs, u"2022-01-06 123:45"_qs },
        { u"1:23:45"_qs, 0, u"/spend 1h23m"_qs, u"1:23"_qs },
        { u"0:07"_qs, today, u"/spend 0h7m"_qs, u"0:07"_qs },
        { u"3"_qs, today, u"/spend 3h0m"_qs, u"3"_qs },
        { u"x:y"_qs, today, QString(), u"x:y"_qs },
        { u"  "_qs, yesterday, QString(), QString() },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hours.toStdString());
        EXPECT_EQ(SpentTextGit(c.hours, c.day, today), c.git);
        EXPECT_EQ(SpentTextStandard(c.hours, c.day, today), c.standard);
    }
}

} // namespace
} // namespace ryv
