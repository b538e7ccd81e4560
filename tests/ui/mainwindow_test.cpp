#include "ui/mainwindow.h"

#include "ui/commandrouter.h"
#include "ui/daylistdelegate.h"
#include "ui/daylistmodel.h"
#include "ui/daylistview.h"
#include "ui/drawhelpers.h"
#include "ui/icons.h"
#include "windowtestworld.h"

#include "core/inifile.h"

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace ryv {
namespace {

using namespace windowtest;

class MainWindowTest : public TWindowTest { };

// Each call builds a new icon object, so icons are compared by what they draw.
bool ShowsImage(const QToolButton* button, TRyvIcon id)
{
    return IconToPng(button->icon(), QSize(32, 32)) == IconToPng(RyvIcon(id), QSize(32, 32));
}

// Pixels of the done-mark area that stand out from the row's own background
// (sampled beside the mark), so the mark can be seen at all.
int MarkPixelsSeen(TDayListView* list, int row)
{
    const QRect cell = list->visualRect(list->model()->index(row, TDayListModel::colTime));
    const QImage image = list->viewport()->grab().toImage();
    const QRect mark = TDayListDelegate::DoneMarkRect(cell);
    const QColor background = image.pixelColor(mark.right() + 2, mark.center().y());
    int seen = 0;
    for (int y = mark.top(); y <= mark.bottom(); ++y) {
        for (int x = mark.left(); x <= mark.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int distance = std::abs(c.red() - background.red())
                + std::abs(c.green() - background.green()) + std::abs(c.blue() - background.blue());
            if (distance >= 200)
                ++seen;
        }
    }
    return seen;
}

// Language files address the window's components by these names, searched
// from the window down, so each must be found there and only once.
TEST_F(MainWindowTest, EveryComponentKeepsItsName)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    EXPECT_EQ(w.objectName(), QStringLiteral("frmRyvTracker"));
    for (const char* name : { "pClient", "Shape5", "pMain", "pMainHeader", "sbMenu", "lbToday",
             "sbStart", "sbStop", "Shape6", "pList", "lvList", "pBottom", "Shape1", "pTotals",
             "lbTotTaskCap", "lbTotalTask", "lbTotSelCap", "lbTotalSel", "lbTotCap", "lbTotal",
             "sbCompactMode", "sbExport", "pSecondary", "Shape4", "Panel1", "lbSecondary", "sbFavs",
             "sbHistory", "sbPlans", "sbReports", "sbShortcuts", "Shape2", "pFavs", "lvFavs",
             "pHistory", "calHistory", "lvHistory", "pBottom2", "Shape3", "pTotals2",
             "lbTotTaskCap2", "lbTotalTask2", "lbTotSelCap2", "lbTotalSel2", "lbTotCap2",
             "lbTotal2", "sbHistBack", "sbHistForw", "sbExport2", "pReports", "sbRep0", "sbRep1",
             "sbRep2", "sbRep4", "sbRep5", "sbRep6", "sbRep7", "sbRep9", "cbRepDaily",
             "cbRepGroups", "lbGroups", "pPlans", "pShortcuts", "pumMain", "miSettings",
             "miListShowStop", "miAutoShowSuggest", "miReportsTitle", "miWindowTitle",
             "miWinTitCurrent", "miWinTitTotal", "miSpendToClipboard", "miSpendToClipboardDisabled",
             "miSpendToClipboardStd", "miSpendToClipboardGit", "miLanguagesMenu", "miLanguages",
             "miAwayMinutes", "lbAwayMinutes", "seAwayMinutes", "miCloseToTray", "miAbout",
             "miExit", "pumList", "pumFavs", "pumHistory" }) {
        EXPECT_EQ(w.findChildren<QObject*>(QLatin1String(name)).size(), 1) << name;
    }
}

TEST_F(MainWindowTest, StartStopAndCompactButtonsShowTheWindowsState)
{
    SetUseThemeIcons(false);
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.setGeometry(100, 100, 600, 600);
    auto* start = w.findChild<QToolButton*>(QStringLiteral("sbStart"));
    auto* stop = w.findChild<QToolButton*>(QStringLiteral("sbStop"));
    auto* compact = w.findChild<QToolButton*>(QStringLiteral("sbCompactMode"));
    ASSERT_TRUE(start && stop && compact);
    auto run = [&w](auto command) { return [&w, command] { w.RunAction(w.Action(command)); }; };
    struct Step {
        const char* name;
        std::function<void()> act;
        TRyvIcon start, stop, compact;
    } steps[] = {
        { "idle", [] {}, TRyvIcon::Start, TRyvIcon::StopIdle, TRyvIcon::Compact },
        { "working", run(TCommand::acStart), TRyvIcon::StartSwitch, TRyvIcon::Stop,
            TRyvIcon::Compact },
        { "compact", run(TWindowCommand::acCompactMode), TRyvIcon::StartSwitch, TRyvIcon::Stop,
            TRyvIcon::CompactLeave },
        { "stopped", run(TCommand::acStop), TRyvIcon::Start, TRyvIcon::StopIdle,
            TRyvIcon::CompactLeave },
        { "started by toggle", run(TCommand::acToggleStartStop), TRyvIcon::StartSwitch,
            TRyvIcon::Stop, TRyvIcon::CompactLeave },
        { "compact left", run(TWindowCommand::acCompactMode), TRyvIcon::StartSwitch, TRyvIcon::Stop,
            TRyvIcon::Compact },
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_TRUE(ShowsImage(start, step.start)) << step.name;
        EXPECT_TRUE(ShowsImage(stop, step.stop)) << step.name;
        EXPECT_TRUE(ShowsImage(compact, step.compact)) << step.name;
    }
    SetUseThemeIcons(true);
}

TEST_F(MainWindowTest, TotalsBarsShowOnlyTheTotalsThatApply)
{
    // No file for yesterday: the history opens on an empty day.
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.resize(1200, 600);
    w.ShowSecondaryPanel(TSecondaryPanel::History);
    ASSERT_TRUE(world.history.IsEmpty());
    for (const char* suffix : { "", "2" }) {
        auto shown = [&w, suffix](const char* name) {
            auto* label = w.findChild<QLabel*>(QLatin1String(name) + QLatin1String(suffix));
            return label != nullptr && label->isVisible();
        };
        EXPECT_TRUE(shown("lbTotCap")) << suffix;
        EXPECT_TRUE(shown("lbTotal")) << suffix;
        for (const char* name : { "lbTotSelCap", "lbTotalSel", "lbTotTaskCap", "lbTotalTask" })
            EXPECT_FALSE(shown(name)) << name << suffix;
    }
}

TEST_F(MainWindowTest, WheelMovesTheFocusByOneRow)
{
    WriteSampleData();
    struct Case {
        int focused, delta, expected;
    } cases[] = {
        { -1, -120, 0 }, // no focused row, towards the user: the first row
        { -1, 120, 1 }, // away from the user: the last row
        { 0, -120, 1 }, { 1, -120, 1 }, // not beyond the end
        { 1, 120, 0 }, { 0, 3, 0 }, // too small a turn: swallowed, nothing moves
    };
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    for (const Case& c : cases) {
        if (c.focused < 0)
            w.lvList()->clearSelection(), w.lvList()->setCurrentIndex(QModelIndex());
        else
            w.lvList()->SelectOnlyRow(c.focused);
        EXPECT_TRUE(w.FormMouseWheel(TListKind::Today, c.delta));
        EXPECT_EQ(world.today.Focused(), c.delta == 3 ? c.focused : c.expected)
            << c.focused << " " << c.delta;
    }
    // In compact mode the wheel is left to the toolkit.
    w.RunAction(w.Action(TWindowCommand::acCompactMode));
    EXPECT_FALSE(w.FormMouseWheel(TListKind::Today, -120));
}

TEST_F(MainWindowTest, DoneMarkStaysVisibleOnSelectedRows)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.lvList()->setFocus();
    world.tracker.ToggleDoneMark(TListKind::Today, 0);
    world.tracker.ToggleDoneMark(TListKind::Today, 1);
    struct Case {
        const char* name;
        QList<int> selected;
    } cases[] = {
        { "neither selected", {} },
        { "first selected", { 0 } },
        { "both selected", { 0, 1 } },
    };
    for (const Case& c : cases) {
        world.today.SetSelection(c.selected);
        for (int row : { 0, 1 })
            EXPECT_GT(MarkPixelsSeen(w.lvList(), row), 10) << c.name << ", row " << row;
    }
}

