#include "qtprint.h"
#include "reports/groupmasks.h"
#include "suggest/suggestlist.h"
#include "suggest/suggestsources.h"
#include "suggest/suggesttext.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(SuggestText, IsLink)
{
    struct Case {
        const char* text;
        bool link;
    };
    const Case cases[] = {
        { "", false },
        { "ftp://host", true },
        { "https://example.com/a", true },
        { "host/path", false },
        { "www.example.com", true },
        { "see www.example.com", true },
        { "abcdefghijklmnopqrstuvwxyzabcd://x", false }, // "://" at position 31
        { "abcdefghijklmnopqrstuvw://x", false }, // at position 24
        { "abcdefghijklmnopqrstuv://x", true }, // at position 23
        // The first "://" decides even when "www." stands early.
        { "www. and then a long text ://", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsLink(QString::fromUtf8(c.text)), c.link);
    }
}

TEST(SuggestText, CaptionWithoutProgram)
{
    struct Case {
        const char* caption;
        const char* program;
        QStringList wmClass;
        const char* expected;
    };
    const Case cases[] = {
        { "Release checklist \u2014 Mozilla Firefox", "Firefox ESR", { "Navigator", "firefox-esr" },
            "Release checklist" },
        { "Release checklist - Chromium", "Chromium Web Browser", { "chromium", "Chromium" },
            "Release checklist" },
        { "Budget 2022 - Spreadsheet Editor", "Spreadsheet Editor", {}, "Budget 2022" },
        { "Notes \u2013 Kate", "Kate", { "kate", "kate" }, "Notes" },
        // Only the last part is the program's.
        { "Inbox - me@example.com - Mozilla Thunderbird", "Thunderbird", {},
            "Inbox - me@example.com" },
        // A word shared with WM_CLASS only.
        { "Build log - Konsole terminal", "Terminal", { "konsole", "konsole" }, "Build log" },
        // Parts that do not name the program stay.
        { "Meeting - Notes", "Text Editor", { "gedit", "Gedit" }, "Meeting - Notes" },
        { "Quarterly report", "Writer", {}, "Quarterly report" },
        // Short words do not count as shared.
        { "Plan - Web App", "Web Browser", { "web" }, "Plan - Web App" },
        // Nothing but the program's part: the caption stays whole.
        { " - Firefox", "Firefox", {}, " - Firefox" },
        { "Draft - ", "Writer", {}, "Draft - " },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(CaptionWithoutProgram(
                      QString::fromUtf8(c.caption), QString::fromUtf8(c.program), c.wmClass),
            QString::fromUtf8(c.expected));
    }
}

TEST(SuggestText, TrimAndCut)
{
    EXPECT_EQ(TrimBlanks(QStringLiteral("\t\r\n  text here \x01\n")), QStringLiteral("text here"));
    EXPECT_EQ(TrimBlanks(QStringLiteral(" \t ")), QString());
    // A cut never splits a character outside the basic plane.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString text = QString(254, QLatin1Char('a')) + emoji;
    EXPECT_EQ(CutText(text, 255), QString(254, QLatin1Char('a')));
    EXPECT_EQ(CutText(QStringLiteral("short"), 255), QStringLiteral("short"));
}

TEST(SuggestList, ProgramFileName)
{
    EXPECT_EQ(ProgramFileName(QStringLiteral("/usr/bin/run.sh")), QStringLiteral("run"));
    EXPECT_EQ(ProgramFileName(QStringLiteral("/usr/bin/python3.11")), QStringLiteral("python3.11"));
    EXPECT_EQ(ProgramFileName(QStringLiteral("/opt/app/.hidden")), QStringLiteral(".hidden"));
    EXPECT_EQ(ProgramFileName(QStringLiteral("/usr/lib/firefox-esr/firefox-esr")),
        QStringLiteral("firefox-esr"));
    EXPECT_EQ(ProgramFileName(QStringLiteral("/")), QString());
}

