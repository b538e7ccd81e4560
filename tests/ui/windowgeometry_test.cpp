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
}

TEST(VisiblePlacement, MovesOnlyBoundsThatCannotBeSeen)
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
        { "partly out, header reachable", QRect(1700, 900, 600, 500), { WorkArea },
            QRect(1700, 900, 600, 500) },
        { "on a screen that is gone", QRect(2500, 300, 600, 500), { WorkArea },
            QRect(660, 270, 600, 500) },
        { "left of every screen", QRect(-700, 100, 600, 500), twoScreens,
            QRect(660, 270, 600, 500) },
        { "only a sliver on the screen", QRect(1890, 100, 600, 500), { WorkArea },
            QRect(660, 270, 600, 500) },
        { "below the screen", QRect(100, 1030, 600, 500), { WorkArea }, QRect(660, 270, 600, 500) },
        { "larger than the screen, gone", QRect(3000, 0, 2500, 1500), { WorkArea }, WorkArea },
        { "compact window on the screen", QRect(100, 100, 600, 103), { WorkArea },
            QRect(100, 100, 600, 103) },
        { "larger than the screen, on it", QRect(0, 0, 32767, 32767), { WorkArea }, WorkArea },
        { "larger than both screens", QRect(10, 10, 9000, 9000), twoScreens,
            QRect(10, 10, 3200, 1040) },
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
