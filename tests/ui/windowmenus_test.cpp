#include "ui/windowmenus.h"

#include "core/inifile.h"
#include "core/modalcount.h"
#include "platform/versioninfo.h"
#include "ui/daylistview.h"
#include "ui/groupdialog.h"
#include "ui/savefiledialog.h"
#include "windowtestworld.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace ryv {
namespace {

using namespace windowtest;

class WindowMenusTest : public TWindowTest { };

TEST_F(WindowMenusTest, SettingsMenuShowsAndTogglesTheOptions)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    world.options.SpendToClipboard = TSpendToClipboard::Disabled;
    QMenu* menu = w.pumMain();
    emit menu->aboutToShow();
    auto entry = [&](const char* name) { return w.findChild<QAction*>(QLatin1String(name)); };
    EXPECT_TRUE(entry("miListShowStop")->isChecked());
    EXPECT_TRUE(entry("miSpendToClipboardDisabled")->isChecked());
    EXPECT_TRUE(entry("miWinTitCurrent")->isChecked());
    EXPECT_FALSE(entry("miReportsTitle")->isChecked());

    const int wideTime = w.lvList()->columnWidth(0);
    entry("miListShowStop")->trigger();
    EXPECT_FALSE(world.options.ListShowStop);
    EXPECT_LT(w.lvList()->columnWidth(0), wideTime);
    EXPECT_EQ(world.today.TimeText(0), QStringLiteral("08:00"));

    entry("miSpendToClipboardStd")->trigger();
    EXPECT_EQ(world.options.SpendToClipboard, TSpendToClipboard::Standard);
    entry("miWinTitTotal")->trigger();
    EXPECT_EQ(world.options.WindowTitleType, TWindowTitleType::TotalDuration);
}

// The away minutes and closing to the tray: shown as the options stand, set
// from the menu, written to [misc] when the program ends by Exit and read by
// its next start.
TEST_F(WindowMenusTest, AwayMinutesAndCloseToTray_SetFromTheMenuAndKeptInMisc)
{
    {
        TWorld world(folder);
        TfrmRyvTracker& w = world.Open();
        QMenu* menu = w.pumMain();
        emit menu->aboutToShow();
        auto* minutes = w.findChild<QSpinBox*>(u"seAwayMinutes"_qs);
        auto* closeToTray = w.findChild<QAction*>(u"miCloseToTray"_qs);
        EXPECT_EQ(minutes->value(), 10);
        EXPECT_EQ(minutes->text(), u"10"_qs);
        EXPECT_EQ(minutes->maximum(), TRyvOptions::MaxAwayMinutes);
        EXPECT_FALSE(closeToTray->isChecked());

        minutes->setValue(0);
        EXPECT_EQ(minutes->text(), u"Never"_qs);
        EXPECT_EQ(world.options.AwayMinutes, 0);
        minutes->setValue(25);
        closeToTray->trigger();
        EXPECT_EQ(world.options.AwayMinutes, 25);
        EXPECT_TRUE(world.options.CloseToTray);
        w.findChild<QAction*>(u"miExit"_qs)->trigger();
        EXPECT_FALSE(w.isVisible());
    }
    TIniFile ini(TRyvOptions(folder).SettingsFilePath());
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadString(u"misc"_qs, u"awayMinutes"_qs, {}), u"25"_qs);
    EXPECT_EQ(ini.ReadString(u"misc"_qs, u"closeToTray"_qs, {}), u"1"_qs);
    TWorld next(folder);
    TfrmRyvTracker& w = next.Open();
    EXPECT_EQ(next.options.AwayMinutes, 25);
    EXPECT_TRUE(next.options.CloseToTray);
    emit w.pumMain()->aboutToShow();
    EXPECT_EQ(w.findChild<QSpinBox*>(u"seAwayMinutes"_qs)->value(), 25);
    EXPECT_TRUE(w.findChild<QAction*>(u"miCloseToTray"_qs)->isChecked());
}

