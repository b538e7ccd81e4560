#include "ui/mainwindow.h"

#include "core/clock.h"
#include "core/daylist.h"
#include "core/inifile.h"
#include "core/listfiles.h"
#include "core/liststore.h"
#include "core/ports.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "core/textfile.h"
#include "platform/versioninfo.h"
#include "reports/pdfconverter.h"
#include "reports/reportcommands.h"
#include "reports/reportports.h"
#include "reports/reportwriter.h"
#include "tracking/tracker.h"
#include "tracking/trackerworld.h"
#include "ui/daylistdelegate.h"
#include "ui/daylistmodel.h"
#include "ui/daylistview.h"
#include "ui/drawhelpers.h"
#include "ui/favslistview.h"
#include "ui/icons.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace ryv {
namespace {

class FakeReportPorts final : public IFileSaveDialog,
                              public IBusyCursor,
                              public IGroupDialog,
                              public IProgramRunner {
public:
    QString GetSaveFileName(const TSaveDialogRequest&) override { return QString(); }
    void Begin() override { }
    void End() override { }
    bool EditGroup(const QString&, const QString&, const QString&, QString&, QString&) override
    {
        return false;
    }
    int RunAndWait(const QString&, const QStringList&, QString*) override { return -1; }
};

const QRect WorkArea(0, 0, 1920, 1040);

TDateTime At(int hour, int minute, int day = 10)
{
    return EncodeDateTime(2026, 12, day, hour, minute);
}

std::unique_ptr<TRyvItem> Entry(const QString& title, TDateTime start, TDateTime stop)
{
    auto e = std::make_unique<TRyvItem>();
    e->title = title;
    e->start = start;
    e->stop = stop;
    return e;
}

// Everything the entry point builds, in one temporary folder: the engine's
// world, the report commands and the window. A second TWorld on the same
// folder is the next start of the program.
class TWorld final : public TTrackerWorld {
public:
    explicit TWorld(const QString& folder)
        : TTrackerWorld(folder, At(10, 0))
    {
        QDir().mkpath(options.FolderData);
    }

    TfrmRyvTracker& Open(const QRect& workArea = WorkArea)
    {
        window = std::make_unique<TfrmRyvTracker>(TMainWindowParts {
            options, favs, recent, today, history, store, tracker, messages, &reports });
        window->SetWorkArea(workArea);
        window->FormCreate();
        window->show();
        QApplication::setActiveWindow(window.get());
        return *window;
    }

    FakeReportPorts reportPorts;
    TPdfConverter pdf { options.FolderPlugins, options.FolderData, reportPorts, nullptr };
    TReportWriter writer { options, clock, pdf };
    TReportCommands reports { options, clock, writer,
        TReportPorts { reportPorts, messages, shell, clipboard, reportPorts, reportPorts } };
    std::unique_ptr<TfrmRyvTracker> window;
};

void WriteFile(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(WriteTextFile(text, path, TTextEncoding::Utf8, true));
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QLatin1Char('/');
    }

    // Today: Alpha 08:00-09:00, Beta 09:00-09:30; yesterday: Hist 08:00-09:00;
    // one favourite.
    void WriteSampleData()
    {
        TRyvOptions options(folder);
        const auto alpha = Entry(QStringLiteral("Alpha"), At(8, 0), At(9, 0));
        const auto beta = Entry(QStringLiteral("Beta"), At(9, 0), At(9, 30));
        WriteFile(DayFilePath(options, 0), DayFileText({ alpha.get(), beta.get() }));
        const auto hist = Entry(QStringLiteral("Hist"), At(8, 0, 9), At(9, 0, 9));
        WriteFile(DayFilePath(options, At(0, 0, 9)), DayFileText({ hist.get() }));
        TRyvItemList favs;
        favs.AddOrUpdate(QStringLiteral("Fav"), QString(), QString());
        WriteFile(FavoritesFilePath(options), ListFileText(favs));
    }

    QTemporaryDir dir;
    QString folder;
};

