#include "ui/taskdialog.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/fakeports.h"
#include "core/regional.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "suggest/ryvsuggestitem.h"
#include "suggest/suggestfakes.h"
#include "suggest/suggestsources.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QWindow>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace ryv {
namespace {

template <typename T> T* Child(QWidget* dialog, const char* name)
{
    T* child = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

class TaskDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FFolder.isValid());
        FOptions = std::make_unique<TRyvOptions>(FFolder.path());
        FOptions->AutoShowSuggest = false;
        FSources = std::make_unique<TSuggestSources>(TSuggestSources {
            *FOptions, FFavorites, FRecent, FClock, FWindows, FHistory, FClipboard });
    }
    // The link field holds what the user typed: it is opened as a link.
    void TearDown() override
    {
        EXPECT_TRUE(FShell.openedFiles.isEmpty())
            << "the link field opened as an exact file path: "
            << FShell.openedFiles.join(QStringLiteral(", ")).toStdString();
    }

    // Runs action on the dialog once it is shown, then lets the test's
    // ExecuteTaskDialog call return.
    void WhenShown(std::function<void(TfrmRyvTask*)> action)
    {
        QTimer::singleShot(0, [action] {
            auto* dialog = qobject_cast<TfrmRyvTask*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            action(dialog);
        });
    }

    bool Execute(TRyvItem& entry, bool isNew, bool askDuration, const QString& caption = QString(),
        const TRyvItem* previous = nullptr)
    {
        TTaskDialog dialogs(*FOptions, FFavorites, *FSources, FClipboard, FShell, FMainWindow);
        return dialogs.ExecuteTaskDialog(entry, caption, isNew, askDuration, previous, false);
    }

    TRegionalScope FLocale { "en_US" };
    QTemporaryDir FFolder;
    std::unique_ptr<TRyvOptions> FOptions;
    TRyvItemList FFavorites;
    TRyvItemList FRecent;
    TManualClock FClock { EncodeDateTime(2024, 5, 6, 14, 30) };
    test::TFakeWindows FWindows;
    test::TFakeHistory FHistory;
    std::unique_ptr<TSuggestSources> FSources;
    TFakeClipboard FClipboard;
    TFakeShell FShell;
    QWidget* FMainWindow = nullptr;
};

TEST_F(TaskDialogTest, HoursTextGivesTheDuration)
{
    struct Case {
        const char* text;
        int minutes;
    };
    const Case cases[] = {
        { "2", 120 },
        { "0:45", 45 },
        { "1.5", 90 },
        { "1,5", 90 },
        { "1:30", 90 },
        { " 3 ", 180 },
        { "abc", 60 },
        { "0", 60 },
        { "", 60 },
        { "0:00", 60 },
        { "-2", 60 },
        // Only the time of day of a typed date-time counts, never the date.
        { "2022-01-07 0:30", 30 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            std::lround(TfrmRyvTask::ParseDuration(QString::fromUtf8(c.text)) * 1440), c.minutes)
            << '"' << c.text << '"';
    }
}

TEST_F(TaskDialogTest, OkWritesTheFieldsIntoTheEntry)
{
    TRyvItem entry;
    entry.title = QStringLiteral("Old");
    entry.start = 45000.5;
    WhenShown([](TfrmRyvTask* dialog) {
        Child<QLineEdit>(dialog, "edName")->setText(QString(300, QLatin1Char('x')));
        Child<QLineEdit>(dialog, "edHours")->setText(QStringLiteral("0:45"));
        Child<QPlainTextEdit>(dialog, "mDescr")->setPlainText(QStringLiteral("line 1\nline 2"));
        Child<QLineEdit>(dialog, "edUrl")->setText(QStringLiteral("https://example.com/1"));
        Child<QCheckBox>(dialog, "cbTaskDone")->setChecked(true);
        Child<QPushButton>(dialog, "sbOK")->click();
    });
    ASSERT_TRUE(Execute(entry, true, true, QStringLiteral("Add task")));
    EXPECT_EQ(entry.title, QString(255, QLatin1Char('x')));
    EXPECT_EQ(entry.descr, QStringLiteral("line 1\r\nline 2"));
    EXPECT_EQ(entry.url, QStringLiteral("https://example.com/1"));
    EXPECT_EQ(entry.state, ryvsDone);
    EXPECT_EQ(std::lround(entry.stop * 1440), 45);
    EXPECT_EQ(entry.start, 45000.5); // the caller places the entry in time
}

