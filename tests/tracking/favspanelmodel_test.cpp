#include "trackerfixture.h"

#include <QSignalSpy>

namespace ryv::testing {
namespace {

TEST_F(TrackerTest, RecentList_LimitOrderAndIdentity)
{
    options.RecentMaxCnt = 10;
    for (int i = 1; i <= 11; ++i)
        tracker.RememberRecent(*Task(0, 0, QStringLiteral("T%1").arg(i)));
    ASSERT_EQ(recent.Count(), 10);
    EXPECT_EQ(recent.Item(0)->title, QStringLiteral("T2"));
    ASSERT_EQ(tracker.FavsRows().size(), 11u); // the separator, then newest first
    EXPECT_EQ(tracker.FavsItemAt(1)->title, QStringLiteral("T11"));
    EXPECT_EQ(tracker.FavsItemAt(10)->title, QStringLiteral("T2"));

    // Known task: moves to the newest place, nothing dropped.
    tracker.RememberRecent(*Task(0, 0, QStringLiteral("t5")));
    EXPECT_EQ(recent.Count(), 10);
    EXPECT_EQ(recent.Item(0)->title, QStringLiteral("T2"));
    EXPECT_EQ(recent.Item(9)->title, QStringLiteral("t5"));

    // Same link, other title: one task.
    tracker.RememberRecent(*Task(0, 0, QStringLiteral("A"), QStringLiteral("http://x")));
    tracker.RememberRecent(*Task(0, 0, QStringLiteral("B"), QStringLiteral("HTTP://X")));
    EXPECT_EQ(recent.Item(9)->title, QStringLiteral("B"));
    int withLink = 0;
    for (int i = 0; i < recent.Count(); ++i)
        withLink
            += recent.Item(i)->url.compare(QStringLiteral("http://x"), Qt::CaseInsensitive) == 0;
    EXPECT_EQ(withLink, 1);
}

class FavsTest : public TrackerTest {
protected:
    void SetUp() override
    {
        TrackerTest::SetUp();
        AddFav(QStringLiteral("A"), QStringLiteral("http://a"));
        AddFav(QStringLiteral("B"));
        AddRecent(QStringLiteral("R1"));
        AddRecent(QStringLiteral("R2"));
        tracker.RefreshFavsPanel();
    }
    // The row the panel asked the window to select last.
    int SelectedRow() const { return selected.isEmpty() ? -1 : selected.last().at(1).toInt(); }
    QSignalSpy selected { &tracker, &TTracker::RowSelected };
};

TEST_F(FavsTest, Panel_FavouritesSeparatorRecentNewestFirst_ReselectsItem)
{
    EXPECT_EQ(FavsRowTitles(), (QStringList { "f:A", "f:B", "--", "r:R2", "r:R1" }));

    AddFav(QStringLiteral("C"));
    tracker.RefreshFavsPanel(3); // R2 was selected
    EXPECT_EQ(FavsRowTitles(), (QStringList { "f:A", "f:B", "f:C", "--", "r:R2", "r:R1" }));
    EXPECT_EQ(SelectedRow(), 4);

    recent.Clear();
    tracker.RefreshFavsPanel(4); // its item is gone: the first row
    EXPECT_EQ(FavsRowTitles(), (QStringList { "f:A", "f:B", "f:C" }));
    EXPECT_EQ(SelectedRow(), 0);
}

TEST_F(FavsTest, Remove_FromTheRowsList_SelectsNextOrPrevious)
{
    struct {
        const char* name;
        int row;
        QStringList rows;
        int selected;
    } cases[] = {
        { "first favourite: the next row moves up", 0, { "f:B", "--", "r:R2", "r:R1" }, 0 },
        { "last row: the one before", 3, { "f:B", "--", "r:R2" }, 2 },
        { "last recent task: the separator goes too", 2, { "f:B" }, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(tracker.Execute(TCommand::acDelFav, OnFavs(c.row)));
        EXPECT_EQ(FavsRowTitles(), c.rows);
        EXPECT_EQ(SelectedRow(), c.selected);
    }
    EXPECT_EQ(favs.Count(), 1);
    EXPECT_EQ(recent.Count(), 0);
    EXPECT_TRUE(messages.questions.isEmpty());
}

TEST_F(FavsTest, Remove_DuplicateItems_RemovesTheRowsOwn)
{
    AddFav(QStringLiteral("x"));
    auto dup = std::make_unique<TRyvItem>();
    dup->title = QStringLiteral("X");
    favs.Add(std::move(dup)); // equal items can come from the list file
    tracker.RefreshFavsPanel();
    tracker.Execute(TCommand::acDelFav, OnFavs(3));
    ASSERT_EQ(favs.Count(), 3);
    EXPECT_EQ(favs.Item(2)->title, QStringLiteral("x"));
}

TEST_F(FavsTest, MoveUpDown_StayWithinFavourites)
{
    ASSERT_TRUE(tracker.Execute(TCommand::acMoveFavUp, OnFavs(1)));
    EXPECT_EQ(FavsRowTitles(), (QStringList { "f:B", "f:A", "--", "r:R2", "r:R1" }));
    EXPECT_EQ(SelectedRow(), 0);

    tracker.Execute(TCommand::acMoveFavDn, OnFavs(1)); // the last favourite: nothing
    EXPECT_EQ(FavsRowTitles(), (QStringList { "f:B", "f:A", "--", "r:R2", "r:R1" }));

    tracker.Execute(TCommand::acMoveFavDn, OnFavs(0));
    EXPECT_EQ(FavsRowTitles(), (QStringList { "f:A", "f:B", "--", "r:R2", "r:R1" }));
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_FALSE(tracker.Enabled(TCommand::acMoveFavUp, OnFavs(3)));
}

TEST_F(FavsTest, DropOnFavourites_UpdatesKnownTaskOrAppends_BreaksRefused)
{
    AddToday(Entry(ryvkTask, At(7, 8, 0), At(7, 9, 0), QStringLiteral("A renamed"),
        QStringLiteral("HTTP://A"), QStringLiteral("new descr")));
    AddToday(Pause(At(7, 9, 0), At(7, 9, 10)));
    AddToday(Task(At(7, 9, 10), At(7, 9, 30), QStringLiteral("New")));

    today.SelectOnly(1);
    EXPECT_FALSE(tracker.CanDropOnFavs(TListKind::Today, OnToday()));

    today.SelectOnly(0);
    ASSERT_TRUE(tracker.CanDropOnFavs(TListKind::Today, OnToday()));
    tracker.DropOnFavs(TListKind::Today, OnToday());
    EXPECT_EQ(FavsRowTitles(), (QStringList { "f:A renamed", "f:B", "--", "r:R2", "r:R1" }));
    EXPECT_EQ(favs.Item(0)->descr, QStringLiteral("new descr"));
    EXPECT_EQ(SelectedRow(), 0);

    today.SelectOnly(2);
    tracker.DropOnFavs(TListKind::Today, OnToday());
    EXPECT_EQ(favs.Count(), 3);
    EXPECT_EQ(SelectedRow(), 2);
    EXPECT_FALSE(tracker.CanDropOnFavs(TListKind::Favs, OnFavs(0)));
}

TEST_F(FavsTest, DropFavouriteOnToday_StartsAtOnce_FromTodayNothing)
{
    TUiState ui = OnFavs(0);
    ui.focus = TListKind::Today;
    ASSERT_TRUE(tracker.CanDropOnToday(TListKind::Favs, ui));
    tracker.DropOnToday(TListKind::Favs, ui);
    EXPECT_EQ(Titles(today), QStringList { QStringLiteral("A") });
    EXPECT_TRUE(dialog.calls.empty());
    // The started task is the newest recent one; the favourite stays selected.
    EXPECT_EQ(FavsRowTitles(), (QStringList { "f:A", "f:B", "--", "r:A", "r:R2", "r:R1" }));
    EXPECT_EQ(SelectedRow(), 0);

    today.SelectOnly(0);
    tracker.DropOnToday(TListKind::Today, OnToday());
    EXPECT_EQ(today.Count(), 1);
}

TEST_F(FavsTest, EditFavourite_OkUpdates_RemovedByDialogNeverUsed)
{
    dialog.answers = { Ok([](TRyvItem& e) { e.title = QStringLiteral("A2"); }) };
    ASSERT_TRUE(tracker.Execute(TCommand::acEdit2, OnFavs(0)));
    EXPECT_EQ(dialog.calls[0].caption, QStringLiteral("Edit item"));
    EXPECT_EQ(FavsRowTitles().first(), QStringLiteral("f:A2"));

    // The favourite button switched off inside the dialog, then OK.
    dialog.answers = { Ok([this](TRyvItem& e) {
        favs.RemoveItem(e.title, e.url);
        options.StateFavsChanged = true;
        e.title = QStringLiteral("A3");
    }) };
    tracker.Execute(TCommand::acEdit2, OnFavs(0));
    EXPECT_EQ(FavsRowTitles(), (QStringList { "f:B", "--", "r:R2", "r:R1" }));
    EXPECT_FALSE(options.StateFavsChanged);
}

TEST_F(FavsTest, EditTodayCancelled_FavouritesChangedInDialog_PanelRebuilt)
{
    AddToday(Task(At(7, 8, 0), At(7, 9, 0), QStringLiteral("B")));
    today.SelectOnly(0);
    dialog.answers = { Cancel([this](TRyvItem&) {
        favs.RemoveItem(QStringLiteral("B"), {});
        options.StateFavsChanged = true;
    }) };
    tracker.Execute(TCommand::acEdit, OnToday());
    EXPECT_EQ(FavsRowTitles(), (QStringList { "f:A", "--", "r:R2", "r:R1" }));
}

TEST_F(FavsTest, RowOfItemRemovedBeforeRebuild_CarriesNothing)
{
    // The dialog's favourite button removes A; the window evaluates the rules
    // before the panel is rebuilt.
    favs.RemoveItem(QStringLiteral("A"), QStringLiteral("http://a"));
    for (const TCommand cmd : { TCommand::acEdit2, TCommand::acOpenURL2, TCommand::acStartAs,
             TCommand::acAddAs, TCommand::acDelFav, TCommand::acMoveFavDn }) {
        SCOPED_TRACE(static_cast<int>(cmd));
        EXPECT_FALSE(tracker.Enabled(cmd, OnFavs(0)));
    }
    EXPECT_FALSE(tracker.Execute(TCommand::acDelFav, OnFavs(0)));
    EXPECT_FALSE(tracker.Execute(TCommand::acStartAs, OnFavs(0)));
    EXPECT_TRUE(today.IsEmpty());
    EXPECT_EQ(favs.Count(), 1);
}

TEST_F(FavsTest, RowOfRemovedFavourite_NeverResolvesToOneAddedAfterIt)
{
    // In the dialog of favourite A the star button removes A and another
    // favourite is added; the memory A held may be reused for it. The row
    // still names A, which is gone: the dialog's OK changes nothing else.
    dialog.answers = { Ok([this](TRyvItem& e) {
        favs.RemoveItem(QStringLiteral("A"), QStringLiteral("http://a"));
        favs.AddOrUpdate(QStringLiteral("D"), {}, {});
        options.StateFavsChanged = true;
        e.title = QStringLiteral("A2");
    }) };
    ASSERT_TRUE(tracker.Execute(TCommand::acEdit2, OnFavs(0)));
    EXPECT_EQ(FavsRowTitles(), (QStringList { "f:B", "f:D", "--", "r:R2", "r:R1" }));

    // Before the panel is rebuilt, a row of a removed item carries nothing,
    // whatever was added since.
    favs.RemoveItem(QStringLiteral("B"), {});
    favs.AddOrUpdate(QStringLiteral("E"), {}, {});
    for (const TCommand cmd : { TCommand::acEdit2, TCommand::acDelFav, TCommand::acStartAs }) {
        SCOPED_TRACE(static_cast<int>(cmd));
        EXPECT_FALSE(tracker.Enabled(cmd, OnFavs(0)));
    }
}

TEST_F(FavsTest, OpenLinkOfFavourite_CopiesNothing)
{
    ASSERT_TRUE(tracker.Execute(TCommand::acOpenURL2, OnFavs(0)));
    EXPECT_EQ(shell.opened, QStringList { QStringLiteral("http://a") });
    EXPECT_EQ(clipboard.sets, 0);
}

// The favourites and the recent list reach the disk a few seconds after a
// change, not only when the window closes, so a crash keeps them.
TEST_F(FavsTest, Changes_AreWrittenAfterAQuietTime)
{
    const auto favsOnDisk = [this] {
        TRyvItemList list;
        ReadListFile(FavoritesFilePath(options), list);
        QStringList titles;
        for (int i = 0; i < list.Count(); ++i)
            titles << list.Item(i)->title;
        return titles;
    };
    const auto recentOnDisk = [this] {
        TRyvItemList list;
        ReadListFile(RecentFilePath(options), list);
        return list.Count();
    };
    const struct {
        const char* name;
        std::function<void()> change;
        QStringList favs;
        int recent;
    } cases[] = {
        { "move down", [&] { tracker.Execute(TCommand::acMoveFavDn, OnFavs(0)); }, { "B", "A" },
            2 },
        { "remove a recent task", [&] { tracker.Execute(TCommand::acDelFav, OnFavs(3)); },
            { "B", "A" }, 1 },
        { "drop a task on the panel",
            [&] {
                today.SelectAndShow(AddToday(Task(At(7, 9, 0), At(7, 10, 0), QStringLiteral("D"))));
                tracker.DropOnFavs(TListKind::Today, OnToday());
            },
            { "B", "A", "D" }, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.change();
        EXPECT_TRUE(store.IsWorkspaceSavePending());
        EXPECT_EQ(store.tmrSaveWorkspace.interval(), 3000);
        store.tmrSaveWorkspaceTimer();
        EXPECT_FALSE(store.IsWorkspaceSavePending());
        EXPECT_EQ(favsOnDisk(), c.favs);
        EXPECT_EQ(recentOnDisk(), c.recent);
    }
}

} // namespace
} // namespace ryv::testing
