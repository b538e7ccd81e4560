#include "core/ryvitemlist.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ryv {
namespace {

std::unique_ptr<TRyvItem> Entry(const QString& title, const QString& url = {})
{
    auto e = std::make_unique<TRyvItem>();
    e->title = title;
    e->url = url;
    return e;
}

class RyvItemListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.Add(Entry(QStringLiteral("REPORT"), QStringLiteral("http://a")));
        list.Add(Entry(QStringLiteral("Mail")));
        list.Add(Entry(QStringLiteral("Other"), QStringLiteral("X")));
        list.Add(Entry(QStringLiteral("ÉTÉ Straße")));
    }
    TRyvItemList list;
};

TEST_F(RyvItemListTest, FindItem_ByLinkWhenGiven_OtherwiseByTitle_IgnoringCase)
{
    struct Case {
        const char* title;
        const char* url;
        int index;
    };
    const Case cases[] = {
        { "Report", "", 0 }, // title match whatever the link
        { "report", "http://b", -1 }, // a link is given: the title does not count
        { "Report", "x", 2 }, // link match, other title
        { "", "HTTP://A", 0 }, // link alone
        { "", "", -1 }, // nothing to look for
        { "mail", "", 1 },
        { "été straße", "", 3 }, // case folding beyond ASCII
        { "Missing", "", -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.title << " / " << c.url);
        EXPECT_EQ(list.FindItem(QString::fromUtf8(c.title), QString::fromUtf8(c.url)), c.index);
    }
}

TEST_F(RyvItemListTest, AddOrUpdate_UpdatesFoundEntryInPlace_ElseAppends)
{
    TRyvItem* mail = list.Item(1);
    EXPECT_EQ(list.AddOrUpdate(QStringLiteral("MAIL"), {}, QStringLiteral("d")), 1);
    EXPECT_EQ(list.Item(1), mail); // same object, so panel rows stay valid
    EXPECT_EQ(mail->title, QStringLiteral("MAIL"));
    EXPECT_EQ(mail->descr, QStringLiteral("d"));

    EXPECT_EQ(list.AddOrUpdate(QStringLiteral("New"), QStringLiteral("u"), {}), 4);
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Item(4)->kind, ryvkTask);
    EXPECT_EQ(list.Item(4)->start, 0);
}

TEST_F(RyvItemListTest, AddIfMissing_ChecksIdentityNotEquality)
{
    // An equal but distinct entry is added.
    TRyvItem* twin = list.AddIfMissing(Entry(QStringLiteral("Mail")));
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.IndexOf(twin), 4);

    // The very object already in the list is not added twice, and the list
    // keeps owning it (no double free when the caller's pointer goes away).
    TRyvItem* mail = list.Item(1);
    EXPECT_EQ(list.AddIfMissing(std::unique_ptr<TRyvItem>(mail)), mail);
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Item(1)->title, QStringLiteral("Mail"));
}

TEST_F(RyvItemListTest, RemoveItem_RemovesFirstMatchOnly)
{
    list.Add(Entry(QStringLiteral("mail")));
    EXPECT_TRUE(list.RemoveItem(QStringLiteral("MAIL"), {}));
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Item(3)->title, QStringLiteral("mail"));
    EXPECT_FALSE(list.RemoveItem(QStringLiteral("Mail"), QStringLiteral("no-such-link")));
    EXPECT_EQ(list.Count(), 4);
}

TEST_F(RyvItemListTest, MoveTakeInsert_KeepObjects)
{
    TRyvItem* first = list.Item(0);
    list.Move(0, 3);
    EXPECT_EQ(list.Item(3), first);
    EXPECT_EQ(list.Item(0)->title, QStringLiteral("Mail"));
    list.Move(3, 1);
    EXPECT_EQ(list.IndexOf(first), 1);
    std::unique_ptr<TRyvItem> taken = list.Take(1);
    EXPECT_EQ(taken.get(), first);
    EXPECT_EQ(list.IndexOf(first), -1);
    list.Insert(0, std::move(taken));
    EXPECT_EQ(list.Item(0), first);
}

TEST_F(RyvItemListTest, Ids_FollowTheEntry_AndAreNeverGivenAgain)
{
    const TItemId mail = list.IdAt(1);
    EXPECT_NE(mail, 0u);
    list.Move(1, 3);
    EXPECT_EQ(list.IndexOfId(mail), 3);
    list.AddOrUpdate(QStringLiteral("MAIL"), {}, {}); // updated in place
    EXPECT_EQ(list.IdAt(3), mail);

    // Removed, then a new entry where the old one was: the old id finds
    // nothing, even if the new entry took over the freed memory.
    list.Delete(3);
    list.Add(Entry(QStringLiteral("New")));
    EXPECT_EQ(list.IndexOfId(mail), -1);
    EXPECT_EQ(list.ItemById(mail), nullptr);
    // An entry taken out and put back is a new entry.
    const TItemId first = list.IdAt(0);
    list.Insert(0, list.Take(0));
    EXPECT_EQ(list.IndexOfId(first), -1);
    std::vector<TItemId> ids;
    for (int i = 0; i < list.Count(); ++i)
        ids.push_back(list.IdAt(i));
    EXPECT_EQ(std::find(ids.begin(), ids.end(), mail), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    EXPECT_EQ(list.IndexOfId(0), -1); // 0 is no entry
}

} // namespace
} // namespace ryv
