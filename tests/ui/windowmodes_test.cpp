#include "ui/windowmodes.h"

#include "core/inifile.h"
#include "ui/clicklabel.h"
#include "ui/daylistview.h"
#include "ui/windowgeometry.h"
#include "windowtestworld.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace ryv {
namespace {

using namespace windowtest;

class WindowModesTest : public TWindowTest { };

TEST_F(WindowModesTest, WindowWidthDecidesBetweenOneAndTwoPanes)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.resize(1081, 600);
    EXPECT_TRUE(w.Modes().TwoPanes());
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("pMain"))->width(), 640);
    w.resize(1080, 600);
    EXPECT_FALSE(w.Modes().TwoPanes());
}

TEST_F(WindowModesTest, ChoosingAPanelInOnePaneDoublesTheWidth)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.setGeometry(100, 100, 600, 500);
    ASSERT_FALSE(w.Modes().TwoPanes());

    w.ShowSecondaryPanel(TSecondaryPanel::History);
    EXPECT_EQ(w.width(), 1200);
    EXPECT_TRUE(w.Modes().TwoPanes());
    EXPECT_EQ(w.ShownPanel(), TSecondaryPanel::History);
    EXPECT_TRUE(w.findChild<QWidget*>(QStringLiteral("pBottom2"))->isVisible());
    EXPECT_EQ(world.history.Count(), 1);

    w.ShowSecondaryPanel(TSecondaryPanel::Reports);
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("pBottom2"))->isVisible());
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("pReports"))->isHidden());
    EXPECT_TRUE(w.findChild<QWidget*>(QStringLiteral("pHistory"))->isHidden());
}

TEST_F(WindowModesTest, CompactModeKeepsTheNearerEdgeAndRestoresTheBounds)
{
    struct Case {
        const char* name;
        QRect window, compact, restored;
    } cases[] = {
        { "near the top", QRect(100, 100, 600, 600), QRect(100, 100, 600, 103),
            QRect(100, 100, 600, 600) },
        { "near the bottom", QRect(100, 400, 600, 600), QRect(100, 897, 600, 103),
            QRect(100, 400, 600, 600) },
        // The narrowed window kept its right edge; widened again from its
        // left edge it would pass the work area, so it ends at the edge.
        { "two panes near the right", QRect(700, 100, 1200, 600), QRect(1256, 100, 644, 103),
            QRect(720, 100, 1200, 600) },
    };
    for (const Case& c : cases) {
        TWorld world(folder);
        TfrmRyvTracker& w = world.Open();
        w.setGeometry(c.window);
        w.RunAction(w.Action(TWindowCommand::acCompactMode));
        EXPECT_TRUE(w.Modes().IsCompact()) << c.name;
        EXPECT_EQ(w.geometry(), c.compact) << c.name;
        EXPECT_FALSE(w.Modes().TwoPanes()) << c.name;
        w.RunAction(w.Action(TWindowCommand::acCompactMode));
        EXPECT_FALSE(w.Modes().IsCompact()) << c.name;
        EXPECT_EQ(w.geometry(), c.restored) << c.name;
    }
}

TEST_F(WindowModesTest, CompactModeOfAMaximizedWindowMaximizesItAgainOnLeaving)
{
    struct Case {
        const char* name;
        QRect normal, compact;
    } cases[] = {
        { "one pane", QRect(300, 200, 600, 500), QRect(300, 200, 600, 103) },
        { "two panes near the right", QRect(700, 100, 1200, 600), QRect(1256, 100, 644, 103) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TWorld world(folder);
        TfrmRyvTracker& w = world.Open();
        w.setGeometry(c.normal);
        w.showMaximized();
        ASSERT_TRUE(w.isMaximized());

        // Compact mode follows once the window has been restored.
        w.RunAction(w.Action(TWindowCommand::acCompactMode));
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.geometry() == c.compact; }));
        EXPECT_FALSE(w.isMaximized());
        EXPECT_EQ(w.geometry(), c.compact);
        // Closed now, the settings would keep the bounds from before and max.
        const TWindowPlacement placement = w.Modes().Placement();
        EXPECT_TRUE(placement.max);
        EXPECT_TRUE(placement.compact);
        EXPECT_EQ(placement.bounds, c.normal);

        w.RunAction(w.Action(TWindowCommand::acCompactMode));
        EXPECT_TRUE(w.isMaximized());
        EXPECT_EQ(w.normalGeometry(), c.normal);
        w.showNormal();
        EXPECT_EQ(w.geometry(), c.normal);
    }
}

