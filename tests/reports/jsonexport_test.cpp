#include "reports/jsonexport.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/csvreader.h"
#include "core/regional.h"
#include "core/ryvoptions.h"
#include "core/textfile.h"
#include "reportfakes.h"
#include "reports/pdfconverter.h"
#include "reports/reportperiods.h"
#include "reports/reportwriter.h"
#include "reporttesthelpers.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ryv {
namespace {

const TDateTime Mon = EncodeDate(2021, 12, 13);

QJsonObject Parse(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_TRUE(doc.isObject());
    return doc.object();
}

TCsvTable Csv(const QByteArray& bytes)
{
    TCsvTable table;
    EXPECT_TRUE(ParseCsvText(DecodeText(bytes), u'"', u';', table));
    return table;
}

// The CSV form of a JSON duration: "h:nn", hours modulo 24.
QString Hnn(qint64 seconds)
{
    return QStringLiteral("%1:%2")
        .arg(seconds / 3600 % 24)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'));
}

// The CSV writes double quotes as single ones and reads a CR LF inside a
// text as LF.
QString AsInCsv(QString text)
{
    return text.replace(u'"', u'\'').replace(u"\r\n"_qs, u"\n"_qs);
}

// The JSON outputs, parsed, against the CSV outputs of the same data.
class JsonExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FOptions.ReportsTitle = u"Team A"_qs;
        FOptions.GroupMasks = QStringList { u"Meetings=*meeting*"_qs };
        WriteDay(Mon,
            u"0;1;2021-12-13 09:00:00;2021-12-13 10:30:00;\"Weekly meeting\";\"\";\"notes\"\r\n"
            "1;0;2021-12-13 10:30:00;2021-12-13 11:00:00;\"\";\"\";\"\"\r\n"
            "0;0;2021-12-13 11:00:00;2021-12-13 12:15:30;\"Fix 'parser' & <tests>\";"
            "\"https://t/1?a=1&b=2\";\"two\r\nlines\"\r\n"
            "0;0;2021-12-13 22:00:00;2021-12-14 01:00:00;\"Night shift\";\"\";\"\"\r\n"_qs);
        WriteDay(Mon + 2,
            u"0;0;2021-12-15 08:00:00;2021-12-15 09:00:00;\"Fix 'parser' & <tests>\";\"\";\"\"\r\n"
            "0;1;2021-12-15 09:00:00;2021-12-15 09:20:00;\"Daily meeting\";\"\";\"\"\r\n"_qs);
    }

    void WriteDay(TDateTime day, const QString& lines)
    {
        const QString path = FOptions.FolderData + u"2021/"_qs + DateToText(day) + u".lst"_qs;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("kind;state;start;stop;\"title\";\"url\";\"descr\"\r\n" + lines.toUtf8());
    }

    // Each task of the JSON entries against the CSV row of the same task.
    static void ExpectTasksMatch(const QJsonArray& entries, const TCsvTable& csv, bool withState)
    {
        const int shift = withState ? 1 : 0;
        qsizetype row = 1;
        for (const QJsonValue& v : entries) {
            const QJsonObject e = v.toObject();
            if (e[u"kind"_qs].toString() == u"break"_qs)
                continue;
            EXPECT_EQ(e[u"kind"_qs].toString(), u"task"_qs);
            ASSERT_LT(row, csv.size());
            const QStringList& r = csv[row++];
            SCOPED_TRACE(r.join(u';').toStdString());
            if (withState) {
                EXPECT_EQ(r[0], e[u"done"_qs].toBool() ? u"X"_qs : QString());
            }
            // Local time with its offset: the CSV shows the same wall clock.
            const QString start = e[u"start"_qs].toString();
            const QDateTime parsed = QDateTime::fromString(start, Qt::ISODate);
            ASSERT_TRUE(parsed.isValid()) << start.toStdString();
            EXPECT_EQ(parsed.offsetFromUtc(), parsed.toLocalTime().offsetFromUtc());
            EXPECT_EQ(start.mid(11, 5), r[shift + 0]);
            EXPECT_EQ(e[u"stop"_qs].toString().mid(11, 5), r[shift + 1]);
            EXPECT_EQ(Hnn(e[u"duration"_qs].toInteger()), r[shift + 2]);
            EXPECT_EQ(AsInCsv(e[u"title"_qs].toString()), r[shift + 3]);
            EXPECT_EQ(AsInCsv(e[u"link"_qs].toString()), r[shift + 4]);
            EXPECT_EQ(AsInCsv(e[u"description"_qs].toString()), r[shift + 5]);
        }
        EXPECT_EQ(row, csv.size());
    }

    TRegionalScope FLocale { "en_GB" };
    QTemporaryDir FDir;
    TRyvOptions FOptions { FDir.path() };
    TManualClock FClock { Mon + 3 + 10 * OneHour };
    TFakeRunner FRunner;
    TPdfConverter FConverter { FOptions.FolderPlugins, QString(), FRunner, nullptr };
    TReportWriter FWriter { FOptions, FClock, FConverter };
};