TEST(SuggestList, AddSuggestionNamesTheSourceAndCleansTheTitle)
{
    const TGroupMasks masks({ QStringLiteral("Tickets=*#*") });
    TSuggestList list;

    // A window: its program's name, its icon; the program part of the caption cut.
    TOpenWindow window;
    window.caption = QStringLiteral("Release checklist \u2014 Mozilla Firefox");
    window.programPath = QStringLiteral("/usr/lib/firefox-esr/firefox-esr");
    window.programName = QStringLiteral("Firefox ESR");
    window.wmClass = QStringList { QStringLiteral("Navigator"), QStringLiteral("firefox-esr") };
    window.icon = QImage(16, 16, QImage::Format_ARGB32);
    TRyvSuggestItem* item = AddSuggestion(
        list, window.caption, QString(), QString(), window.programPath, &window, 3, &masks);
    EXPECT_EQ(item->title, QStringLiteral("Release checklist"));
    EXPECT_EQ(item->appName, QStringLiteral("Firefox ESR"));
    EXPECT_EQ(item->_imgIdx, -1);
    EXPECT_TRUE(item->HasIcon());

    // Without a desktop entry: the file name, then the path.
    window.programName.clear();
    window.programPath = QStringLiteral("/opt/tools/notes.sh");
    window.caption = QStringLiteral("todo.txt - notes");
    item = AddSuggestion(
        list, window.caption, QString(), QString(), window.programPath, &window, -1, nullptr);
    EXPECT_EQ(item->appName, QStringLiteral("notes"));
    EXPECT_EQ(item->title, QStringLiteral("todo.txt"));
    window.programPath = QStringLiteral("/");
    item = AddSuggestion(
        list, QStringLiteral("x"), {}, {}, window.programPath, &window, -1, nullptr);
    EXPECT_EQ(item->appName, QStringLiteral("/"));

    // Without a window: the source name and the image as given; only
    // " - " followed by the source name is cut.
    item = AddSuggestion(list, QStringLiteral("Budget - Favorites plan"), QStringLiteral("u"),
        QStringLiteral("d"), QStringLiteral("Favorites"), nullptr, 2, &masks);
    EXPECT_EQ(item->title, QStringLiteral("Budget"));
    EXPECT_EQ(item->appName, QStringLiteral("Favorites"));
    EXPECT_EQ(item->url, QStringLiteral("u"));
    EXPECT_EQ(item->descr, QStringLiteral("d"));
    EXPECT_EQ(item->_imgIdx, 2);
    item = AddSuggestion(list, QStringLiteral("Meeting \u2014 Notes"), {}, {},
        QStringLiteral("Notes"), nullptr, 2, &masks);
    EXPECT_EQ(item->title, QStringLiteral("Meeting \u2014 Notes"));

    // A group mask renames; long titles are cut to 255.
    item = AddSuggestion(
        list, QStringLiteral("Fix #12"), {}, {}, QStringLiteral("Clipboard"), nullptr, 1, &masks);
    EXPECT_EQ(item->title, QStringLiteral("Tickets - Fix 12"));
    item = AddSuggestion(list, QString(300, QLatin1Char('x')), {}, {}, QStringLiteral("Clipboard"),
        nullptr, 1, &masks);
    EXPECT_EQ(item->title.size(), 255);
    EXPECT_EQ(list.Count(), 7);
}

TEST(SuggestList, UnreadableGroupMaskKeepsTheTitle)
{
    const TGroupMasks masks({ QStringLiteral("Broken=[abc") });
    TSuggestList list;
    const TRyvSuggestItem* item = AddSuggestion(list, QStringLiteral("Write report"), {}, {},
        QStringLiteral("Favorites"), nullptr, 2, &masks);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->title, QStringLiteral("Write report"));
}

TSuggestList ListOf(std::initializer_list<std::pair<const char*, const char*>> rows)
{
    TSuggestList list;
    for (const auto& [title, app] : rows)
        AddSuggestion(
            list, QString::fromUtf8(title), {}, {}, QString::fromUtf8(app), nullptr, 1, nullptr);
    return list;
}

TEST(SuggestList, FindSuggestion)
{
    const TSuggestList list = ListOf({ { "Inbox", "Mail Client" }, { "News", "Firefox ESR" },
        { "R\u00e9sum\u00e9", "Firefox ESR" }, { "News", "Chromium" } });
    struct Case {
        const char* browser;
        const char* title;
        int expected;
    };
    const Case cases[] = {
        { "Firefox", "NEWS", 1 },
        { "chromium", "news", 3 },
        { "Firefox", "R\u00c9SUM\u00c9", 2 }, // any case, beyond ASCII
        { "Firefox", "", 1 },
        { "", "news", 1 },
        { "Opera", "News", -1 },
        { "Firefox", "Inbox", -1 },
        { "", "", -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.browser) + "/" + c.title);
        EXPECT_EQ(FindSuggestion(list, QString::fromUtf8(c.browser), QString::fromUtf8(c.title)),
            c.expected);
    }
}

TEST(SuggestList, FilterSuggestions)
{
    TSuggestList list;
    AddSuggestion(
        list, QStringLiteral("Inbox"), {}, {}, QStringLiteral("Mail Client"), nullptr, 1, nullptr);
    AddSuggestion(list, QStringLiteral("Ticket"), QStringLiteral("https://tracker/42"),
        QStringLiteral("Needs review"), QStringLiteral("Favorites"), nullptr, 2, nullptr);
    AddSuggestion(list, QStringLiteral("Email draft"), {}, {}, QStringLiteral("Clipboard"), nullptr,
        1, nullptr);
    struct Case {
        const char* filter;
        QStringList excluded;
        std::vector<int> shown;
    };
    const Case cases[] = {
        { "", {}, { 0, 1, 2 } },
        { "mail", {}, { 0, 2 } }, // the source counts, any case
        { "TRACKER", {}, { 1 } }, // the link
        { "review", {}, { 1 } }, // the description
        { "*", {}, {} }, // a plain text, never a mask
        { "", { "mail client", "CLIPBOARD" }, { 1 } },
        { "mail", { "Favorites" }, { 0, 2 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(FilterSuggestions(list, QString::fromUtf8(c.filter), c.excluded), c.shown);
    }
}

} // namespace
} // namespace ryv
