#include "ui/reportspanel.h"

#include "core/inifile.h"
#include "windowtestworld.h"

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

namespace ryv {
namespace {

using namespace windowtest;

class ReportsPanelTest : public TWindowTest { };

TEST_F(ReportsPanelTest, ChartsBoxSetsTheOptionAndIsKeptInTheSettings)
{
    {
        TWorld world(folder);
        TfrmRyvTracker& w = world.Open();
        w.resize(1200, 600);
        w.ShowSecondaryPanel(TSecondaryPanel::Reports);
        auto* charts = w.findChild<QCheckBox*>(QStringLiteral("cbCharts"));
        ASSERT_NE(charts, nullptr);
        // The blank keeps the text as far from the box as the other two.
        EXPECT_EQ(charts->text(), QStringLiteral(" Charts"));
        // Off on a first start, so reports keep their plain form.
        EXPECT_FALSE(charts->isChecked());
        EXPECT_FALSE(world.options.ReportCharts);
        // Below the other two boxes, laid out like them.
        const QCheckBox* daily = w.cbRepDaily();
        const QCheckBox* groups = w.cbRepGroups();
        EXPECT_TRUE(charts->isVisible());
        EXPECT_EQ(charts->parentWidget(), groups->parentWidget());
        EXPECT_EQ(charts->x(), groups->x());
        EXPECT_EQ(charts->height(), groups->height());
        const int gap = groups->y() - (daily->y() + daily->height());
        EXPECT_EQ(charts->y(), groups->y() + groups->height() + gap);

        QStyleOptionButton option;
        option.initFrom(charts);
        const QRect box
            = charts->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, charts);
        QTest::mouseClick(charts, Qt::LeftButton, {}, box.center());
        EXPECT_TRUE(charts->isChecked());
        EXPECT_TRUE(world.options.ReportCharts);
        w.close();
    }
    TIniFile ini(TRyvOptions(folder).SettingsFilePath());
    ASSERT_TRUE(ini.Load());
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("misc"), QStringLiteral("repCharts"), false));

    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    auto* charts = w.findChild<QCheckBox*>(QStringLiteral("cbCharts"));
    EXPECT_TRUE(world.options.ReportCharts);
    EXPECT_TRUE(charts->isChecked());
    charts->setChecked(false);
    EXPECT_FALSE(world.options.ReportCharts);
}

} // namespace
} // namespace ryv
