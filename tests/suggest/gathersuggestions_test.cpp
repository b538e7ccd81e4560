#include "core/apptexts.h"
#include "core/clock.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "suggest/gathersuggestions.h"
#include "suggest/suggestlist.h"
#include "suggestfakes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace ryv {
namespace {

using test::TFakeHistory;
using test::TFakeWindows;
using test::Window;

const TDateTime Now = EncodeDateTime(2024, 5, 6, 14, 30);

class GatherSuggestionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FFolder.isValid());
        FOptions = std::make_unique<TRyvOptions>(FFolder.path());
    }

    TSuggestList Gather(const TRyvItem* previous = nullptr)
    {
        TSuggestList list;
        GatherSuggestions(list, previous,
            TSuggestSources { *FOptions, FFavs, FRecent, FClock, FWindows, FHistory, FClipboard });
        return list;
    }

    static TBrowserVisit Visit(
        const char* title, const char* url, const char* browser, double minutesAgo)
    {
        return TBrowserVisit { QString::fromUtf8(url), QString::fromUtf8(title),
            QString::fromUtf8(browser), Now - minutesAgo * OneMinute, true };
    }

    // "title | source | image" per suggestion, to compare whole lists.
    static QStringList Rows(const TSuggestList& list)
    {
        QStringList rows;
        for (int i = 0; i < list.Count(); ++i) {
            const TRyvSuggestItem* s = list.Item(i);
            rows.append(QStringLiteral("%1 | %2 | %3").arg(s->title, s->appName).arg(s->_imgIdx));
        }
        return rows;
    }

    QTemporaryDir FFolder;
    std::unique_ptr<TRyvOptions> FOptions;
    TRyvItemList FFavs;
    TRyvItemList FRecent;
    TManualClock FClock { Now };
    TFakeWindows FWindows;
    TFakeHistory FHistory;
    TFakeClipboard FClipboard;
};

TEST_F(GatherSuggestionsTest, SourcesComeInTheirOrder)
{
    TRyvItem previous;
    previous.title = QStringLiteral("Standup");
    previous.url = QStringLiteral("https://meet/1");
    previous.descr = QStringLiteral("daily");
    FWindows.windows = { Window("Plan.odt - LibreOffice Writer", "/usr/lib/libreoffice/soffice.bin",
                             "LibreOffice Writer", true),
        Window("Terminal", "/usr/bin/xterm") };
    FFavs.AddOrUpdate(QStringLiteral("Write report"), QString(), QString());
    FFavs.AddOrUpdate(QStringLiteral("Review"), QString(), QString());
    FHistory.visits = { Visit("Wiki page", "https://wiki/1", "Firefox", 2) };
    FRecent.AddOrUpdate(QStringLiteral("Oldest"), QString(), QString());
    FRecent.AddOrUpdate(QStringLiteral("Newest"), QString(), QString());
    // The same title from two sources appears twice.
    FRecent.AddOrUpdate(QStringLiteral("Write report"), QString(), QString());
    FClipboard.text = QStringLiteral("  copied text\n");

    const TSuggestList list = Gather(&previous);
    EXPECT_EQ(Rows(list),
        QStringList({
            "Standup | Recently used | 3",
            "Plan.odt | LibreOffice Writer | -1",
            "Terminal | xterm | -1",
            "Write report | Favorites | 2",
            "Review | Favorites | 2",
            "Wiki page | Firefox | 4",
            "Write report | Previous task | 3",
            "Newest | Previous task | 3",
            "Oldest | Previous task | 3",
            "copied text | Clipboard | 1",
        }));
    EXPECT_EQ(list.Item(0)->url, QStringLiteral("https://meet/1"));
    EXPECT_EQ(list.Item(0)->descr, QStringLiteral("daily"));
    // Older visits are asked for too: they only tie pages to windows.
    EXPECT_DOUBLE_EQ(FHistory.since, Now - WindowPageAge);
}

TEST_F(GatherSuggestionsTest, SourceNamesFollowTheLanguage)
{
    TAppTextsScope german;
    german.Texts().str_app_favs = QStringLiteral("Favoriten");
    FFavs.AddOrUpdate(QStringLiteral("Task"), QString(), QString());
    const TSuggestList list = Gather();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(0)->appName, QStringLiteral("Favoriten"));
}

