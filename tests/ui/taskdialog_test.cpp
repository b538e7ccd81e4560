#include "ui/taskdialog.h"

#include "core/fakeports.h"
#include "core/regional.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
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

    bool Execute(TRyvItem& entry, bool isNew, bool askDuration, const QString& caption = QString())
    {
        TTaskDialog dialogs(*FOptions, FFavorites, FClipboard, FShell, FMainWindow);
        return dialogs.ExecuteTaskDialog(entry, caption, isNew, askDuration, nullptr, false);
    }

    TRegionalScope FLocale { "en_US" };
    QTemporaryDir FFolder;
    std::unique_ptr<TRyvOptions> FOptions;
    TRyvItemList FFavorites;
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

} // namespace
} // namespace ryv