TEST_F(JsonExportTest, DayListAgreesWithItsCsv)
{
    std::vector<TRyvItem> list { Task(Mon + 9 * OneHour, Mon + 10.5 * OneHour, u"Say \"hello\""_qs,
                                     u"https://x"_qs, u"a\r\nb"_qs, ryvsDone),
        Break(Mon + 10.5 * OneHour, Mon + 11 * OneHour),
        Task(Mon + 11 * OneHour, Mon + 11 * OneHour + 25 * OneMinute + 10 * OneSecond,
            u"Ünïcödé 🙂"_qs) };
    const QJsonObject o = Parse(FWriter.ListBytes(TExportType::Json, list, Mon));
    ExpectTasksMatch(
        o[u"entries"_qs].toArray(), Csv(FWriter.ListBytes(TExportType::Csv, list, Mon)), true);

    EXPECT_EQ(o[u"date"_qs].toString(), u"2021-12-13"_qs);
    EXPECT_EQ(o[u"title"_qs].toString(), u"Team A"_qs);
    const QJsonArray entries = o[u"entries"_qs].toArray();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[1].toObject()[u"kind"_qs].toString(), u"break"_qs);
    EXPECT_EQ(entries[1].toObject()[u"duration"_qs].toInteger(), 1800);
    EXPECT_EQ(entries[0].toObject()[u"title"_qs].toString(), u"Say \"hello\""_qs);
    EXPECT_EQ(entries[2].toObject()[u"duration"_qs].toInteger(), 25 * 60 + 10);
    // Tasks only, in seconds.
    EXPECT_EQ(o[u"total"_qs].toInteger(), 90 * 60 + 25 * 60 + 10);
}

TEST_F(JsonExportTest, ReportAgreesWithItsCsvAndSummary)
{
    const TReportPeriod week = ReportPeriod(1, FClock.Now());
    for (const bool daily : { false, true }) {
        for (const bool groups : { false, true }) {
            SCOPED_TRACE(std::string(daily ? "daily" : "") + (groups ? " groups" : ""));
            QByteArray json;
            QByteArray csv;
            ASSERT_EQ(FWriter.ReportBytes(TExportType::Json, week, daily, groups, json, nullptr),
                TWriteStatus::Ok);
            ASSERT_EQ(FWriter.ReportBytes(TExportType::Csv, week, daily, groups, csv, nullptr),
                TWriteStatus::Ok);
            const QJsonObject o = Parse(json);
            ExpectTasksMatch(o[u"entries"_qs].toArray(), Csv(csv), false);

            EXPECT_EQ(o[u"title"_qs].toString(), u"Team A"_qs);
            const QJsonObject period = o[u"period"_qs].toObject();
            EXPECT_EQ(period[u"first"_qs].toString(), u"2021-12-13"_qs);
            EXPECT_EQ(period[u"last"_qs].toString(), u"2021-12-19"_qs);
            EXPECT_EQ(period[u"text"_qs].toString(), u"13/12/ - 19/12/ 2021"_qs);
            EXPECT_EQ(o[u"options"_qs].toObject()[u"daily"_qs].toBool(), daily);
            EXPECT_EQ(o[u"options"_qs].toObject()[u"groups"_qs].toBool(), groups);

            // The rows are the summary: largest first, a date per row when
            // daily, and they add up to the total and the day totals.
            qint64 sum = 0;
            QMap<QString, qint64> perDay;
            qint64 previous = LLONG_MAX;
            QString previousDay;
            for (const QJsonValue& v : o[u"rows"_qs].toArray()) {
                const QJsonObject row = v.toObject();
                const qint64 d = row[u"duration"_qs].toInteger();
                const QString day = row[u"date"_qs].toString();
                EXPECT_EQ(day.isEmpty(), !daily);
                if (day == previousDay) {
                    EXPECT_LE(d, previous);
                }
                previous = d;
                previousDay = day;
                sum += d;
                perDay[day] += d;
                if (groups) {
                    EXPECT_TRUE(row[u"link"_qs].toString().isEmpty());
                }
            }
            // 1:30 + 1:15:30 + 3:00 (until the next morning) + 1:00 + 0:20
            EXPECT_EQ(sum, 5400 + 4530 + 10800 + 3600 + 1200);
            EXPECT_EQ(o[u"total"_qs].toInteger(), sum);
            const QJsonArray days = o[u"days"_qs].toArray();
            ASSERT_EQ(days.size(), 2);
            EXPECT_EQ(days[0].toObject()[u"date"_qs].toString(), u"2021-12-13"_qs);
            EXPECT_EQ(days[0].toObject()[u"total"_qs].toInteger(), 5400 + 4530 + 10800);
            EXPECT_EQ(days[1].toObject()[u"total"_qs].toInteger(), 3600 + 1200);
            if (daily) {
                EXPECT_EQ(perDay.value(u"2021-12-15"_qs), 3600 + 1200);
            }
            const QString rows = QString::fromUtf8(QJsonDocument(o[u"rows"_qs].toArray()).toJson());
            EXPECT_EQ(rows.contains(u"\"Meetings\""_qs), groups);
            EXPECT_EQ(rows.contains(u"\"Meetings - Weekly \""_qs), !groups);
        }
    }
}

TEST(IsoLocalTime, CarriesTheOffsetInForce)
{
    // The suite runs in UTC; the form holds whatever the zone.
    const TDateTime t = EncodeDateTime(2021, 7, 1, 9, 5, 7);
    const QString text = IsoLocalTime(t);
    EXPECT_TRUE(text.startsWith(u"2021-07-01T09:05:07"_qs)) << text.toStdString();
    const QDateTime parsed = QDateTime::fromString(text, Qt::ISODate);
    ASSERT_TRUE(parsed.isValid());
    EXPECT_EQ(parsed.toSecsSinceEpoch(), ToQDateTime(t).toSecsSinceEpoch());
    EXPECT_EQ(DurationSeconds(OneHour + 0.4 * OneSecond), 3600);
    EXPECT_EQ(DurationSeconds(90 * OneMinute), 5400); // not 5399 from rounding
}

} // namespace
} // namespace ryv