TEST_F(GatherSuggestionsTest, BrowserPagesAreTiedToTheBrowsersWindow)
{
    FWindows.windows = {
        Window("Other window", "/usr/bin/xterm"),
        Window("Release checklist \u2014 Mozilla Firefox", "/usr/lib/firefox-esr/firefox-esr",
            "Firefox ESR", true),
        Window("Old tab - Chromium", "/usr/lib/chromium/chromium", "Chromium Web Browser", false),
    };
    FHistory.visits = {
        // The caption's page: the window gets the first row's link ...
        Visit("Release checklist", "https://wiki/release", "Firefox", 1),
        // ... and a second row of it adds nothing.
        Visit("release checklist", "https://wiki/release?old", "Firefox", 3),
        // Pages of the last ten minutes: suggestions that show the window's icon.
        Visit("Ticket 12", "https://tracker/12", "Firefox", 4),
        Visit("Ticket 12", "https://tracker/12", "Firefox", 5),
        // A browser window without an icon: the page keeps the link image.
        Visit("Docs", "https://docs", "Chromium", 9.9),
        // No window of this browser: the browser's own name.
        Visit("Mail", "https://mail", "Vivaldi", 6),
        // Eleven minutes ago: left out, unless its title is a window's caption.
        Visit("Older page", "https://older", "Firefox", 11),
        Visit("Old tab", "https://old-tab", "Chromium", 11),
        // An untitled page stands under its address.
        Visit("", "https://untitled", "Firefox", 7),
    };
    const TSuggestList list = Gather();
    EXPECT_EQ(Rows(list),
        QStringList({
            "Other window | xterm | -1",
            "Release checklist | Firefox ESR | -1",
            "Old tab | Chromium Web Browser | -1",
            "Ticket 12 | Firefox ESR | -3",
            "Docs | Chromium Web Browser | 4",
            "Mail | Vivaldi | 4",
            "https://untitled | Firefox ESR | -3",
        }));
    EXPECT_EQ(list.Item(0)->url, QString());
    EXPECT_EQ(list.Item(1)->url, QStringLiteral("https://wiki/release"));
    EXPECT_EQ(list.Item(2)->url, QStringLiteral("https://old-tab"));
    EXPECT_EQ(list.Item(3)->url, QStringLiteral("https://tracker/12"));
    EXPECT_EQ(list.Item(5)->url, QStringLiteral("https://mail"));
}

TEST_F(GatherSuggestionsTest, RowsWithoutVisitTimeAllCount)
{
    TBrowserVisit visit = Visit("Plug-in row", "https://p", "Firefox", 500);
    visit.hasVisitTime = false;
    FHistory.visits = { visit };
    const TSuggestList list = Gather();
    EXPECT_EQ(Rows(list), QStringList({ "Plug-in row | Firefox | 4" }));
}

TEST_F(GatherSuggestionsTest, ClipboardText)
{
    struct Case {
        QString clipboard;
        QString expected; // empty: no suggestion
    };
    const Case cases[] = {
        { QStringLiteral(" \t\r\n "), QString() },
        { QString(), QString() },
        { QStringLiteral("\n ticket 7 \n"), QStringLiteral("ticket 7") },
        { QString(300, QLatin1Char('c')), QString(255, QLatin1Char('c')) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clipboard.left(20).toStdString());
        FClipboard.text = c.clipboard;
        const TSuggestList list = Gather();
        if (c.expected.isEmpty()) {
            EXPECT_EQ(list.Count(), 0);
        } else {
            ASSERT_EQ(list.Count(), 1);
            EXPECT_EQ(list.Item(0)->title, c.expected);
            EXPECT_EQ(list.Item(0)->_imgIdx, SuggestImage::Clipboard);
        }
    }
}

TEST_F(GatherSuggestionsTest, GroupMasksRenameEverySource)
{
    FOptions->GroupMasks = { QStringLiteral("Support=Ticket*") };
    FWindows.windows = { Window("Ticket 12 - Tracker", "/usr/bin/tracker") };
    FFavs.AddOrUpdate(QStringLiteral("Ticket 13"), QString(), QString());
    FClipboard.text = QStringLiteral("Ticket 14");
    EXPECT_EQ(Rows(Gather()),
        QStringList({ "Support -  12 | tracker | -1", "Support -  13 | Favorites | 2",
            "Support -  14 | Clipboard | 1" }));
}

TEST_F(GatherSuggestionsTest, AFailingSourceEndsTheGatheringQuietly)
{
    TRyvItem previous;
    previous.title = QStringLiteral("Before");
    FWindows.fail = true;
    FFavs.AddOrUpdate(QStringLiteral("After"), QString(), QString());
    FClipboard.text = QStringLiteral("clip");
    const TSuggestList list = Gather(&previous);
    EXPECT_EQ(Rows(list), QStringList({ "Before | Recently used | 3" }));
}

} // namespace
} // namespace ryv