TEST_F(TaskDialogTest, CancelAndEscapeLeaveTheEntryUnchanged)
{
    for (bool escape : { false, true }) {
        TRyvItem entry;
        entry.title = QStringLiteral("Keep");
        entry.stop = 2.0;
        WhenShown([escape](TfrmRyvTask* dialog) {
            Child<QLineEdit>(dialog, "edName")->setText(QStringLiteral("Changed"));
            if (escape)
                QTest::keyClick(Child<QLineEdit>(dialog, "edName"), Qt::Key_Escape);
            else
                Child<QPushButton>(dialog, "sbCancel")->click();
        });
        EXPECT_FALSE(Execute(entry, false, false));
        EXPECT_EQ(entry.title, QStringLiteral("Keep"));
        EXPECT_EQ(entry.stop, 2.0);
    }
}

TEST_F(TaskDialogTest, EnterConfirmsFromTitleAndDescription)
{
    for (const char* field : { "edName", "mDescr" }) {
        TRyvItem entry;
        WhenShown([field](TfrmRyvTask* dialog) {
            QWidget* target = Child<QWidget>(dialog, field);
            target->setFocus();
            QTest::keyClicks(target, QStringLiteral("abc"));
            QTest::keyClick(target, Qt::Key_Return);
        });
        ASSERT_TRUE(Execute(entry, false, false)) << field;
        // No new line went into the description.
        EXPECT_FALSE(entry.descr.contains(QLatin1Char('\n')));
    }
}

TEST_F(TaskDialogTest, ControlsFollowTheCall)
{
    struct Case {
        bool isNew, askDuration;
        const char* caption;
        bool hoursShown;
        const char* heading;
    };
    const Case cases[] = {
        { true, true, "Add task", true, "Add task" },
        { true, false, "Start a new task", false, "Start a new task" },
        { false, false, "", false, "Name:" },
    };
    for (const Case& c : cases) {
        TRyvItem entry;
        entry.title = QStringLiteral("Title");
        entry.state = ryvsDone;
        WhenShown([&c](TfrmRyvTask* dialog) {
            EXPECT_EQ(Child<QLabel>(dialog, "lbName")->text(), QString::fromUtf8(c.heading));
            EXPECT_EQ(Child<QLineEdit>(dialog, "edHours")->isVisible(), c.hoursShown);
            EXPECT_EQ(Child<QLabel>(dialog, "lbHours")->isVisible(), c.hoursShown);
            if (c.hoursShown) {
                EXPECT_EQ(Child<QLineEdit>(dialog, "edHours")->text(), QStringLiteral("1:00"));
            }
            EXPECT_EQ(Child<QLineEdit>(dialog, "edName")->text(), QStringLiteral("Title"));
            EXPECT_TRUE(Child<QCheckBox>(dialog, "cbTaskDone")->isChecked());
            EXPECT_FALSE(Child<QWidget>(dialog, "lvSuggest")->isVisible());
            EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            dialog->reject();
        });
        Execute(entry, c.isNew, c.askDuration, QString::fromUtf8(c.caption));
    }
}

TEST_F(TaskDialogTest, ClipboardLinkIsProposedOnlyForANewTaskWithoutLink)
{
    struct Case {
        const char* clipboard;
        bool isNew, askDuration;
        const char* url;
        const char* expected;
    };
    const Case cases[] = {
        { "  https://example.com/ticket/1\n", true, false, "", "https://example.com/ticket/1" },
        { "https://example.com/2", true, true, "", "https://example.com/2" },
        { "www.example.com", true, false, "", "www.example.com" },
        { "https://example.com/3", false, false, "", "" }, // editing
        { "https://example.com/4", true, false, "mine", "mine" }, // has a link
        { "just some words", true, false, "", "" }, // no link
        { "a text of more than twenty-three letters://x", true, false, "", "" },
    };
    for (const Case& c : cases) {
        FClipboard.text = QString::fromUtf8(c.clipboard);
        TRyvItem entry;
        entry.url = QString::fromUtf8(c.url);
        WhenShown([](TfrmRyvTask* dialog) { Child<QPushButton>(dialog, "sbOK")->click(); });
        ASSERT_TRUE(Execute(entry, c.isNew, c.askDuration));
        EXPECT_EQ(entry.url, QString::fromUtf8(c.expected)) << c.clipboard;
    }
}

