#include "reports/groupmasks.h"

#include "core/regional.h"
#include "reporttesthelpers.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(FileMask, MatchesTheWholeTitleIgnoringCase)
{
    const TRegionalScope german("de_DE");
    const struct {
        QString mask, text;
        bool matches;
    } cases[] = {
        { u"*meeting*"_qs, u"Weekly Meeting notes"_qs, true },
        { u"meeting"_qs, u"Weekly meeting"_qs, false }, // whole title only
        { u"weekly*"_qs, u"Weekly meeting"_qs, true },
        { u"*"_qs, u""_qs, true },
        { u"?"_qs, u""_qs, false },
        { u"?at"_qs, u"Cat"_qs, true },
        { u"?at"_qs, u"Chat"_qs, false },
        { u"a*b*c"_qs, u"aXXbYbc"_qs, true },
        { u"a*b*c"_qs, u"aXXbYbcd"_qs, false },
        { u"*.txt"_qs, u"notes/plan.txt"_qs, true }, // "*" crosses slashes
        { u"[a-c]*"_qs, u"Beta"_qs, true },
        { u"[!a-c]*"_qs, u"Beta"_qs, false },
        { u"[!a-c]*"_qs, u"delta"_qs, true },
        { u"[xyz-]"_qs, u"-"_qs, true }, // "-" before "]" stands for itself
        { u"[z-a]"_qs, u"m"_qs, false }, // a reversed range holds nothing
        { u"*ÄRGER*"_qs, u"großer ärger"_qs, true }, // every letter, not only ASCII
        { u"*STRASSE"_qs, u"Hauptstraße"_qs, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask.toStdString());
        const TFileMask mask(c.mask);
        EXPECT_TRUE(mask.IsValid());
        EXPECT_EQ(mask.Matches(c.text), c.matches)
            << c.mask.toStdString() << " / " << c.text.toStdString();
    }
}

TEST(FileMask, UnclosedSetIsInvalidWithItsPosition)
{
    const struct {
        QString mask;
        QString error;
    } cases[] = {
        { u"[abc"_qs, u"'[abc' is an invalid mask at (1)"_qs },
        { u"ab*[c-"_qs, u"'ab*[c-' is an invalid mask at (4)"_qs },
        { u"[!"_qs, u"'[!' is an invalid mask at (1)"_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask.toStdString());
        const TFileMask mask(c.mask);
        EXPECT_FALSE(mask.IsValid());
        EXPECT_EQ(mask.ErrorText(), c.error);
        EXPECT_FALSE(mask.Matches(u"abc"_qs));
    }
}

TEST(GroupMasks, FirstMatchingGroupRenamesTheTitle)
{
    const TRegionalScope uk("en_GB");
    const struct {
        const char* name;
        QStringList groups;
        QString title;
        QString expected;
    } cases[] = {
        { "pieces removed once, nothing trimmed", { u"Meetings=*meeting*"_qs },
            u"Weekly Meeting notes"_qs, u"Meetings - Weekly  notes"_qs },
        { "no match leaves the title", { u"Meetings=*meeting*"_qs }, u"Coding"_qs, u"Coding"_qs },
        { "earlier group wins", { u"Reports=*report*"_qs, u"Weekly=weekly*"_qs },
            u"Weekly report"_qs, u"Reports - Weekly "_qs },
        { "blank mask never matches", { u"Blank=   "_qs, u"All=*"_qs }, u"x"_qs, u"All - x"_qs },
        { "trailing blanks of a mask ignored", { u"Mail=mail*  "_qs }, u"Mail to Bob"_qs,
            u"Mail -  to Bob"_qs },
        { "entry without '=' is no group", { u"junk"_qs, u"G=*"_qs }, u"t"_qs, u"G - t"_qs },
        { "'?' stays in its piece and removes nothing", { u"Q=?eeting*"_qs }, u"Meeting room"_qs,
            u"Q - Meeting room"_qs },
        { "only the first occurrence goes", { u"Dup=*ab*"_qs }, u"xABab"_qs, u"Dup - xab"_qs },
        { "invalid mask after a match is never reached", { u"All=*"_qs, u"Bad=[x"_qs }, u"x"_qs,
            u"All - x"_qs },
        { "empty name", { u"=*"_qs }, u"x"_qs, u" - x"_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString result;
        QString error;
        EXPECT_TRUE(ApplyGroupMasks(c.groups, c.title, result, &error));
        EXPECT_EQ(result, c.expected);
        EXPECT_TRUE(error.isEmpty());
    }
}

TEST(GroupMasks, InvalidMaskReachedByATitleFails)
{
    const TGroupMasks groups({ u"Meetings=*meeting*"_qs, u"Bad=ab[c"_qs });
    QString result;
    QString error;
    EXPECT_TRUE(groups.Apply(u"Team meeting"_qs, result, &error)); // matched before "Bad"
    EXPECT_FALSE(groups.Apply(u"Coding"_qs, result, &error));
    EXPECT_EQ(error, u"'ab[c' is an invalid mask at (3)"_qs);
}

TEST(GroupEntry, SplitsAtTheFirstEqualsSign)
{
    const TGroupEntry g = SplitGroupEntry(u"A=b=c"_qs);
    EXPECT_EQ(g.name, u"A"_qs);
    EXPECT_EQ(g.mask, u"b=c"_qs);
    EXPECT_EQ(JoinGroupEntry(g.name, g.mask), u"A=b=c"_qs);
}

} // namespace
} // namespace ryv