// Compact mode only cuts today's list off: it keeps the focus and the
// selection, and each key of today's list does there what it does in the
// full window.
TEST_F(WindowModesTest, CompactModeKeepsTodaysListCommands)
{
    TRyvOptions options(folder);
    const auto alpha = Entry(QStringLiteral("Alpha"), At(7, 0), At(9, 0));
    const auto gamma = Entry(QStringLiteral("Gamma"), At(9, 0), At(9, 30));
    auto beta = Entry(QStringLiteral("Beta"), At(9, 30), 0);
    beta->url = QStringLiteral("https://example.org/beta");
    WriteFile(DayFilePath(options, 0), DayFileText({ alpha.get(), gamma.get() }, beta.get()));

    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int row = 2; // the running task
    } cases[] = {
        { "Ctrl+Ins adds", Qt::Key_Insert, Qt::ControlModifier },
        { "F2 edits", Qt::Key_F2, {} },
        { "Enter edits", Qt::Key_Return, {} },
        { "Ctrl+Enter edits", Qt::Key_Return, Qt::ControlModifier },
        { "Ctrl+Space marks done", Qt::Key_Space, Qt::ControlModifier },
        { "Shift+Enter opens the link", Qt::Key_Return, Qt::ShiftModifier },
        { "F3 opens the link", Qt::Key_F3, {} },
        { "Ctrl+Up starts earlier", Qt::Key_Up, Qt::ControlModifier },
        { "Ctrl+Down starts later", Qt::Key_Down, Qt::ControlModifier },
        { "Shift+Ctrl+C copies", Qt::Key_C, Qt::ShiftModifier | Qt::ControlModifier },
        { "Ctrl+Del deletes", Qt::Key_Delete, Qt::ControlModifier, 0 },
        { "Shift+Ctrl+Up starts an hour earlier", Qt::Key_Up,
            Qt::ShiftModifier | Qt::ControlModifier, 0 },
        { "Shift+Ctrl+Down starts an hour later", Qt::Key_Down,
            Qt::ShiftModifier | Qt::ControlModifier, 0 },
        { "Ctrl+Left shortens", Qt::Key_Left, Qt::ControlModifier, 0 },
        { "Ctrl+Right extends", Qt::Key_Right, Qt::ControlModifier, 0 },
        { "Ctrl+Alt+Up moves up", Qt::Key_Up, Qt::ControlModifier | Qt::AltModifier, 1 },
        { "Ctrl+Alt+Down moves down", Qt::Key_Down, Qt::ControlModifier | Qt::AltModifier, 0 },
    };
    // What a key did: the day's entries, the dialogs, the links opened and
    // the clipboard.
    auto outcome = [](const TWorld& world) {
        QStringList rows;
        for (int i = 0; i < world.today.Count(); ++i) {
            const TRyvItem& e = *world.today.Item(i);
            rows.append(
                QStringLiteral("%1 %2 %3-%4 %5")
                    .arg(e.title)
                    .arg(static_cast<int>(e.state))
                    .arg(e.start, 0, 'f', 6)
                    .arg(e.stop, 0, 'f', 6)
                    .arg(world.today.Selected().contains(i) ? QStringLiteral("*") : QString()));
        }
        return rows.join(u'|') + u'#' + world.dialog.Captions().join(u',') + u'#'
            + world.shell.opened.join(u',') + u'#' + world.clipboard.text;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString before[2];
        QString after[2];
        for (const bool compact : { false, true }) {
            TWorld world(folder);
            TfrmRyvTracker& w = world.Open();
            w.setGeometry(100, 100, 600, 600);
            ASSERT_TRUE(world.today.IsWorking());
            w.lvList()->setFocus();
            w.lvList()->SelectOnlyRow(c.row);
            if (compact) {
                w.RunAction(w.Action(TWindowCommand::acCompactMode));
                ASSERT_TRUE(w.Modes().IsCompact());
                EXPECT_EQ(w.height(), 103);
            }
            ASSERT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(w.lvList()));
            ASSERT_EQ(world.today.Selected(), QList<int> { c.row });
            before[compact] = outcome(world);

            QTest::keyClick(QApplication::focusWidget(), c.key, c.mods);
            after[compact] = outcome(world);
        }
        EXPECT_EQ(before[true], before[false]);
        EXPECT_NE(after[false], before[false]) << "the key does nothing in the full window";
        EXPECT_EQ(after[true], after[false]);
    }
}