TEST_F(TaskDialogTest, StarChangesFavouritesAtOnceEvenOnCancel)
{
    FFavorites.AddOrUpdate(QStringLiteral("Old fav"), QString(), QString());
    TRyvItem entry;
    entry.title = QStringLiteral("Write report");
    entry.url = QStringLiteral("https://example.com/r");
    WhenShown([](TfrmRyvTask* dialog) {
        auto* star = Child<QToolButton>(dialog, "sbFavorite");
        EXPECT_EQ(star->property("tag").toInt(), 0);
        Child<QPlainTextEdit>(dialog, "mDescr")->setPlainText(QStringLiteral("notes"));
        star->click();
        EXPECT_EQ(star->property("tag").toInt(), 1);
        Child<QPushButton>(dialog, "sbCancel")->click();
    });
    EXPECT_FALSE(Execute(entry, false, false));
    EXPECT_TRUE(FOptions->StateFavsChanged);
    const int found = FFavorites.FindItem(
        QStringLiteral("WRITE REPORT"), QStringLiteral("https://example.com/r"));
    ASSERT_GE(found, 0);
    EXPECT_EQ(FFavorites.Item(found)->descr, QStringLiteral("notes"));

    // Opened again, the star shows the favourite; a click removes it.
    FOptions->StateFavsChanged = false;
    WhenShown([](TfrmRyvTask* dialog) {
        auto* star = Child<QToolButton>(dialog, "sbFavorite");
        EXPECT_EQ(star->property("tag").toInt(), 1);
        star->click();
        dialog->reject();
    });
    Execute(entry, false, false);
    EXPECT_TRUE(FOptions->StateFavsChanged);
    EXPECT_LT(FFavorites.FindItem(entry.title, entry.url), 0);
    EXPECT_EQ(FFavorites.Count(), 1);
}

TEST_F(TaskDialogTest, OpenLinkButtonFollowsTheLinkField)
{
    TRyvItem entry;
    WhenShown([](TfrmRyvTask* dialog) {
        auto* button = Child<QToolButton>(dialog, "sbOpenLink");
        auto* url = Child<QLineEdit>(dialog, "edUrl");
        EXPECT_FALSE(button->isEnabled());
        url->setText(QStringLiteral("   "));
        EXPECT_FALSE(button->isEnabled());
        url->setText(QStringLiteral("~/notes.txt"));
        EXPECT_TRUE(button->isEnabled());
        button->click();
        dialog->reject();
    });
    Execute(entry, false, false);
    EXPECT_EQ(FShell.opened, QStringList { QStringLiteral("~/notes.txt") });
}

TEST_F(TaskDialogTest, SizeIsRememberedForTheNextDialog)
{
    TRyvItem entry;
    WhenShown([](TfrmRyvTask* dialog) {
        dialog->resize(700, 500);
        dialog->reject();
    });
    Execute(entry, false, false);
    EXPECT_EQ(FOptions->TaskDlgSize, QSize(700, 500));

    QSize seen;
    WhenShown([&seen](TfrmRyvTask* dialog) {
        seen = dialog->size();
        dialog->accept();
    });
    Execute(entry, false, false);
    EXPECT_EQ(seen, QSize(700, 500));

    // A remembered size below the minimum is not taken as it stands.
    FOptions->TaskDlgSize = QSize(100, 100);
    WhenShown([&seen](TfrmRyvTask* dialog) {
        seen = dialog->size();
        dialog->accept();
    });
    Execute(entry, false, false);
    EXPECT_GE(seen.width(), TfrmRyvTask::MinWidth);
    EXPECT_GE(seen.height(), TfrmRyvTask::MinHeight);
}

