#include "ui/windowmenus.h"

#include "platform/versioninfo.h"
#include "ui/daylistview.h"
#include "windowtestworld.h"

#include "core/inifile.h"

#include <QAction>
#include <QMenu>
#include <QSpinBox>

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

TEST(WindowMenusAbout, ShowsVersionEmptyLineAndCopyright)
{
    EXPECT_EQ(TWindowMenus::AboutText(),
        QStringLiteral("Version: 1.0.0\r\n\r\n") + TVersionInfo::ProgramCopyright());
}

} // namespace
} // namespace ryv
