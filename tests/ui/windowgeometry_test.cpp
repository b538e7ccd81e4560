#include "ui/windowgeometry.h"

#include "core/inifile.h"
#include "ui/windowsettings.h"

#include <gtest/gtest.h>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}
QT_END_NAMESPACE

namespace ryv {
namespace {

const QRect WorkArea(0, 0, 1920, 1040);

TEST(PaneLayoutFor, SplitsAtNineSixteenthsOfTheWorkArea)
{
    struct Case {
        int window, work;
        bool two;
        int main;
    } cases[] = {
        { 1081, 1920, true, 640 }, { 1080, 1920, false, 640 }, { 2000, 1920, true, 640 },
        { 700, 1024, true, 341 }, // 1024/2 + 1024/16 = 576
        { 576, 1024, false, 341 },
        { 600, 800, true, 312 }, // a third of 800 is below the minimum width
    };
    for (const Case& c : cases) {
        const TPaneLayout l = PaneLayoutFor(c.window, c.work);
        EXPECT_EQ(l.twoPanes, c.two) << c.window << " on " << c.work;
        EXPECT_EQ(l.mainWidth, c.main) << c.window << " on " << c.work;
    }
}

// The main pane is as wide as its date heading needs; a window that leaves
// no room beside it for the secondary pane's buttons keeps one pane (a
// screen of 800 pixels, as 1600 at scale 2).
TEST(PaneLayoutFor, MainPaneFitsItsHeadingBesideTheSecondaryPane)
{
    struct Case {
        int window, minWidth;
        bool two;
        int main;
    } cases[] = {
        { 548, 548, false, 548 }, // the first window: wide enough for its date only
        { 800, 548, true, 548 },
        { 700, 548, false, 548 }, // 152 pixels left for 170 of buttons
        { 718, 548, true, 548 },
        { 600, 312, true, 312 },
    };
    for (const Case& c : cases) {
        const TPaneLayout l = PaneLayoutFor(c.window, 800, c.minWidth, 170);
        EXPECT_EQ(l.twoPanes, c.two) << c.window << " with " << c.minWidth;
        EXPECT_EQ(l.mainWidth, c.main) << c.window << " with " << c.minWidth;
    }
}

TEST(CompactEnterRect, KeepsTheEdgeNearerToTheWorkAreasBorder)
{
    struct Case {
        const char* name;
        QRect window;
        int compactWidth;
        QRect expected;
    } cases[] = {
        // Nearer the top: the top stays, the height shrinks.
        { "top", QRect(100, 100, 500, 600), 0, QRect(100, 100, 500, 103) },
        // Nearer the bottom: the bottom edge stays, the top moves down.
        { "bottom", QRect(100, 400, 500, 600), 0, QRect(100, 897, 500, 103) },
        // Two panes on the left half: narrowed to the main pane, left kept.
        { "two panes left", QRect(100, 100, 1200, 600), 644, QRect(100, 100, 644, 103) },
        // Two panes nearer the right edge: the right edge stays.
        { "two panes right", QRect(700, 100, 1200, 600), 644, QRect(1256, 100, 644, 103) },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompactEnterRect(c.window, c.window, WorkArea, 103, c.compactWidth), c.expected)
            << c.name;
    }
}

TEST(CompactEnterBounds, AMaximizedWindowStartsFromItsNormalBounds)
{
    const QRect maximized(0, 0, 1920, 1040);
    struct Case {
        const char* name;
        bool max;
        QRect geometry, normalGeometry;
        QRect normal, compact;
    } cases[] = {
        { "normal window", false, QRect(100, 100, 500, 600), QRect(100, 100, 500, 600),
            QRect(100, 100, 500, 600), QRect(100, 100, 500, 103) },
        { "no normal bounds reported", false, QRect(100, 100, 500, 600), QRect(),
            QRect(100, 100, 500, 600), QRect(100, 100, 500, 103) },
        // Not at the screen's corner, and one pane as the normal bounds have.
        { "maximized", true, maximized, QRect(300, 200, 600, 500), QRect(300, 200, 600, 500),
            QRect(300, 200, 600, 103) },
        { "maximized, normal bounds near the bottom", true, maximized, QRect(300, 500, 600, 500),
            QRect(300, 500, 600, 500), QRect(300, 897, 600, 103) },
        { "maximized, normal bounds of two panes near the right", true, maximized,
            QRect(700, 100, 1200, 600), QRect(700, 100, 1200, 600), QRect(1256, 100, 644, 103) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TCompactEntry entry
            = CompactEnterBounds(c.max, c.geometry, c.normalGeometry, WorkArea, 103);
        EXPECT_EQ(entry.normal, c.normal);
        EXPECT_EQ(entry.compact, c.compact);
    }
}

TEST(CompactLeaveRect, RestoresTheSizeWithinTheWorkArea)
{
    struct Case {
        const char* name;
        QRect current, normal, expected;
    } cases[] = {
        { "top", QRect(100, 100, 500, 103), QRect(100, 100, 500, 600), QRect(100, 100, 500, 600) },
        { "bottom", QRect(100, 897, 500, 103), QRect(100, 400, 500, 600),
            QRect(100, 400, 500, 600) },
        // Moved to the right while compact: pulled back to end at the edge.
        { "right edge", QRect(1600, 100, 300, 103), QRect(100, 100, 1200, 600),
            QRect(720, 100, 1200, 600) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompactLeaveRect(c.current, c.normal, WorkArea), c.expected) << c.name;
}

TEST(CompactMode, EnterThenLeaveGivesBackTheBounds)
{
    for (const QRect r : { QRect(100, 50, 600, 700), QRect(300, 380, 600, 650) }) {
        const QRect compact = CompactEnterRect(r, r, WorkArea, 103, 0);
        EXPECT_EQ(CompactLeaveRect(compact, r, WorkArea), r);
    }
}

TEST(BottomButtonsFit, HidesButtonsOnlyWhenAShownCaptionComesTooNear)
{
    struct Case {
        bool sel;
        int selLeft;
        bool task;
        int taskLeft;
        bool fit;
    } cases[] = {
        { false, 0, false, 0, true }, // only "Total:"
        { false, 0, true, 73, true }, // more than two buttons' width away
        { false, 0, true, 72, false }, // exactly two widths: too near
        { true, 200, false, 0, true },
        { true, 40, false, 0, false },
        { true, 40, true, 100, true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(BottomButtonsFit(c.sel, c.selLeft, c.task, c.taskLeft, 36), c.fit)
            << c.sel << c.selLeft << c.task << c.taskLeft;
}

TEST(DefaultPlacement, CentresAQuarterOfTheWorkArea)
{
    EXPECT_EQ(DefaultPlacement(WorkArea, 4, 560), QRect(716, 240, 488, 560));
    // A work area beside a panel on the left.
    EXPECT_EQ(DefaultPlacement(QRect(64, 0, 1856, 1080), 4, 560), QRect(756, 260, 472, 560));
    // Wider when the date heading needs it, but never wider than the work
    // area.
    EXPECT_EQ(DefaultPlacement(WorkArea, 4, 560, 700), QRect(610, 240, 700, 560));
    EXPECT_EQ(DefaultPlacement(WorkArea, 4, 560, 3000), QRect(0, 240, 1920, 560));
}

// QT_SCALE_FACTOR=2 on a screen of 1600 x 1000 pixels leaves a work area of
// 800 x 500 (logical) pixels, smaller than the window's design height: the
// window must still open with its title bar and every edge on the screen.
TEST(ClampToScreen, SmallScreenAtScaleTwo)
{
    const QRect screen(0, 0, 800, 500);
    const QRect first = DefaultPlacement(screen, 4, 560, 312);
    EXPECT_EQ(first, QRect(244, 0, 312, 500));
    EXPECT_TRUE(screen.contains(first));

    const struct {
        const char* name;
        QRect stored;
        QList<QRect> areas;
        QRect expected;
    } cases[] = {
        { "stored at scale one", QRect(600, 200, 624, 700), { screen }, QRect(176, 0, 624, 500) },
        { "title bar above the screen", QRect(100, -30, 312, 560), { screen },
            QRect(100, 0, 312, 500) },
        { "frame past the right edge", QRect(700, 100, 312, 300), { screen },
            QRect(488, 100, 312, 300) },
        // A second monitor right of it, with a panel at its top.
        { "on the second monitor", QRect(900, 10, 400, 900), { screen, QRect(800, 32, 1600, 968) },
            QRect(900, 32, 400, 900) },
        { "its monitor removed", QRect(900, 10, 400, 900), { screen }, QRect(200, 0, 400, 500) },
        { "mostly on the second", QRect(700, 100, 400, 300), { screen, QRect(800, 32, 1600, 968) },
            QRect(800, 100, 400, 300) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect placed = VisiblePlacement(c.stored, c.areas);
        EXPECT_EQ(placed, c.expected);
        bool within = false;
        for (const QRect& area : c.areas)
            within = within || area.contains(placed);
        EXPECT_TRUE(within);
    }
}

TEST(TwoPaneWidth, DoublesButShowsTheSecondaryPaneWholeWithinTheScreen)
{
    // 600 doubled shows two panes on 1920 pixels.
    EXPECT_EQ(TwoPaneWidth(600, 1920, 640, 400), 1200);
    // 408 doubled would not: at least what shows two panes.
    EXPECT_EQ(TwoPaneWidth(408, 1600, 533, 300), 901);
    // The secondary pane's heading needs more.
    EXPECT_EQ(TwoPaneWidth(408, 1600, 533, 600), 1133);
    // Never wider than the work area.
    EXPECT_EQ(TwoPaneWidth(900, 1600, 700, 1200), 1600);
}

TEST(VisiblePlacement, ClampsToTheScreenItLandsOn)
{
    const QList<QRect> twoScreens { WorkArea, QRect(1920, 0, 1280, 1000) };
    struct Case {
        const char* name;
        QRect stored;
        QList<QRect> areas;
        QRect expected;
    } cases[] = {
        { "on the screen", QRect(100, 100, 600, 500), { WorkArea }, QRect(100, 100, 600, 500) },
        { "on the second screen", QRect(2500, 300, 600, 500), twoScreens,
            QRect(2500, 300, 600, 500) },
        { "partly out", QRect(1700, 900, 600, 500), { WorkArea }, QRect(1320, 540, 600, 500) },
        { "on a screen that is gone", QRect(2500, 300, 600, 500), { WorkArea },
            QRect(660, 270, 600, 500) },
        { "left of every screen", QRect(-700, 100, 600, 500), twoScreens,
            QRect(660, 270, 600, 500) },
        { "only a sliver on the screen", QRect(1890, 100, 600, 500), { WorkArea },
            QRect(1320, 100, 600, 500) },
        { "below the screen", QRect(100, 1030, 600, 500), { WorkArea }, QRect(100, 540, 600, 500) },
        { "larger than the screen, gone", QRect(3000, 0, 2500, 1500), { WorkArea }, WorkArea },
        { "compact window on the screen", QRect(100, 100, 600, 103), { WorkArea },
            QRect(100, 100, 600, 103) },
        { "larger than the screen, on it", QRect(0, 0, 32767, 32767), { WorkArea }, WorkArea },
        { "larger than both screens", QRect(10, 10, 9000, 9000), twoScreens, WorkArea },
    };
    for (const Case& c : cases)
        EXPECT_EQ(VisiblePlacement(c.stored, c.areas), c.expected) << c.name;
}

// Bounds from a damaged or hand-edited settings file: nothing outside the
// screens survives, and no edge overflows on the way (the sanitizer build
// runs this too).
TEST(WindowPlacementFromSettings, HostileBoundsEndOnTheScreen)
{
    const QRect defaults(716, 240, 488, 560);
    const struct {
        const char* name;
        const char* keys;
        QRect expected;
    } cases[] = {
        { "huge sizes", "left=0\r\ntop=0\r\nwidth=2000000000\r\nheight=2000000000",
            QRect(0, 0, 488, 560) },
        { "huge position and size", "left=2000000000\r\ntop=2000000000\r\nwidth=2000000000",
            defaults },
        { "negative sizes", "left=100\r\ntop=100\r\nwidth=-600\r\nheight=-400",
            QRect(100, 100, 488, 560) },
        { "smallest int", "left=0x80000000\r\ntop=-2147483648\r\nwidth=600\r\nheight=500",
            QRect(716, 240, 600, 500) },
        { "beyond the desktop", "left=0\r\ntop=0\r\nwidth=30000\r\nheight=30000", WorkArea },
        { "far off to the left", "left=-30000\r\ntop=0\r\nwidth=600\r\nheight=500",
            QRect(660, 270, 600, 500) },
        { "not numbers", "left=abc\r\ntop=\r\nwidth=1e9\r\nheight=12px", defaults },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TIniFile ini;
        ini.SetText(QStringLiteral("[window]\r\nmax=0\r\n") + QString::fromLatin1(c.keys));
        const TWindowPlacement placement = ReadWindowPlacement(ini, defaults);
        EXPECT_EQ(VisiblePlacement(placement.bounds, { WorkArea }), c.expected);
    }
}

TEST(FittedDialogSize, AtLeastTheMinimumAtMostTheScreen)
{
    const QSize minimum(480, 320);
    const QSize screen(1920, 1040);
    EXPECT_FALSE(FittedDialogSize(QSize(0, 0), minimum, screen).isValid());
    EXPECT_FALSE(FittedDialogSize(QSize(600, 0), minimum, screen).isValid());
    EXPECT_EQ(FittedDialogSize(QSize(700, 500), minimum, screen), QSize(700, 500));
    EXPECT_EQ(FittedDialogSize(QSize(100, 100), minimum, screen), minimum);
    EXPECT_EQ(FittedDialogSize(QSize(32767, 32767), minimum, screen), screen);
    EXPECT_EQ(FittedDialogSize(QSize(32767, 400), minimum, QSize()), QSize(32767, 400));
}

} // namespace
} // namespace ryv
