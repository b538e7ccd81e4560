#include "cli/commandline.h"

#include "core/regional.h"
#include "reporttesthelpers.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

// Thursday 16 December 2021, afternoon.
const TDateTime Now = EncodeDateTime(2021, 12, 16, 15, 20);

TEST(CommandLine, WindowOrCommandLine)
{
    const struct {
        QStringList args;
        bool commandLine;
    } cases[] = {
        { {}, false },
        // Qt's own options of a GUI program, as a session manager restarts it.
        { { u"-session"_qs, u"1234"_qs }, false },
        { { u"-platform"_qs, u"offscreen"_qs }, false },
        { { u"report"_qs }, true },
        { { u"--help"_qs }, true },
        { { u"--formt"_qs }, true }, // a typo is reported, not a window opened
        { { u"whatever"_qs }, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        EXPECT_EQ(IsCommandLine(c.args), c.commandLine);
    }
}

// Every period name gives the days of its period button, and the custom
// ranges their own.
TEST(CommandLine, ReportPeriods)
{
    TRegionalScope locale("en_GB");
    const struct {
        QStringList args;
        TDateTime first, last;
        TPeriodDaily daily;
        QString text;
    } cases[] = {
        { { u"report"_qs }, EncodeDate(2021, 12, 16), EncodeDate(2021, 12, 16),
            TPeriodDaily::Always, {} },
        { { u"report"_qs, u"yesterday"_qs }, EncodeDate(2021, 12, 15), EncodeDate(2021, 12, 15),
            TPeriodDaily::Always, {} },
        { { u"report"_qs, u"this-week"_qs }, EncodeDate(2021, 12, 13), EncodeDate(2021, 12, 19),
            TPeriodDaily::FromCheckBox, u"13/12/ - 19/12/ 2021"_qs },
        { { u"report"_qs, u"last-week"_qs }, EncodeDate(2021, 12, 6), EncodeDate(2021, 12, 12),
            TPeriodDaily::FromCheckBox, u"06/12/ - 12/12/ 2021"_qs },
        { { u"report"_qs, u"this-month"_qs }, EncodeDate(2021, 12, 1), EncodeDate(2021, 12, 31),
            TPeriodDaily::FromCheckBox, u"December 2021"_qs },
        { { u"report"_qs, u"last-month"_qs }, EncodeDate(2021, 11, 1), EncodeDate(2021, 11, 30),
            TPeriodDaily::FromCheckBox, u"November 2021"_qs },
        // A year is per day when --daily asks, as the same days as a range.
        { { u"report"_qs, u"this-year"_qs }, EncodeDate(2021, 1, 1), EncodeDate(2021, 12, 31),
            TPeriodDaily::FromCheckBox, u"2021"_qs },
        { { u"report"_qs, u"last-year"_qs }, EncodeDate(2020, 1, 1), EncodeDate(2020, 12, 31),
            TPeriodDaily::FromCheckBox, u"2020"_qs },
        { { u"report"_qs, u"2021-02-27..2021-03-02"_qs }, EncodeDate(2021, 2, 27),
            EncodeDate(2021, 3, 2), TPeriodDaily::FromCheckBox, u"27/02/2021 - 02/03/2021"_qs },
        { { u"report"_qs, u"2020-02-29..2020-02-29"_qs }, EncodeDate(2020, 2, 29),
            EncodeDate(2020, 2, 29), TPeriodDaily::Always, {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        TCliRequest r;
        QString error;
        ASSERT_TRUE(ParseCommandLine(c.args, Now, r, error)) << error.toStdString();
        EXPECT_EQ(r.command, TCliCommand::Report);
        EXPECT_EQ(r.period.first, c.first);
        EXPECT_EQ(r.period.last, c.last);
        EXPECT_EQ(r.period.daily, c.daily);
        EXPECT_EQ(r.period.periodText, c.text);
        EXPECT_EQ(r.format, TExportType::Html);
        EXPECT_FALSE(r.daily);
        EXPECT_TRUE(r.output.isEmpty());
    }
}

TEST(CommandLine, OptionsAndExportDays)
{
    TCliRequest r;
    QString error;
    ASSERT_TRUE(ParseCommandLine({ u"report"_qs, u"this-month"_qs, u"--daily"_qs, u"--groups"_qs,
                                     u"--format"_qs, u"pdf"_qs, u"-o"_qs, u"m.pdf"_qs },
        Now, r, error));
    EXPECT_EQ(r.format, TExportType::Pdf);
    EXPECT_TRUE(r.daily);
    EXPECT_TRUE(r.groups);
    EXPECT_EQ(r.output, u"m.pdf"_qs);
    // "-" is standard output, for a PDF too.
    ASSERT_TRUE(ParseCommandLine(
        { u"export"_qs, u"--format"_qs, u"pdf"_qs, u"-o"_qs, u"-"_qs }, Now, r, error))
        << error.toStdString();
    EXPECT_TRUE(r.output.isEmpty());

    ASSERT_TRUE(ParseCommandLine({ u"export"_qs, u"--format=json"_qs }, Now, r, error));
    EXPECT_EQ(r.command, TCliCommand::Export);
    EXPECT_EQ(r.day, EncodeDate(2021, 12, 16));
    EXPECT_EQ(r.format, TExportType::Json);
    ASSERT_TRUE(ParseCommandLine(
        { u"export"_qs, u"2021-12-01"_qs, u"--output"_qs, u"d.csv"_qs, u"--format"_qs, u"csv"_qs },
        Now, r, error));
    EXPECT_EQ(r.day, EncodeDate(2021, 12, 1));

    // --daily on a year: per day, as on the range of the same days.
    for (const QString& year : { u"this-year"_qs, u"2021-01-01..2021-12-31"_qs }) {
        SCOPED_TRACE(year.toStdString());
        ASSERT_TRUE(ParseCommandLine({ u"report"_qs, year, u"--daily"_qs }, Now, r, error));
        EXPECT_TRUE(PeriodIsDaily(r.period, r.daily));
        ASSERT_TRUE(ParseCommandLine({ u"report"_qs, year }, Now, r, error));
        EXPECT_FALSE(PeriodIsDaily(r.period, r.daily));
    }

    ASSERT_TRUE(ParseCommandLine({ u"report"_qs, u"--help"_qs }, Now, r, error));
    EXPECT_EQ(r.command, TCliCommand::Help);
    ASSERT_TRUE(ParseCommandLine({ u"-v"_qs }, Now, r, error));
    EXPECT_EQ(r.command, TCliCommand::Version);
}

// Bad input: a one-line message that names what is wrong.
TEST(CommandLine, BadInputIsNamed)
{
    const struct {
        QStringList args;
        QString named;
    } cases[] = {
        { { u"reprot"_qs }, u"'reprot'"_qs },
        { {}, u"no command"_qs },
        { { u"--daily"_qs }, u"no command"_qs },
        { { u"report"_qs, u"--formt"_qs, u"csv"_qs }, u"'formt'"_qs },
        { { u"report"_qs, u"lastweek"_qs }, u"'lastweek'"_qs },
        { { u"report"_qs, u"2021-02-29..2021-03-31"_qs }, u"'2021-02-29'"_qs },
        { { u"report"_qs, u"2021-01-01..2021-13-01"_qs }, u"'2021-13-01'"_qs },
        { { u"report"_qs, u"2021-1-1..2021-01-31"_qs }, u"'2021-1-1'"_qs },
        { { u"report"_qs, u"2021-03-01..2021-02-01"_qs }, u"ends before it begins"_qs },
        // A period or a date is matched whole: nothing may follow, not even
        // a line break (a script's "$(cat period.txt)" keeps none, but
        // "$(printf ...)" may).
        { { u"report"_qs, u"2021-01-01..2021-01-31\n"_qs }, u"'2021-01-31\\n'"_qs },
        { { u"report"_qs, u"2021-01-01\n..2021-01-31"_qs }, u"'2021-01-01\\n'"_qs },
        { { u"report"_qs, u"this-year\n"_qs }, u"'this-year\\n'"_qs },
        { { u"export"_qs, u"2021-12-01\r\n"_qs }, u"'2021-12-01\\r\\n'"_qs },
        { { u"report"_qs, u"--format"_qs, u"csv\x01"_qs }, u"'csv\\x01'"_qs },
        { { u"report"_qs, u"today"_qs, u"extra"_qs }, u"'extra'"_qs },
        { { u"report"_qs, u"--format"_qs, u"xlsx"_qs }, u"'xlsx'"_qs },
        { { u"report"_qs, u"--format"_qs, u"pdf"_qs }, u"--output"_qs },
        { { u"report"_qs, u"--format"_qs, u"csv"_qs, u"--format"_qs, u"html"_qs },
            u"'--format'"_qs },
        { { u"report"_qs, u"--output"_qs }, u"'--output'"_qs },
        { { u"export"_qs, u"yesterday"_qs }, u"'yesterday'"_qs },
        { { u"export"_qs, u"2021-04-31"_qs }, u"'2021-04-31'"_qs },
        { { u"export"_qs, u"--groups"_qs }, u"'--groups'"_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        TCliRequest r;
        QString error;
        EXPECT_FALSE(ParseCommandLine(c.args, Now, r, error));
        EXPECT_TRUE(error.contains(c.named)) << error.toStdString();
        EXPECT_FALSE(error.contains(u'\n'));
    }
}

} // namespace
} // namespace ryv