// Every modal window of the window's own runs a nested event loop in which
// the clock ticks; while one shows, the change of date waits, and it comes
// with the first tick after the window closed.
TEST_F(WindowMenusTest, OwnModalWindows_TheDayChangeWaitsUntilTheyClose)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    TModalCount& modals = world.tracker.Modals();
    auto action = [&w](const char* name) { return w.findChild<QAction*>(QLatin1String(name)); };
    TGroupDialog groupDialog(modals, &w);
    TSaveFileDialog saveDialog(modals, &w);
    const struct {
        const char* name;
        std::function<void()> open;
    } cases[] = {
        { "About box", [&] { action("miAbout")->trigger(); } },
        { "reports title", [&] { action("miReportsTitle")->trigger(); } },
        { "group dialog",
            [&] {
                QString name;
                QString mask;
                groupDialog.EditGroup(QStringLiteral("Add group"), {}, {}, name, mask);
            } },
        { "save dialog", [&] { saveDialog.GetSaveFileName(TSaveDialogRequest {}); } },
    };
    for (int day = 11; const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A task runs as midnight comes.
        world.clock.Set(At(23, 58, day - 1));
        world.tracker.Execute(TCommand::acStart, TUiState {});
        world.tracker.UpdateToday();
        const int rows = world.today.Count();
        bool counted = false;
        int rowsWhileOpen = -1;
        QTimer::singleShot(0, &w, [&] {
            world.clock.Set(At(0, 0, day));
            world.tracker.tmrCheckTimer();
            counted = modals.IsOpen();
            rowsWhileOpen = world.today.Count();
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });

        c.open();

        EXPECT_TRUE(counted);
        EXPECT_EQ(rowsWhileOpen, rows);
        EXPECT_FALSE(modals.IsOpen());
        world.tracker.tmrCheckTimer();
        EXPECT_EQ(world.today.Count(), 1);
        EXPECT_DOUBLE_EQ(world.today.Last()->start, At(0, 0, day));
        ++day;
    }
}

// At the first start the window is too narrow for the secondary pane and
// its buttons: the main menu offers the panels and the pane, with their keys
// shown, and choosing one shows it, widening the window as it needs.
TEST_F(WindowMenusTest, MainMenuOpensThePanelsFromTheFirstWindow)
{
    WriteSampleData();
    TWorld world(folder);
    const QRect workArea(0, 0, 1600, 1000);
    TfrmRyvTracker& w = world.Open(workArea);
    ASSERT_FALSE(w.Modes().TwoPanes());
    QMenu* menu = w.pumMain();
    emit menu->aboutToShow();
    const struct {
        TWindowCommand command;
        const char* key;
        TSecondaryPanel panel;
    } entries[] = {
        { TWindowCommand::acFavs, "Ctrl+1", TSecondaryPanel::Favs },
        { TWindowCommand::acHistory, "Ctrl+2", TSecondaryPanel::History },
        { TWindowCommand::acReports, "Ctrl+3", TSecondaryPanel::Reports },
    };
    QAction* pane = w.Action(TWindowCommand::acSecondary);
    EXPECT_TRUE(menu->actions().contains(pane));
    EXPECT_EQ(pane->shortcut().toString(), u"F9"_qs);
    EXPECT_FALSE(pane->isChecked());
    for (const auto& e : entries) {
        QAction* action = w.Action(e.command);
        EXPECT_TRUE(menu->actions().contains(action)) << e.key;
        EXPECT_EQ(action->shortcut().toString(), QLatin1String(e.key));
        EXPECT_TRUE(action->isEnabled() && action->isVisible());
    }

    // From the menu: the pane shows, and the window stays on the screen.
    w.move(1100, 200);
    w.Action(TWindowCommand::acHistory)->trigger();
    EXPECT_TRUE(w.Modes().TwoPanes());
    EXPECT_EQ(w.ShownPanel(), TSecondaryPanel::History);
    EXPECT_TRUE(workArea.contains(w.frameGeometry()));
    EXPECT_TRUE(pane->isChecked());
    EXPECT_TRUE(w.Action(TWindowCommand::acHistory)->isChecked());

    // By their keys, wherever the focus is in the window.
    QTest::keyClick(w.lvList(), Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(w.ShownPanel(), TSecondaryPanel::Reports);
    QTest::keyClick(w.lvList(), Qt::Key_F9);
    EXPECT_FALSE(w.Modes().TwoPanes());
    EXPECT_FALSE(pane->isChecked());
    QTest::keyClick(w.lvList(), Qt::Key_F9);
    EXPECT_TRUE(w.Modes().TwoPanes());
    EXPECT_EQ(w.ShownPanel(), TSecondaryPanel::Reports);
    QTest::keyClick(w.lvList(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(w.ShownPanel(), TSecondaryPanel::Favs);
}

TEST(WindowMenusAbout, ShowsVersionsCopyrightLicenseAndHomePage)
{
    EXPECT_EQ(TWindowMenus::AboutText(),
        QStringLiteral("Version: 1.0.0\r\nQt version: ") + QString::fromLatin1(qVersion())
            + QStringLiteral("\r\n\r\n") + TVersionInfo::ProgramCopyright()
            + QStringLiteral("\r\nLicense: MIT\r\nHome page: ") + TVersionInfo::ProgramHomePage());
    EXPECT_TRUE(TVersionInfo::ProgramHomePage().startsWith(QLatin1String("https://")));
}

} // namespace
} // namespace ryv