TEST(TaskDialogPlacement, CentredOnTheMainWindowWithinTheWorkArea)
{
    const QRect work(0, 0, 1920, 1040);
    const QSize dialog(547, 400);
    struct Case {
        QRect main;
        bool onShow;
        QPoint expected;
    };
    const Case cases[] = {
        { QRect(600, 300, 700, 500), true, QPoint(676, 350) },
        // Near the right and bottom edges: pushed back inside.
        { QRect(1700, 900, 400, 300), true, QPoint(1920 - 547, 1040 - 400) },
        // Near the left and top edges.
        { QRect(-200, -100, 300, 200), true, QPoint(0, 0) },
        // Main window hidden or minimised: centred on the screen.
        { QRect(1700, 900, 400, 300), false, QPoint((1920 - 547) / 2, (1040 - 400) / 2) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(TfrmRyvTask::Placement(c.main, c.onShow, dialog, work), c.expected)
            << c.main.x() << "," << c.main.y();

    // A work area of a second monitor to the left.
    EXPECT_EQ(TfrmRyvTask::Placement(
                  QRect(-1900, 10, 300, 200), true, dialog, QRect(-1920, 0, 1920, 1080)),
        QPoint(-1920, 0));
}

TEST_F(TaskDialogTest, PinnedMainWindowIsUnpinnedWhileTheDialogIsOpen)
{
    QWidget main;
    main.resize(400, 300);
    main.show();
    ASSERT_NE(main.windowHandle(), nullptr);
    main.windowHandle()->setFlag(Qt::WindowStaysOnTopHint, true);
    FMainWindow = &main;

    bool pinnedDuring = true;
    WhenShown([&](TfrmRyvTask* dialog) {
        pinnedDuring = main.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(dialog->MainWasPinned());
        dialog->reject();
    });
    TRyvItem entry;
    Execute(entry, false, false);
    EXPECT_FALSE(pinnedDuring);
    EXPECT_TRUE(main.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));

    // An unpinned window stays unpinned.
    main.windowHandle()->setFlag(Qt::WindowStaysOnTopHint, false);
    WhenShown([](TfrmRyvTask* dialog) { dialog->reject(); });
    Execute(entry, false, false);
    EXPECT_FALSE(main.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

// The suggestion list of the dialog, driven as the user drives it.
class TaskDialogSuggestTest : public TaskDialogTest {
protected:
    void SetUp() override
    {
        TaskDialogTest::SetUp();
        FOptions->AutoShowSuggest = true;
    }

    // A window with an icon, favourites, a page tied to the window, recent
    // tasks and the clipboard.
    void FillSources()
    {
        FWindows.windows
            = { test::Window("Budget 2024 - Sheets", "/usr/bin/sheets", "Sheets", true),
                  test::Window("Inbox - Mail Client", "/usr/bin/mail", "Mail Client", false),
                  test::Window("Release checklist \u2014 Mozilla Firefox", "/usr/bin/firefox",
                      "Firefox", true) };
        FFavorites.AddOrUpdate(QStringLiteral("Write report"), QString(), QStringLiteral("notes"));
        FFavorites.AddOrUpdate(
            QStringLiteral("Ticket queue"), QStringLiteral("https://tracker/q"), QString());
        FHistory.visits
            = { TBrowserVisit { QStringLiteral("https://wiki/page"), QStringLiteral("Wiki page"),
                QStringLiteral("Firefox"), FClock.Now() - 2 * OneMinute, true } };
        FRecent.AddOrUpdate(QStringLiteral("Standup"), QString(), QString());
        FClipboard.text = QStringLiteral("https://clip/1");
    }

    static QTreeWidget* List(TfrmRyvTask* dialog)
    {
        return Child<QTreeWidget>(dialog, "lvSuggest");
    }

    // "title | source | image" of each row.
    static QStringList Rows(TfrmRyvTask* dialog)
    {
        QStringList rows;
        QTreeWidget* list = List(dialog);
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = list->topLevelItem(i);
            rows.append(QStringLiteral("%1 | %2 | %3")
                            .arg(row->text(0), row->text(1))
                            .arg(row->data(0, TfrmRyvTask::ImageRole).toInt()));
        }
        return rows;
    }

    static int CurrentRow(TfrmRyvTask* dialog)
    {
        QTreeWidget* list = List(dialog);
        return list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
    }

    static void SelectRow(TfrmRyvTask* dialog, const QString& title)
    {
        QTreeWidget* list = List(dialog);
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->text(0) == title) {
                list->setCurrentItem(list->topLevelItem(i));
                return;
            }
        }
        ADD_FAILURE() << "no row " << title.toStdString();
    }

    // Runs action while the dialog is open and its list shown (the timer
    // fired by hand), then cancels the dialog.
    void WithList(std::function<void(TfrmRyvTask*)> action, const QString& title = QString(),
        const TRyvItem* previous = nullptr)
    {
        TRyvItem entry;
        entry.title = title;
        WhenShown([action](TfrmRyvTask* dialog) {
            dialog->timerSuggestTimer();
            action(dialog);
            QApplication::processEvents();
            dialog->QDialog::reject();
        });
        Execute(entry, true, false, QString(), previous);
    }
};