TEST_F(WindowModesTest, ChoosingAPanelLeavesCompactMode)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.setGeometry(100, 100, 1200, 600);
    w.RunAction(w.Action(TWindowCommand::acCompactMode));
    ASSERT_FALSE(w.Modes().TwoPanes());
    w.ShowSecondaryPanel(TSecondaryPanel::Reports);
    EXPECT_FALSE(w.Modes().IsCompact());
    EXPECT_EQ(w.geometry(), QRect(100, 100, 1200, 600));
    EXPECT_TRUE(w.Modes().TwoPanes());
    EXPECT_EQ(w.ShownPanel(), TSecondaryPanel::Reports);
}

// A quarter of the work area, or wider for the date heading: centred.
QRect FirstPlacement(const TfrmRyvTracker& w)
{
    const auto* today = w.findChild<TClickLabel*>(u"lbToday"_qs);
    EXPECT_EQ(today->text(), today->FullText());
    const int width = w.width();
    EXPECT_GE(width, 488);
    return DefaultPlacement(WorkArea, 4, 560, width);
}

TEST_F(WindowModesTest, FirstStartCentresAQuarterOfTheWorkArea)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    EXPECT_EQ(w.geometry(), FirstPlacement(w));
    EXPECT_TRUE(w.cbRepDaily()->isChecked());
    EXPECT_FALSE(w.cbRepGroups()->isChecked());
    EXPECT_FALSE(w.Modes().IsPinned());
}

TEST_F(WindowModesTest, StoredBoundsCountOnlyWithTheMaxKey)
{
    TRyvOptions options(folder);
    WriteFile(options.SettingsFilePath(),
        QStringLiteral("[window]\r\nleft=5\r\ntop=6\r\nwidth=900\r\nheight=700\r\n"));
    {
        TWorld world(folder);
        TfrmRyvTracker& w = world.Open();
        EXPECT_EQ(w.geometry(), FirstPlacement(w));
    }
    WriteFile(options.SettingsFilePath(),
        QStringLiteral("[window]\r\nmax=0\r\nleft=5\r\ntop=6\r\nwidth=900\r\nheight=700\r\n"));
    TWorld world(folder);
    EXPECT_EQ(world.Open().geometry(), QRect(5, 6, 900, 700));
}

TEST_F(WindowModesTest, StoredBoundsOffEveryScreenAreCentredInstead)
{
    TRyvOptions options(folder);
    WriteFile(options.SettingsFilePath(),
        QStringLiteral("[window]\r\nmax=0\r\nleft=2500\r\ntop=300\r\nwidth=600\r\n"
                       "height=500\r\n"));
    TWorld world(folder);
    EXPECT_EQ(world.Open().geometry(), QRect(660, 270, 600, 500));
}

TEST_F(WindowModesTest, SettingsRoundTripKeepsPlacementModesAndReportBoxes)
{
    const QRect bounds(200, 150, 700, 500);
    {
        TWorld world(folder);
        TfrmRyvTracker& w = world.Open();
        w.setGeometry(bounds);
        w.RunAction(w.Action(TWindowCommand::acPinToTop));
        w.RunAction(w.Action(TWindowCommand::acCompactMode));
        w.cbRepDaily()->setChecked(false);
        w.cbRepGroups()->setChecked(true);
        w.close();
    }
    TIniFile ini(TRyvOptions(folder).SettingsFilePath());
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("window"), QStringLiteral("left"), -1), 200);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("window"), QStringLiteral("height"), -1), 500);
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("window"), QStringLiteral("compact"), false));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("window"), QStringLiteral("pinned"), false));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("misc"), QStringLiteral("repDaily"), true));

    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    EXPECT_TRUE(w.Modes().IsCompact());
    EXPECT_TRUE(w.Modes().IsPinned());
    ASSERT_NE(w.windowHandle(), nullptr);
    EXPECT_TRUE(w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w.Modes().CompactRect(), bounds);
    EXPECT_EQ(w.geometry(), QRect(200, 150, 700, 103));
    EXPECT_FALSE(w.cbRepDaily()->isChecked());
    EXPECT_TRUE(w.cbRepGroups()->isChecked());
    w.RunAction(w.Action(TWindowCommand::acCompactMode));
    EXPECT_EQ(w.geometry(), bounds);
}

} // namespace
} // namespace ryv