// --- keys ----------------------------------------------------------------------

TEST_F(MainWindowTest, SharedKeysActOnTheListWithTheFocus)
{
    WriteSampleData();
    struct Case {
        const char* name;
        TListKind focus;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* dialogCaption; // nullptr: no dialog
        const char* startedTitle; // nullptr: nothing started
    } cases[] = {
        { "F2 on the favourites edits the favourite", TListKind::Favs, Qt::Key_F2, {}, "Edit item",
            nullptr },
        { "F2 on today's list edits the task", TListKind::Today, Qt::Key_F2, {}, "Edit task",
            nullptr },
        { "Enter on today's list edits the task", TListKind::Today, Qt::Key_Return, {}, "Edit task",
            nullptr },
        { "Enter on the favourites starts the favourite", TListKind::Favs, Qt::Key_Return, {},
            nullptr, "Fav" },
        { "Enter on the history starts from the entry", TListKind::History, Qt::Key_Enter,
            Qt::KeypadModifier, nullptr, "Hist" },
        { "Ctrl+Ins on today's list adds a task", TListKind::Today, Qt::Key_Insert,
            Qt::ControlModifier, "Add task", nullptr },
    };
    for (const Case& c : cases) {
        TWorld world(folder);
        TfrmRyvTracker& w = world.Open();
        w.resize(1200, 600);
        if (c.focus == TListKind::History)
            w.ShowSecondaryPanel(w.Action(QStringLiteral("acHistory")));
        QWidget* target = c.focus == TListKind::Favs ? static_cast<QWidget*>(w.lvFavs())
            : c.focus == TListKind::History          ? static_cast<QWidget*>(w.lvHistory())
                                                     : static_cast<QWidget*>(w.lvList());
        target->setFocus();
        if (c.focus == TListKind::Favs)
            w.lvFavs()->SelectOnlyRow(0);
        else if (c.focus == TListKind::History)
            w.lvHistory()->SelectOnlyRow(0);
        const int countBefore = world.today.Count();

        QTest::keyClick(target, c.key, c.mods);

        if (c.dialogCaption != nullptr)
            EXPECT_EQ(world.dialog.Captions(), QStringList { QString::fromUtf8(c.dialogCaption) })
                << c.name;
        else
            EXPECT_TRUE(world.dialog.Captions().isEmpty()) << c.name;
        if (c.startedTitle != nullptr) {
            // The task and the break since Beta ended.
            EXPECT_EQ(world.today.Count(), countBefore + 2) << c.name;
            EXPECT_EQ(world.today.Last()->title, QString::fromUtf8(c.startedTitle)) << c.name;
            EXPECT_TRUE(world.today.IsWorking()) << c.name;
        } else {
            EXPECT_EQ(world.today.Count(), countBefore) << c.name;
        }
    }
}