TEST_F(TaskDialogSuggestTest, ListShowsEverySourceWithItsImage)
{
    FillSources();
    TRyvItem previous;
    previous.title = QStringLiteral("Before");
    WithList(
        [](TfrmRyvTask* dialog) {
            EXPECT_TRUE(List(dialog)->isVisible());
            // Fixed images 0 to 4; the first window's icon becomes image 5,
            // the browser's 6, which its page shares; a window without an
            // icon shows image 1.
            EXPECT_EQ(Rows(dialog),
                QStringList({
                    "Before | Recently used | 3",
                    "Budget 2024 | Sheets | 5",
                    "Inbox | Mail Client | 1",
                    "Release checklist | Firefox | 6",
                    "Write report | Favorites | 2",
                    "Ticket queue | Favorites | 2",
                    "Wiki page | Firefox | 6",
                    "Standup | Previous task | 3",
                    "https://clip/1 | Clipboard | 1",
                }));
            EXPECT_EQ(CurrentRow(dialog), 0);
            EXPECT_TRUE(List(dialog)->currentItem()->isSelected());
            // The list lies under the title, no lower than the done mark.
            const QRect list = List(dialog)->geometry();
            EXPECT_EQ(list.top(), Child<QLineEdit>(dialog, "edName")->geometry().bottom() + 1);
            EXPECT_LE(list.bottom(), Child<QCheckBox>(dialog, "cbTaskDone")->geometry().bottom());
            // The title was not empty, so it was kept.
            EXPECT_EQ(Child<QLineEdit>(dialog, "edName")->text(), QStringLiteral("Task #1"));
        },
        QStringLiteral("Task #1"), &previous);
}

TEST_F(TaskDialogSuggestTest, FirstSuggestionFillsAnEmptyTitle)
{
    TRyvItem previous;
    previous.title = QStringLiteral("Before");
    previous.url = QStringLiteral("https://before");
    previous.descr = QStringLiteral("what came before");
    WithList(
        [](TfrmRyvTask* dialog) {
            EXPECT_EQ(Child<QLineEdit>(dialog, "edName")->text(), QStringLiteral("Before"));
            EXPECT_EQ(Child<QLineEdit>(dialog, "edUrl")->text(), QStringLiteral("https://before"));
            EXPECT_EQ(Child<QPlainTextEdit>(dialog, "mDescr")->toPlainText(),
                QStringLiteral("what came before"));
        },
        QStringLiteral("  "), &previous);
}

TEST_F(TaskDialogSuggestTest, TypingFiltersAndSourcesAreGatheredOnce)
{
    FillSources();
    WithList([this](TfrmRyvTask* dialog) {
        auto* name = Child<QLineEdit>(dialog, "edName");
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("mail"));
        auto* timer = Child<QTimer>(dialog, "timerSuggest");
        EXPECT_TRUE(timer->isActive());
        dialog->timerSuggestTimer();
        // The source counts: "Mail Client" matches without "mail" in the title.
        EXPECT_EQ(Rows(dialog), QStringList({ "Inbox | Mail Client | 1" }));
        // Only the text before the caret filters.
        name->setText(QStringLiteral("wxyz"));
        name->setCursorPosition(1);
        dialog->timerSuggestTimer();
        EXPECT_EQ(Rows(dialog),
            QStringList({ "Write report | Favorites | 2", "Wiki page | Firefox | 6" }));
        // Nothing matches: the list closes.
        name->setText(QStringLiteral("nothing like it"));
        dialog->timerSuggestTimer();
        EXPECT_FALSE(List(dialog)->isVisible());
        EXPECT_EQ(FWindows.calls, 1);
    });
}