TEST_F(MainWindowTest, StartUpResumesATaskLeftRunning)
{
    TRyvOptions options(folder);
    const auto done = Entry(QStringLiteral("Done"), At(8, 0), At(9, 0));
    const auto running = Entry(QStringLiteral("Weekly report"), At(9, 0), 0);
    WriteFile(DayFilePath(options, 0), DayFileText({ done.get() }, running.get()));

    TWorld world(folder);
    world.clock.Set(At(10, 23) + 45 * OneSecond);
    TfrmRyvTracker& w = world.Open();
    ASSERT_EQ(world.today.Count(), 2);
    EXPECT_TRUE(world.today.IsWorking());
    EXPECT_EQ(world.today.Last()->title, QStringLiteral("Weekly report"));
    EXPECT_DOUBLE_EQ(world.today.Last()->stop, world.clock.Now());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("1:23 - Weekly report"));
    // The resumed task shows on the buttons: start switches, stop is live.
    EXPECT_TRUE(
        ShowsImage(w.findChild<QToolButton*>(QStringLiteral("sbStart")), TRyvIcon::StartSwitch));
    EXPECT_TRUE(ShowsImage(w.findChild<QToolButton*>(QStringLiteral("sbStop")), TRyvIcon::Stop));
}

TEST_F(MainWindowTest, ClosingWritesPendingSavesAndKeepsTheTaskRunning)
{
    WriteSampleData();
    const TRyvOptions options(folder);
    {
        TWorld world(folder);
        TfrmRyvTracker& w = world.Open();
        w.resize(1200, 600);
        w.ShowSecondaryPanel(TSecondaryPanel::History);
        world.tracker.ToggleDoneMark(TListKind::History, 0);
        w.lvList()->setFocus();
        QTest::keyClick(w.lvList(), Qt::Key_Insert);
        ASSERT_TRUE(world.store.IsHistSavePending());
        ASSERT_TRUE(world.store.IsSavePending());
        w.close();
    }
    TWorld world(folder);
    world.Open();
    ASSERT_EQ(world.today.Count(), 4); // Alpha, Beta, the break, the new task
    EXPECT_TRUE(world.today.IsWorking());
    // Started with Beta focused, so under Beta's title.
    EXPECT_EQ(world.today.Last()->title, QStringLiteral("Beta"));
    const std::optional<QString> day = ReadTextFile(DayFilePath(options, At(0, 0, 9)), 1 << 20);
    ASSERT_TRUE(day.has_value());
    EXPECT_TRUE(day->contains(QStringLiteral("\r\n0;1;"))) << day->toStdString();
    EXPECT_EQ(world.recent.Count(), 1);
}