TEST_F(MainWindowTest, HourKeysBelongToTheHistoryOnlyWhileItHasTheFocus)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.resize(1200, 600);

    // Before the history list ever had the focus.
    w.lvList()->setFocus();
    w.lvList()->SelectOnlyRow(0);
    QTest::keyClick(w.lvList(), Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(world.today.Item(0)->start, At(7, 0));

    w.ShowSecondaryPanel(w.Action(QStringLiteral("acHistory")));
    w.lvHistory()->setFocus();
    w.lvHistory()->SelectOnlyRow(0);
    QTest::keyClick(w.lvHistory(), Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(world.history.Item(0)->start, At(7, 0, 9));
    EXPECT_DOUBLE_EQ(world.today.Item(0)->start, At(7, 0));

    // Back on today's list the keys are today's again.
    w.lvList()->setFocus();
    QTest::keyClick(w.lvList(), Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(world.today.Item(0)->start, At(8, 0));
    EXPECT_DOUBLE_EQ(world.history.Item(0)->start, At(7, 0, 9));
}

TEST_F(MainWindowTest, KeysNoEnabledCommandTakesGoToTheFocusedControl)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.lvList()->setFocus();
    w.lvList()->SelectOnlyRow(0);

    // Backspace is Stop, disabled while idle; Down is no command at all.
    EXPECT_FALSE(w.HandleKey(QKeyCombination(Qt::Key_Backspace)));
    QTest::keyClick(w.lvList(), Qt::Key_Down);
    EXPECT_EQ(world.today.Focused(), 1);
    EXPECT_EQ(world.today.Selected(), QList<int> { 1 });

    // Enabled rules follow the state: Stop becomes available once working.
    w.UpdateActions();
    EXPECT_FALSE(w.Action(QStringLiteral("acStop"))->isEnabled());
    // A stale enabled state does not let a command run: the rule is asked
    // again at that moment.
    w.Action(QStringLiteral("acStop"))->setEnabled(true);
    EXPECT_FALSE(w.RunAction(w.Action(QStringLiteral("acStop"))));
    EXPECT_FALSE(w.Action(QStringLiteral("acStop"))->isEnabled());
    QTest::keyClick(w.lvList(), Qt::Key_Insert);
    w.UpdateActions();
    EXPECT_TRUE(w.Action(QStringLiteral("acStop"))->isEnabled());
    EXPECT_TRUE(w.HandleKey(QKeyCombination(Qt::Key_Backspace)));
    EXPECT_FALSE(world.today.IsWorking());
}

TEST_F(MainWindowTest, CopyToClipboardTakesTheHistoryDayOnlyWhileItHasTheFocus)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.resize(1200, 600);
    w.ShowSecondaryPanel(w.Action(QStringLiteral("acHistory")));

    w.lvList()->setFocus();
    QTest::keyClick(w.lvList(), Qt::Key_C, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(world.clipboard.text.contains(QStringLiteral("Alpha")));
    EXPECT_FALSE(world.clipboard.text.contains(QStringLiteral("Hist")));

    w.lvHistory()->setFocus();
    QTest::keyClick(w.lvHistory(), Qt::Key_C, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(world.clipboard.text.contains(QStringLiteral("Hist")));
    EXPECT_FALSE(world.clipboard.text.contains(QStringLiteral("Alpha")));
}

TEST_F(MainWindowTest, EscapeClosesTheOpenCalendarBeforeTheWindow)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.resize(1200, 600);
    w.ShowSecondaryPanel(w.Action(QStringLiteral("acHistory")));
    QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("lbSecondary")), Qt::LeftButton);
    ASSERT_TRUE(w.calHistory()->isVisible());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w.calHistory()->isVisible());
    EXPECT_TRUE(w.isVisible());

    w.lvList()->setFocus();
    QTest::keyClick(w.lvList(), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

// --- panes, panels and modes ------------------------------------------------------

TEST_F(MainWindowTest, WindowWidthDecidesBetweenOneAndTwoPanes)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.resize(1081, 600);
    EXPECT_TRUE(w.TwoPanes());
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("pMain"))->width(), 640);
    w.resize(1080, 600);
    EXPECT_FALSE(w.TwoPanes());
}

TEST_F(MainWindowTest, ChoosingAPanelInOnePaneDoublesTheWidth)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.setGeometry(100, 100, 600, 500);
    ASSERT_FALSE(w.TwoPanes());

    w.ShowSecondaryPanel(w.Action(QStringLiteral("acHistory")));
    EXPECT_EQ(w.width(), 1200);
    EXPECT_TRUE(w.TwoPanes());
    EXPECT_EQ(w.ShownPanel(), TSecondaryPanel::History);
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("pBottom2"))->isHidden());
    EXPECT_EQ(world.history.Count(), 1);

    w.ShowSecondaryPanel(w.Action(QStringLiteral("acReports")));
    EXPECT_TRUE(w.findChild<QWidget*>(QStringLiteral("pBottom2"))->isHidden());
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("pReports"))->isHidden());
    EXPECT_TRUE(w.findChild<QWidget*>(QStringLiteral("pHistory"))->isHidden());
}