TEST_F(TaskDialogSuggestTest, GatheringThatFoundNothingIsTriedAgain)
{
    WithList([this](TfrmRyvTask* dialog) {
        EXPECT_FALSE(List(dialog)->isVisible());
        FFavorites.AddOrUpdate(QStringLiteral("Added meanwhile"), QString(), QString());
        Child<QToolButton>(dialog, "sbSuggest")->click();
        EXPECT_EQ(Rows(dialog), QStringList({ "Added meanwhile | Favorites | 2" }));
        EXPECT_EQ(FWindows.calls, 2);
        // The button closes the open list.
        Child<QToolButton>(dialog, "sbSuggest")->click();
        EXPECT_FALSE(List(dialog)->isVisible());
    });
}

TEST_F(TaskDialogSuggestTest, ArrowAndPageKeysMoveTheSelection)
{
    for (int i = 0; i < 40; ++i)
        FFavorites.AddOrUpdate(QStringLiteral("Task %1").arg(i), QString(), QString());
    WithList([](TfrmRyvTask* dialog) {
        QTreeWidget* list = List(dialog);
        auto* name = Child<QLineEdit>(dialog, "edName");
        name->setFocus();
        const int n = list->topLevelItemCount();
        ASSERT_EQ(n, 40);
        const int page
            = list->viewport()->height() / list->visualItemRect(list->topLevelItem(0)).height();
        ASSERT_GT(page, 1);
        struct Case {
            const char* what;
            int from; // -1: no focused row
            Qt::Key key;
            int to;
        };
        const Case cases[] = {
            { "down", 0, Qt::Key_Down, 1 },
            { "down at the end", n - 1, Qt::Key_Down, n - 1 },
            { "up", 5, Qt::Key_Up, 4 },
            { "up at the top", 0, Qt::Key_Up, 0 },
            { "page down", 2, Qt::Key_PageDown, 2 + page },
            { "page down past the end", n - 2, Qt::Key_PageDown, n - 1 },
            { "page up", 30, Qt::Key_PageUp, 30 - page },
            { "page up past the top", 1, Qt::Key_PageUp, 0 },
            { "down without focused row", -1, Qt::Key_Down, 0 },
            { "page down without focused row", -1, Qt::Key_PageDown, 0 },
            { "up without focused row", -1, Qt::Key_Up, n - 1 },
            { "page up without focused row", -1, Qt::Key_PageUp, n - 1 },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            list->setCurrentItem(c.from >= 0 ? list->topLevelItem(c.from) : nullptr);
            name->setText(QStringLiteral("Task"));
            name->setCursorPosition(2);
            QTest::keyClick(name, c.key);
            EXPECT_EQ(CurrentRow(dialog), c.to);
            EXPECT_TRUE(list->currentItem()->isSelected());
            // The keys never reach the title field.
            EXPECT_EQ(name->cursorPosition(), 2);
        }
        // The mouse wheel over the list: towards the user the next row.
        list->setCurrentItem(list->topLevelItem(3));
        const QPointF at = list->viewport()->rect().center();
        for (int delta : { -120, 120, 120 }) {
            QWheelEvent wheel(at, list->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list->viewport(), &wheel);
        }
        EXPECT_EQ(CurrentRow(dialog), 2);

        // With the list closed a key opens it (through the timer).
        Child<QPushButton>(dialog, "sbCancel")->click();
        EXPECT_FALSE(list->isVisible());
        QTest::keyClick(name, Qt::Key_Down);
        EXPECT_TRUE(Child<QTimer>(dialog, "timerSuggest")->isActive());
    });
}