// The settings reach their file a moment after each change while the window
// stays open, so a crash loses none and a report from the command line reads
// the groups as they are: the window notices the change when the program is
// idle, and tmrSaveSettings writes it.
TEST_F(MainWindowTest, SettingsAreWrittenAMomentAfterEachChange)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    const auto idle = [] { emit QAbstractEventDispatcher::instance()->aboutToBlock(); };
    const auto stored = [&world](const QString& section, const QString& key) {
        TIniFile ini(world.options.SettingsFilePath());
        return ini.Load() ? ini.ReadString(section, key, QStringLiteral("(none)"))
                          : QStringLiteral("(unreadable)");
    };
    idle();
    EXPECT_FALSE(w.tmrSaveSettings.isActive()) << "nothing changed";

    struct Case {
        const char* name;
        std::function<void()> change;
        QString section;
        QString key;
        QString value;
    };
    const Case cases[] = {
        { "report check box", [&w] { w.cbRepGroups()->click(); }, u"misc"_qs, u"repGroups"_qs,
            u"1"_qs },
        { "group masks", [&world] { world.options.GroupMasks = { u"Customers=*cust*"_qs }; },
            u"groupMasks"_qs, u"0"_qs, u"Customers=*cust*"_qs },
        { "away minutes", [&world] { world.options.AwayMinutes = 25; }, u"misc"_qs,
            u"awayMinutes"_qs, u"25"_qs },
        { "compact mode", [&w] { w.RunAction(w.Action(TWindowCommand::acCompactMode)); },
            u"window"_qs, u"compact"_qs, u"1"_qs },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.change();
        idle();
        ASSERT_TRUE(w.tmrSaveSettings.isActive());
        EXPECT_NE(stored(c.section, c.key), c.value) << "written only when the timer fires";
        w.tmrSaveSettingsTimer();
        EXPECT_EQ(stored(c.section, c.key), c.value);
        idle();
        EXPECT_FALSE(w.tmrSaveSettings.isActive()) << "written once";
    }
    EXPECT_TRUE(w.isVisible());

    // A report from the command line has the window write at once.
    world.options.ReportsTitle = u"Team A"_qs;
    w.FlushSettings();
    EXPECT_EQ(stored(u"misc"_qs, u"repTit"_qs), u"Team A"_qs);
    EXPECT_FALSE(w.tmrSaveSettings.isActive());
}

} // namespace
} // namespace ryv
