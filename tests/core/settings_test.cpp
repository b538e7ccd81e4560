#include "core/settings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(Settings, MissingFile_GivesDefaults)
{
    QTemporaryDir dir;
    TRyvOptions options(dir.path());
    TIniFile ini(options.SettingsFilePath());
    ASSERT_TRUE(ini.Load());
    TReportChecks checks { false, true };
    LoadSettings(ini, options, checks);
    EXPECT_TRUE(checks.daily);
    EXPECT_FALSE(checks.groups);
    EXPECT_TRUE(options.ListShowStop);
    EXPECT_FALSE(options.ReportCharts);
    EXPECT_EQ(options.SpendToClipboard, TSpendToClipboard::Git);
    EXPECT_EQ(options.WindowTitleType, TWindowTitleType::CurrentTask);
    EXPECT_TRUE(options.AutoShowSuggest);
    EXPECT_EQ(options.ExportExt, u"html"_qs);
    EXPECT_EQ(options.RecentMaxCnt, 10);
    EXPECT_EQ(options.TaskDlgSize, QSize(0, 0));
    EXPECT_EQ(options.AwayMinutes, 10);
    EXPECT_FALSE(options.CloseToTray);
}

// Sizes no program wrote (negative, or beyond any screen) count as missing.
TEST(Settings, TaskDialogSize_NegativeOrAbsurd_CountsAsMissing)
{
    const struct {
        const char* text;
        QSize expected;
    } cases[] = {
        { "width=2000000000\r\nheight=2000000000", QSize(300, 200) },
        { "width=-640\r\nheight=-480", QSize(300, 200) },
        { "width=0x80000000\r\nheight=99999999999", QSize(300, 200) },
        { "width=32768\r\nheight=480", QSize(300, 480) },
        { "width=32767\r\nheight=0", QSize(32767, 0) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TIniFile ini;
        ini.SetText(QStringLiteral("[taskDlg]\r\n") + QString::fromLatin1(c.text));
        TRyvOptions options(u"/tmp/x"_qs);
        options.TaskDlgSize = QSize(300, 200);
        TReportChecks checks;
        LoadSettings(ini, options, checks);
        EXPECT_EQ(options.TaskDlgSize, c.expected);
    }
}

TEST(Settings, Load_ReadsEveryKeyAndTheLists)
{
    TIniFile ini;
    ini.SetText(QStringLiteral("[taskDlg]\r\nwidth=640\r\nheight=0x1E0\r\n"
                               "[misc]\r\nexportExt=pdf\r\nlistShowStop=0\r\nrepTit=ACME report\r\n"
                               "spendToClip=1\r\nrepDaily=0\r\nrepGroups=5\r\nautoSuggest=0\r\n"
                               "winTitle=1\r\nlangCode=fi\r\nrepCharts=1\r\n"
                               "[exclApps]\r\n0=b.exe\r\n5=A.exe\r\nx=c.exe\r\n"
                               "[groupMasks]\r\n0=Work=*project*\r\n1=Mail=*inbox*\r\n"));
    TRyvOptions options(u"/tmp/x"_qs);
    TReportChecks checks;
    LoadSettings(ini, options, checks);
    EXPECT_EQ(options.TaskDlgSize, QSize(640, 480));
    EXPECT_EQ(options.ExportExt, u"pdf"_qs);
    EXPECT_FALSE(options.ListShowStop);
    EXPECT_EQ(options.ReportsTitle, u"ACME report"_qs);
    EXPECT_EQ(options.SpendToClipboard, TSpendToClipboard::Standard);
    EXPECT_FALSE(checks.daily);
    EXPECT_TRUE(checks.groups);
    EXPECT_FALSE(options.AutoShowSuggest);
    EXPECT_EQ(options.WindowTitleType, TWindowTitleType::TotalDuration);
    EXPECT_EQ(options.LangCode, u"fi"_qs);
    EXPECT_TRUE(options.ReportCharts);
    // Key names do not matter; the list is sorted without regard to case.
    EXPECT_EQ(options.ExcludedApps, (QStringList { u"A.exe"_qs, u"b.exe"_qs, u"c.exe"_qs }));
    EXPECT_EQ(options.GroupMasks, (QStringList { u"Work=*project*"_qs, u"Mail=*inbox*"_qs }));

    // ... and they are written back numbered from 0.
    SaveSettings(ini, options, checks);
    EXPECT_EQ(ini.ReadSectionValues(u"exclApps"_qs),
        (QList<std::pair<QString, QString>> {
            { u"0"_qs, u"A.exe"_qs }, { u"1"_qs, u"b.exe"_qs }, { u"2"_qs, u"c.exe"_qs } }));
    EXPECT_EQ(ini.ReadString(u"groupMasks"_qs, u"0"_qs, QString()), u"Work=*project*"_qs);
}

// Unreadable numbers keep the current value; the byte-sized choices keep the
// low 8 bits and fall back to their default when out of range.
TEST(Settings, Load_BadNumbersAndOutOfRangeChoices)
{
    const struct {
        QString spend, title;
        quint8 expectedSpend, expectedTitle;
    } cases[] = {
        { u"x"_qs, u"y"_qs, 1, 1 }, // current values (set below) stay
        { u"258"_qs, u"257"_qs, 2, 1 }, // low 8 bits
        { u"7"_qs, u"5"_qs, 2, 0 }, // no such choice: the defaults
        { u"0"_qs, u"0"_qs, 0, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spend.toStdString());
        TIniFile ini;
        ini.SetText(u"[misc]\r\nspendToClip="_qs + c.spend + u"\r\nwinTitle="_qs + c.title
            + u"\r\nlistShowStop=maybe\r\n[taskDlg]\r\nwidth=wide\r\n"_qs);
        TRyvOptions options(u"/tmp/x"_qs);
        options.SpendToClipboard = TSpendToClipboard::Standard;
        options.WindowTitleType = TWindowTitleType::TotalDuration;
        options.ListShowStop = false;
        options.TaskDlgSize = QSize(300, 200);
        TReportChecks checks;
        LoadSettings(ini, options, checks);
        EXPECT_EQ(static_cast<int>(options.SpendToClipboard), c.expectedSpend);
        EXPECT_EQ(static_cast<int>(options.WindowTitleType), c.expectedTitle)
            << c.title.toStdString();
        EXPECT_FALSE(options.ListShowStop);
        EXPECT_EQ(options.TaskDlgSize, QSize(300, 200));
    }
}

TEST(Settings, Save_NewFileInKeyOrder)
{
    TRyvOptions options(u"/tmp/x"_qs);
    options.TaskDlgSize = QSize(500, 400);
    options.ReportsTitle = u"Team"_qs;
    options.ExcludedApps = QStringList { u"firefox"_qs, u"Clipboard"_qs };
    TIniFile ini;
    ini.WriteBool(u"window"_qs, u"max"_qs, false); // the window writes its keys first
    SaveSettings(ini, options, TReportChecks {});
    EXPECT_EQ(ini.Text(),
        QStringLiteral("[window]\r\nmax=0\r\n\r\n"
                       "[taskDlg]\r\nwidth=500\r\nheight=400\r\n\r\n"
                       "[misc]\r\nexportExt=html\r\nlistShowStop=1\r\n"
                       "repTit=Team\r\nspendToClip=2\r\nrepDaily=1\r\n"
                       "repGroups=0\r\nautoSuggest=1\r\nwinTitle=0\r\n"
                       "langCode=\r\nawayMinutes=10\r\ncloseToTray=0\r\nrepCharts=0\r\n\r\n"
                       "[exclApps]\r\n0=firefox\r\n1=Clipboard\r\n\r\n"));
}

// A file edited by hand keeps its comments, its unknown keys and sections and
// its order; an emptied list leaves no section.
TEST(Settings, Save_ExistingFileKeepsItsShape)
{
    const QString original = QStringLiteral(
        "[window]\r\nmax=1\r\nleft=10\r\n\r\n"
        "[groupMasks]\r\n0=Old=*old*\r\n\r\n"
        "[misc]\r\n; hand-written note\r\nlangCode=fi\r\nfancy=yes\r\nexportExt=csv\r\n\r\n"
        "[exclApps]\r\n0=x\r\n\r\n"
        "[custom]\r\nkeep=me\r\n\r\n");
    TIniFile ini;
    ini.SetText(original);
    TRyvOptions options(u"/tmp/x"_qs);
    TReportChecks checks;
    LoadSettings(ini, options, checks);
    options.ExcludedApps.clear();
    options.GroupMasks = QStringList { u"New=*new*"_qs };
    SaveSettings(ini, options, checks);
    EXPECT_EQ(ini.Text(),
        QStringLiteral("[window]\r\nmax=1\r\nleft=10\r\n\r\n"
                       "[groupMasks]\r\n0=New=*new*\r\n\r\n"
                       "[misc]\r\n; hand-written note\r\nlangCode=fi\r\nfancy=yes\r\n"
                       "exportExt=csv\r\nlistShowStop=1\r\nrepTit=\r\nspendToClip=2\r\n"
                       "repDaily=1\r\nrepGroups=0\r\nautoSuggest=1\r\nwinTitle=0\r\n"
                       "awayMinutes=10\r\ncloseToTray=0\r\nrepCharts=0\r\n\r\n"
                       "[custom]\r\nkeep=me\r\n\r\n"
                       "[taskDlg]\r\nwidth=0\r\nheight=0\r\n\r\n"));
}

// The away question's minutes and the tray's closing rule: what is written
// reads back; minutes that are no number keep the current value, and those
// below 0 or beyond a day fall back to the default.
TEST(Settings, AwayMinutesAndCloseToTray_RoundTripAndBounds)
{
    {
        TRyvOptions options(u"/tmp/x"_qs);
        options.AwayMinutes = 0;
        options.CloseToTray = true;
        TIniFile ini;
        SaveSettings(ini, options, TReportChecks {});
        EXPECT_EQ(ini.ReadString(u"misc"_qs, u"awayMinutes"_qs, {}), u"0"_qs);
        EXPECT_EQ(ini.ReadString(u"misc"_qs, u"closeToTray"_qs, {}), u"1"_qs);
        TRyvOptions read(u"/tmp/x"_qs);
        TReportChecks checks;
        LoadSettings(ini, read, checks);
        EXPECT_EQ(read.AwayMinutes, 0);
        EXPECT_TRUE(read.CloseToTray);
    }
    const struct {
        QString stored;
        int expected;
    } cases[] = {
        { u"25"_qs, 25 },
        { u"1440"_qs, 1440 },
        { u"1441"_qs, 10 },
        { u"-5"_qs, 10 },
        { u"soon"_qs, 7 }, // the current value stays
        { u""_qs, 7 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        TIniFile ini;
        ini.SetText(u"[misc]\r\nawayMinutes="_qs + c.stored + u"\r\ncloseToTray=yes\r\n"_qs);
        TRyvOptions options(u"/tmp/x"_qs);
        options.AwayMinutes = 7;
        TReportChecks checks;
        LoadSettings(ini, options, checks);
        EXPECT_EQ(options.AwayMinutes, c.expected);
        EXPECT_FALSE(options.CloseToTray); // "yes" is no number: the default stays
    }
}

} // namespace
} // namespace ryv
