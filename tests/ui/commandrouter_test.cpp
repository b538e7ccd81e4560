#include "ui/commandrouter.h"

#include "core/daylist.h"
#include "ui/daylistdelegate.h"
#include "ui/daylistmodel.h"
#include "ui/daylistview.h"
#include "ui/favslistview.h"
#include "windowtestworld.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace ryv {
namespace {

using namespace windowtest;

class CommandRouterTest : public TWindowTest { };

QPoint RowCentre(TDayListView* view, int row, int column = TDayListModel::colTask)
{
    return view->visualRect(view->model()->index(row, column)).center();
}

// Language files address the window's components by these names.
TEST_F(CommandRouterTest, EveryCommandHasItsActionUnderItsName)
{
    const std::pair<TActionId, const char*> expected[] = {
        { TCommand::acStart, "acStart" },
        { TCommand::acStop, "acStop" },
        { TCommand::acToggleStartStop, "acToggleStartStop" },
        { TWindowCommand::acClose, "acClose" },
        { TCommand::acAdd, "acAdd" },
        { TCommand::acEdit, "acEdit" },
        { TCommand::acDelete, "acDelete" },
        { TCommand::acClear, "acClear" },
        { TCommand::acTaskDone, "acTaskDone" },
        { TCommand::acMoveBack, "acMoveBack" },
        { TCommand::acMoveForw, "acMoveForw" },
        { TCommand::acShortenTime, "acShortenTime" },
        { TCommand::acExtendTime, "acExtendTime" },
        { TCommand::acOpenURL, "acOpenURL" },
        { TCommand::acMoveUp, "acMoveUp" },
        { TCommand::acMoveDn, "acMoveDn" },
        { TWindowCommand::acPinToTop, "acPinToTop" },
        { TWindowCommand::acCompactMode, "acCompactMode" },
        { TWindowCommand::acExport, "acExport" },
        { TWindowCommand::acCopyToClipboard, "acCopyToClipboard" },
        { TWindowCommand::acFavs, "acFavs" },
        { TWindowCommand::acHistory, "acHistory" },
        { TWindowCommand::acPlans, "acPlans" },
        { TWindowCommand::acReports, "acReports" },
        { TWindowCommand::acShortcuts, "acShortcuts" },
        { TWindowCommand::acSecondary, "acSecondary" },
        { TCommand::acDelFav, "acDelFav" },
        { TCommand::acStartAs, "acStartAs" },
        { TCommand::acOpenURL2, "acOpenURL2" },
        { TCommand::acAddAs, "acAddAs" },
        { TCommand::acEdit2, "acEdit2" },
        { TCommand::acMoveFavUp, "acMoveFavUp" },
        { TCommand::acMoveFavDn, "acMoveFavDn" },
        { TCommand::acHistForw, "acHistForw" },
        { TCommand::acHistBack, "acHistBack" },
        { TCommand::acDelHist, "acDelHist" },
        { TCommand::acAddHist, "acAddHist" },
        { TCommand::acMoveHistBack, "acMoveHistBack" },
        { TCommand::acMoveHistForw, "acMoveHistForw" },
        { TCommand::acHistShortenTime, "acHistShortenTime" },
        { TCommand::acHistExtendTime, "acHistExtendTime" },
        { TCommand::acHistMoveUp, "acHistMoveUp" },
        { TCommand::acHistMoveDown, "acHistMoveDown" },
        { TCommand::acMoveHistBackHour, "acMoveHistBackHour" },
        { TCommand::acMoveHistForwHour, "acMoveHistForwHour" },
        { TCommand::acMoveBackHour, "acMoveBackHour" },
        { TCommand::acMoveForwHour, "acMoveForwHour" },
    };
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    ASSERT_EQ(ActionTable().size(), std::size(expected));
    for (const auto& [id, name] : expected) {
        SCOPED_TRACE(name);
        QAction* action = std::visit([&w](auto command) { return w.Action(command); }, id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->objectName(), QLatin1String(name));
        EXPECT_EQ(w.findChildren<QAction*>(QLatin1String(name)), QList<QAction*> { action });
    }
}

TEST_F(CommandRouterTest, SharedKeysActOnTheListWithTheFocus)
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
            w.ShowSecondaryPanel(TSecondaryPanel::History);
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

TEST_F(CommandRouterTest, HourKeysBelongToTheHistoryOnlyWhileItHasTheFocus)
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

    w.ShowSecondaryPanel(TSecondaryPanel::History);
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

TEST_F(CommandRouterTest, KeysNoEnabledCommandTakesGoToTheFocusedControl)
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
    EXPECT_FALSE(w.Action(TCommand::acStop)->isEnabled());
    // A stale enabled state does not let a command run: the rule is asked
    // again at that moment.
    w.Action(TCommand::acStop)->setEnabled(true);
    EXPECT_FALSE(w.RunAction(w.Action(TCommand::acStop)));
    EXPECT_FALSE(w.Action(TCommand::acStop)->isEnabled());
    QTest::keyClick(w.lvList(), Qt::Key_Insert);
    w.UpdateActions();
    EXPECT_TRUE(w.Action(TCommand::acStop)->isEnabled());
    EXPECT_TRUE(w.HandleKey(QKeyCombination(Qt::Key_Backspace)));
    EXPECT_FALSE(world.today.IsWorking());
}

TEST_F(CommandRouterTest, CopyToClipboardTakesTheHistoryDayOnlyWhileItHasTheFocus)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.resize(1200, 600);
    w.ShowSecondaryPanel(TSecondaryPanel::History);

    w.lvList()->setFocus();
    QTest::keyClick(w.lvList(), Qt::Key_C, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(world.clipboard.text.contains(QStringLiteral("Alpha")));
    EXPECT_FALSE(world.clipboard.text.contains(QStringLiteral("Hist")));

    w.lvHistory()->setFocus();
    QTest::keyClick(w.lvHistory(), Qt::Key_C, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(world.clipboard.text.contains(QStringLiteral("Hist")));
    EXPECT_FALSE(world.clipboard.text.contains(QStringLiteral("Alpha")));
}

TEST_F(CommandRouterTest, EscapeClosesTheOpenCalendarBeforeTheWindow)
{
    WriteSampleData();
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    w.resize(1200, 600);
    w.ShowSecondaryPanel(TSecondaryPanel::History);
    QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("lbSecondary")), Qt::LeftButton);
    ASSERT_TRUE(w.calHistory()->isVisible());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w.calHistory()->isVisible());
    EXPECT_TRUE(w.isVisible());

    w.lvList()->setFocus();
    QTest::keyClick(w.lvList(), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(CommandRouterTest, ClickIntoAnEmptyTodaysListStartsATask)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    ASSERT_TRUE(world.today.IsEmpty());
    QTest::mouseClick(w.lvList()->viewport(), Qt::LeftButton);
    EXPECT_EQ(world.today.Count(), 1);
    EXPECT_TRUE(world.today.IsWorking());
    EXPECT_EQ(world.dialog.Captions(), QStringList { QStringLiteral("Start a new task") });
}

TEST_F(CommandRouterTest, ClicksOnTheDoneMarkAndDoubleClicksOnRows)
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

TEST_F(CommandRouterTest, DragsGoThroughTheEnginesRules)
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

TEST_F(CommandRouterTest, TaskTotalOpensTheLinkOnlyWhenTheTaskHasOne)
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

} // namespace
} // namespace ryv
