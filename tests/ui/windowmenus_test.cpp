#include "ui/windowmenus.h"

#include "platform/versioninfo.h"
#include "ui/daylistview.h"
#include "windowtestworld.h"

#include <QAction>
#include <QMenu>

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

TEST(WindowMenusAbout, ShowsVersionEmptyLineAndCopyright)
{
    EXPECT_EQ(TWindowMenus::AboutText(),
        QStringLiteral("Version: 1.0.0\r\n\r\n") + TVersionInfo::ProgramCopyright());
}

} // namespace
} // namespace ryv