TEST_F(TaskDialogSuggestTest, EnterTakesTheSuggestionAndEscapeClosesTheListFirst)
{
    FillSources();
    TRyvItem entry;
    bool stillOpen = false;
    WhenShown([&stillOpen](TfrmRyvTask* dialog) {
        dialog->timerSuggestTimer();
        auto* name = Child<QLineEdit>(dialog, "edName");
        name->setFocus();
        // Escape with the list open only closes the list.
        QTest::keyClick(name, Qt::Key_Escape);
        EXPECT_FALSE(List(dialog)->isVisible());
        EXPECT_TRUE(dialog->isVisible());
        // The first suggestion filled the empty title, which would filter
        // the list now; the button shows all.
        EXPECT_EQ(name->text(), QStringLiteral("Budget 2024"));
        Child<QToolButton>(dialog, "sbSuggest")->click();
        name->setFocus();
        SelectRow(dialog, QStringLiteral("Ticket queue"));
        QTest::keyClick(name, Qt::Key_Return);
        stillOpen = dialog->isVisible();
        EXPECT_FALSE(List(dialog)->isVisible());
        EXPECT_EQ(name->text(), QStringLiteral("Ticket queue"));
        EXPECT_EQ(name->cursorPosition(), name->text().size());
        EXPECT_EQ(Child<QLineEdit>(dialog, "edUrl")->text(), QStringLiteral("https://tracker/q"));
        // Taking it did not open the list again.
        EXPECT_FALSE(Child<QTimer>(dialog, "timerSuggest")->isActive());
        QTest::keyClick(name, Qt::Key_Return);
    });
    ASSERT_TRUE(Execute(entry, true, false));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(entry.title, QStringLiteral("Ticket queue"));
    EXPECT_EQ(entry.url, QStringLiteral("https://tracker/q"));
}

// Only Escape and Cancel close the list first. Any other request to close the
// dialog closes it with the list: the window manager's close button, and the
// application's quit at a session's end, which closes each window in turn and
// gives up at the first one that stays open.
TEST_F(TaskDialogSuggestTest, OtherCloseRequestsCloseTheDialogWhileTheListShows)
{
    FillSources();
    const std::pair<const char*, std::function<void(TfrmRyvTask*)>> requests[] = {
        { "close()", [](TfrmRyvTask* dialog) { dialog->close(); } },
        { "window close", [](TfrmRyvTask* dialog) { dialog->windowHandle()->close(); } },
    };
    for (const auto& [name, request] : requests) {
        SCOPED_TRACE(name);
        TRyvItem entry;
        entry.title = QStringLiteral("As it was");
        bool listShown = false;
        bool closed = false;
        WhenShown([&, request = request](TfrmRyvTask* dialog) {
            dialog->timerSuggestTimer();
            listShown = List(dialog)->isVisible();
            request(dialog);
            closed = !dialog->isVisible();
            if (!closed)
                dialog->QDialog::reject();
        });
        EXPECT_FALSE(Execute(entry, true, false));
        EXPECT_TRUE(listShown);
        EXPECT_TRUE(closed);
        EXPECT_EQ(entry.title, QStringLiteral("As it was"));
    }
}

TEST_F(TaskDialogSuggestTest, ClipboardLinkGoesWithASuggestionWithoutLink)
{
    FillSources();
    struct Case {
        const char* row;
        const char* url;
        const char* descr;
    };
    const Case cases[] = {
        { "Write report", "https://clip/1", "notes" }, // a favourite without link
        { "Ticket queue", "https://tracker/q", "" }, // its own link
        { "Wiki page", "https://wiki/page", "" },
        { "Budget 2024", "https://clip/1", "" }, // a window with an icon
        { "Inbox", "", "" }, // a window shown without an icon: image 1
        { "https://clip/1", "", "" }, // the clipboard itself: the link is its title
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        WithList([&c](TfrmRyvTask* dialog) {
            Child<QLineEdit>(dialog, "edUrl")->setText(QStringLiteral("typed before"));
            SelectRow(dialog, QString::fromUtf8(c.row));
            Child<QPushButton>(dialog, "sbOK")->click();
            EXPECT_EQ(Child<QLineEdit>(dialog, "edUrl")->text(), QString::fromUtf8(c.url));
            EXPECT_EQ(
                Child<QPlainTextEdit>(dialog, "mDescr")->toPlainText(), QString::fromUtf8(c.descr));
        });
    }
}