TEST_F(MainWindowTest, CompactModeKeepsTheNearerEdgeAndRestoresTheBounds)
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
        w.RunAction(w.Action(QStringLiteral("acCompactMode")));
        EXPECT_TRUE(w.IsCompact()) << c.name;
        EXPECT_EQ(w.geometry(), c.compact) << c.name;
        EXPECT_FALSE(w.TwoPanes()) << c.name;
        w.RunAction(w.Action(QStringLiteral("acCompactMode")));
        EXPECT_FALSE(w.IsCompact()) << c.name;
        EXPECT_EQ(w.geometry(), c.restored) << c.name;
    }
}

TEST_F(MainWindowTest, CompactModeOfAMaximizedWindowMaximizesItAgainOnLeaving)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    const QRect normal(300, 200, 600, 500);
    w.setGeometry(normal);
    w.showMaximized();
    ASSERT_TRUE(w.isMaximized());

    w.RunAction(w.Action(QStringLiteral("acCompactMode")));
    EXPECT_FALSE(w.isMaximized());
    EXPECT_EQ(w.geometry(), QRect(300, 200, 600, 103));
    // Closed now, the settings would keep the bounds from before and max.
    const TWindowPlacement placement = w.Placement();
    EXPECT_TRUE(placement.max);
    EXPECT_TRUE(placement.compact);
    EXPECT_EQ(placement.bounds, normal);

    w.RunAction(w.Action(QStringLiteral("acCompactMode")));
    EXPECT_TRUE(w.isMaximized());
}

TEST_F(MainWindowTest, ChoosingAPanelLeavesCompactMode)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.setGeometry(100, 100, 1200, 600);
    w.RunAction(w.Action(QStringLiteral("acCompactMode")));
    ASSERT_FALSE(w.TwoPanes());
    w.ShowSecondaryPanel(w.Action(QStringLiteral("acReports")));
    EXPECT_FALSE(w.IsCompact());
    EXPECT_EQ(w.geometry(), QRect(100, 100, 1200, 600));
    EXPECT_TRUE(w.TwoPanes());
    EXPECT_EQ(w.ShownPanel(), TSecondaryPanel::Reports);
}

// Each call builds a new icon object, so icons are compared by what they draw.
bool ShowsImage(const QToolButton* button, TRyvIcon id)
{
    return IconToPng(button->icon(), QSize(32, 32)) == IconToPng(RyvIcon(id), QSize(32, 32));
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
    auto run = [&w](const char* name) {
        return [&w, name] { w.RunAction(w.Action(QLatin1String(name))); };
    };
    struct Step {
        const char* name;
        std::function<void()> act;
        TRyvIcon start, stop, compact;
    } steps[] = {
        { "idle", [] {}, TRyvIcon::Start, TRyvIcon::StopIdle, TRyvIcon::Compact },
        { "working", run("acStart"), TRyvIcon::StartSwitch, TRyvIcon::Stop, TRyvIcon::Compact },
        { "compact", run("acCompactMode"), TRyvIcon::StartSwitch, TRyvIcon::Stop,
            TRyvIcon::CompactLeave },
        { "stopped", run("acStop"), TRyvIcon::Start, TRyvIcon::StopIdle, TRyvIcon::CompactLeave },
        { "started by toggle", run("acToggleStartStop"), TRyvIcon::StartSwitch, TRyvIcon::Stop,
            TRyvIcon::CompactLeave },
        { "compact left", run("acCompactMode"), TRyvIcon::StartSwitch, TRyvIcon::Stop,
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
    w.ShowSecondaryPanel(w.Action(QStringLiteral("acHistory")));
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
    w.RunAction(w.Action(QStringLiteral("acCompactMode")));
    EXPECT_FALSE(w.FormMouseWheel(TListKind::Today, -120));
}

TEST_F(MainWindowTest, ClickIntoAnEmptyTodaysListStartsATask)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    ASSERT_TRUE(world.today.IsEmpty());
    QTest::mouseClick(w.lvList()->viewport(), Qt::LeftButton);
    EXPECT_EQ(world.today.Count(), 1);
    EXPECT_TRUE(world.today.IsWorking());
    EXPECT_EQ(world.dialog.Captions(), QStringList { QStringLiteral("Start a new task") });
}

// --- mouse ------------------------------------------------------------------------

QPoint RowCentre(TDayListView* view, int row, int column = TDayListModel::colTask)
{
    return view->visualRect(view->model()->index(row, column)).center();
}

TEST_F(MainWindowTest, ClicksOnTheDoneMarkAndDoubleClicksOnRows)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    TDayListView* list = w.lvList();
    const QPoint mark = TDayListDelegate::DoneMarkRect(
        list->visualRect(list->model()->index(0, TDayListModel::colTime)))
                            .center();

    // Over the done-mark area the pointer becomes the hand.
    QTest::mouseMove(list->viewport(), mark);
    EXPECT_EQ(list->viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(list->viewport(), RowCentre(list, 0));
    EXPECT_EQ(list->viewport()->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, mark);
    EXPECT_EQ(world.today.Item(0)->state, ryvsDone);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, mark);
    EXPECT_EQ(world.today.Item(0)->state, ryvsNone);
    // A click elsewhere in the row only selects it.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 1));
    EXPECT_EQ(world.today.Item(1)->state, ryvsNone);
    EXPECT_EQ(world.today.Selected(), QList<int> { 1 });
    EXPECT_TRUE(world.dialog.Captions().isEmpty());

    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 1));
    EXPECT_EQ(world.dialog.Captions(), QStringList { QStringLiteral("Edit task") });
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

TEST_F(MainWindowTest, DragsGoThroughTheEnginesRules)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.resize(1200, 600);
    w.lvList()->setFocus();
    w.lvList()->SelectOnlyRow(0);

    // Onto the favourites only from today's list.
    EXPECT_TRUE(w.lvFavs()->dragHooks.canDrop(TListKind::Today));
    EXPECT_FALSE(w.lvFavs()->dragHooks.canDrop(TListKind::History));
    w.lvFavs()->dragHooks.drop(TListKind::Today);
    EXPECT_GE(world.favs.FindItem(QStringLiteral("Alpha"), QString()), 0);

    // A favourite dropped onto today's list starts at once.
    w.lvFavs()->setFocus();
    w.lvFavs()->SelectOnlyRow(world.favs.FindItem(QStringLiteral("Fav"), QString()));
    ASSERT_TRUE(w.lvList()->dragHooks.canDrop(TListKind::Favs));
    w.lvList()->dragHooks.drop(TListKind::Favs);
    EXPECT_EQ(world.today.Last()->title, QStringLiteral("Fav"));
    EXPECT_TRUE(world.today.IsWorking());
    EXPECT_TRUE(world.dialog.Captions().isEmpty());
}

TEST_F(MainWindowTest, TaskTotalOpensTheLinkOnlyWhenTheTaskHasOne)
{
    TRyvOptions options(folder);
    auto first = Entry(QStringLiteral("Report"), At(8, 0), At(9, 0));
    auto second = Entry(QStringLiteral("Report"), At(9, 0), At(9, 30));
    auto other = Entry(QStringLiteral("Mail"), At(9, 30), At(9, 40));
    auto mail = Entry(QStringLiteral("Mail"), At(9, 40), At(9, 50));
    first->url = second->url = QStringLiteral("https://example.org/report");
    WriteFile(DayFilePath(options, 0),
        DayFileText({ first.get(), second.get(), other.get(), mail.get() }));
    TWorld world(folder);
    world.options.SpendToClipboard = TSpendToClipboard::Disabled;
    TfrmRyvTracker& w = world.Open();
    auto* caption = w.findChild<QLabel*>(QStringLiteral("lbTotTaskCap"));

    w.lvList()->SelectOnlyRow(3); // Mail: a task total, but no link
    w.UpdateActions();
    ASSERT_TRUE(caption->isVisibleTo(&w));
    QTest::mouseClick(caption, Qt::LeftButton);
    EXPECT_TRUE(world.shell.opened.isEmpty());

    w.lvList()->SelectOnlyRow(1);
    w.UpdateActions();
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lbTotalTask"))->text(), QStringLiteral("1:30"));
    QTest::mouseClick(caption, Qt::LeftButton);
    EXPECT_EQ(world.shell.opened, QStringList { QStringLiteral("https://example.org/report") });
}