TEST_F(TaskDialogSuggestTest, ExcludingAndIncludingASource)
{
    FillSources();
    FOptions->ExcludedApps = { QStringLiteral("Zeta & Co"), QStringLiteral("alpha") };
    WithList([this](TfrmRyvTask* dialog) {
        auto* menu = Child<QMenu>(dialog, "pumSuggest");
        auto* exclude = Child<QAction>(dialog, "miExcludeSrc");
        auto* excluded = Child<QMenu>(dialog, "miExcluded");
        EXPECT_EQ(exclude->text(), QStringLiteral("Exclude source"));
        EXPECT_EQ(excluded->title(), QStringLiteral("Excluded sources"));

        SelectRow(dialog, QStringLiteral("Release checklist"));
        exclude->trigger();
        // Every suggestion of the source goes at once, its page included.
        EXPECT_EQ(Rows(dialog).filter(QStringLiteral("Firefox")), QStringList());
        EXPECT_EQ(FOptions->ExcludedApps, QStringList({ "alpha", "Firefox", "Zeta & Co" }));

        menu->popup(QPoint(0, 0));
        QStringList captions;
        for (QAction* a : excluded->actions())
            captions.append(a->text());
        EXPECT_EQ(captions, QStringList({ "alpha", "Firefox", "Zeta && Co" }));
        excluded->actions().at(1)->trigger();
        menu->close();
        EXPECT_EQ(FOptions->ExcludedApps, QStringList({ "alpha", "Zeta & Co" }));
        EXPECT_EQ(Rows(dialog).filter(QStringLiteral("Firefox")).size(), 2);

        // The last source's suggestions gone: the list closes.
        FOptions->ExcludedApps.clear();
        for (const char* source : { "Recently used", "Sheets", "Mail Client", "Firefox",
                 "Favorites", "Previous task", "Clipboard" })
            FOptions->ExcludedApps.append(QString::fromUtf8(source));
        FOptions->ExcludedApps.removeAll(QStringLiteral("Clipboard"));
        SelectRow(dialog, QStringLiteral("https://clip/1"));
        menu->popup(QPoint(0, 0));
        menu->close();
        exclude->trigger();
        EXPECT_FALSE(List(dialog)->isVisible());
    });
    // The excluded sources outlive the dialog.
    EXPECT_TRUE(FOptions->ExcludedApps.contains(QStringLiteral("Clipboard")));
}

TEST_F(TaskDialogSuggestTest, MenuTextsFollowTheLanguage)
{
    TAppTextsScope german;
    german.Texts().str_excludesrc = QStringLiteral("Quelle ausschlie\u00dfen");
    german.Texts().str_excludedsrcs = QStringLiteral("Ausgeschlossene Quellen");
    WithList([](TfrmRyvTask* dialog) {
        EXPECT_EQ(Child<QAction>(dialog, "miExcludeSrc")->text(),
            QStringLiteral("Quelle ausschlie\u00dfen"));
        EXPECT_EQ(
            Child<QMenu>(dialog, "miExcluded")->title(), QStringLiteral("Ausgeschlossene Quellen"));
    });
}

TEST_F(TaskDialogSuggestTest, WithoutAutoShowTheListWaitsForTheUser)
{
    FOptions->AutoShowSuggest = false;
    FillSources();
    TRyvItem entry;
    WhenShown([this](TfrmRyvTask* dialog) {
        EXPECT_FALSE(Child<QTimer>(dialog, "timerSuggest")->isActive());
        EXPECT_EQ(FWindows.calls, 0);
        dialog->reject();
    });
    Execute(entry, true, false);
    // With the option on, a new task opens the list at once.
    FOptions->AutoShowSuggest = true;
    WhenShown([](TfrmRyvTask* dialog) {
        EXPECT_TRUE(Child<QTimer>(dialog, "timerSuggest")->isActive());
        dialog->reject();
    });
    Execute(entry, true, false);
}

} // namespace
} // namespace ryv