TEST_F(MainWindowTest, SettingsMenuShowsAndTogglesTheOptions)
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

// --- settings, start-up, closing ------------------------------------------------

TEST_F(MainWindowTest, FirstStartCentresAQuarterOfTheWorkArea)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    EXPECT_EQ(w.geometry(), QRect(716, 240, 488, 560));
    EXPECT_TRUE(w.cbRepDaily()->isChecked());
    EXPECT_FALSE(w.cbRepGroups()->isChecked());
    EXPECT_FALSE(w.IsPinned());
}

TEST_F(MainWindowTest, StoredBoundsCountOnlyWithTheMaxKey)
{
    TRyvOptions options(folder);
    WriteFile(options.SettingsFilePath(),
        QStringLiteral("[window]\r\nleft=5\r\ntop=6\r\nwidth=900\r\nheight=700\r\n"));
    {
        TWorld world(folder);
        EXPECT_EQ(world.Open().geometry(), QRect(716, 240, 488, 560));
    }
    WriteFile(options.SettingsFilePath(),
        QStringLiteral("[window]\r\nmax=0\r\nleft=5\r\ntop=6\r\nwidth=900\r\nheight=700\r\n"));
    TWorld world(folder);
    EXPECT_EQ(world.Open().geometry(), QRect(5, 6, 900, 700));
}

TEST_F(MainWindowTest, StoredBoundsOffEveryScreenAreCentredInstead)
{
    TRyvOptions options(folder);
    WriteFile(options.SettingsFilePath(),
        QStringLiteral("[window]\r\nmax=0\r\nleft=2500\r\ntop=300\r\nwidth=600\r\n"
                       "height=500\r\n"));
    TWorld world(folder);
    EXPECT_EQ(world.Open().geometry(), QRect(660, 270, 600, 500));
}

TEST_F(MainWindowTest, SettingsRoundTripKeepsPlacementModesAndReportBoxes)
{
    const QRect bounds(200, 150, 700, 500);
    {
        TWorld world(folder);
        TfrmRyvTracker& w = world.Open();
        w.setGeometry(bounds);
        w.RunAction(w.Action(QStringLiteral("acPinToTop")));
        w.RunAction(w.Action(QStringLiteral("acCompactMode")));
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
    EXPECT_TRUE(w.IsCompact());
    EXPECT_TRUE(w.IsPinned());
    ASSERT_NE(w.windowHandle(), nullptr);
    EXPECT_TRUE(w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w.CompactRect(), bounds);
    EXPECT_EQ(w.geometry(), QRect(200, 150, 700, 103));
    EXPECT_FALSE(w.cbRepDaily()->isChecked());
    EXPECT_TRUE(w.cbRepGroups()->isChecked());
    w.RunAction(w.Action(QStringLiteral("acCompactMode")));
    EXPECT_EQ(w.geometry(), bounds);
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
        w.ShowSecondaryPanel(w.Action(QStringLiteral("acHistory")));
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
    const std::optional<QString> day = ReadTextFile(DayFilePath(options, At(0, 0, 9)));
    ASSERT_TRUE(day.has_value());
    EXPECT_TRUE(day->contains(QStringLiteral("\r\n0;1;"))) << day->toStdString();
    EXPECT_EQ(world.recent.Count(), 1);
}

TEST(MainWindowAbout, ShowsVersionEmptyLineAndCopyright)
{
    EXPECT_EQ(TfrmRyvTracker::AboutText(),
        QStringLiteral("Version: 1.0.0\r\n\r\n") + TVersionInfo::ProgramCopyright());
}

} // namespace
} // namespace ryv
