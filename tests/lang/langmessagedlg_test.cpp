#include "lang/dialogtexts.h"
#include "lang/langmessagedlg.h"
#include "lang/usermessages.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace ryv {
namespace {

// Runs action on the message box as soon as it is shown modally.
void WhenShown(std::function<void(QMessageBox*)> action)
{
    QTimer::singleShot(0, [action] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        action(box);
    });
}

void Click(QMessageBox* box, const char* name)
{
    auto* button = box->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

class LangMessageDlgTest : public ::testing::Test { };

TEST_F(LangMessageDlgTest, CaptionAndIconFollowTheKind)
{
    struct Case {
        TMsgDlgType type;
        const char* caption;
        QMessageBox::Icon icon;
    };
    const Case cases[] = {
        { mtWarning, "Warning", QMessageBox::Warning },
        { mtError, "Error", QMessageBox::Critical },
        { mtInformation, "Information", QMessageBox::Information },
        { mtConfirmation, "Confirm", QMessageBox::Question },
        { mtCustom, "Ryv Tracker", QMessageBox::NoIcon },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        TMessageBoxRequest request;
        request.Msg = QStringLiteral("Body");
        request.DlgType = c.type;
        std::unique_ptr<QMessageBox> box(CreateLangMessageBox(request, nullptr));
        EXPECT_EQ(box->windowTitle(), QString::fromLatin1(c.caption));
        EXPECT_EQ(box->icon(), c.icon);
        // Without a title the application's title heads the message.
        EXPECT_EQ(box->text(), QStringLiteral("Ryv Tracker"));
        EXPECT_EQ(box->informativeText(), QStringLiteral("Body"));
    }
}

TEST_F(LangMessageDlgTest, EveryButtonGivesItsResult)
{
    struct Case {
        TMsgDlgBtn button;
        const char* name;
        const char* text;
        int result;
    };
    const Case cases[] = {
        { mbYes, "Yes", "&Yes", 6 },
        { mbNo, "No", "&No", 7 },
        { mbOK, "OK", "OK", 1 },
        { mbCancel, "Cancel", "Cancel", 2 },
        { mbAbort, "Abort", "&Abort", 3 },
        { mbRetry, "Retry", "&Retry", 4 },
        { mbIgnore, "Ignore", "&Ignore", 5 },
        { mbAll, "All", "&All", 12 },
        { mbNoToAll, "NoToAll", "N&o to All", 13 },
        { mbYesToAll, "YesToAll", "Yes to &All", 14 },
        { mbClose, "Close", "&Close", 8 },
    };
    TMsgDlgButtons all;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        all |= c.button;
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MsgDlgButtonResult(c.button), c.result);
        WhenShown([&](QMessageBox* box) {
            auto* button = box->findChild<QPushButton*>(QString::fromLatin1(c.name));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text(), QString::fromUtf8(c.text));
            button->click();
        });
        EXPECT_EQ(
            LangMessageDlg(QString(), QStringLiteral("?"), mtConfirmation, all, mbOK), c.result);
    }
}

TEST_F(LangMessageDlgTest, HelpKeepsTheBoxOpen)
{
    int shown = 0;
    std::function<void(QMessageBox*)> step = [&](QMessageBox* box) {
        ++shown;
        if (shown == 1) {
            WhenShown(step); // the box comes back after Help
            Click(box, "Help");
        } else {
            Click(box, "OK");
        }
    };
    WhenShown(step);
    EXPECT_EQ(LangMessageDlg(QStringLiteral("T"), QStringLiteral("M"), mtInformation,
                  TMsgDlgButtons(mbOK) | mbHelp, mbOK),
        mrOk);
    EXPECT_EQ(shown, 2);
}

TEST_F(LangMessageDlgTest, DefaultAndEscapeButtons)
{
    struct Case {
        const char* name;
        TMsgDlgButtons buttons;
        TMsgDlgBtn defaultButton;
        int escapeResult;
    };
    const Case cases[] = {
        { "Yes No", TMsgDlgButtons(mbYes) | mbNo, mbNo, mrNo },
        { "Yes No Cancel", TMsgDlgButtons(mbYes) | mbNo | mbCancel, mbYes, mrCancel },
        { "OK", TMsgDlgButtons(mbOK), mbOK, mrOk },
        { "Retry Close", TMsgDlgButtons(mbRetry) | mbClose, mbRetry, mrClose },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMessageBoxRequest request;
        request.Buttons = c.buttons;
        request.DefaultButton = c.defaultButton;
        std::unique_ptr<QMessageBox> box(CreateLangMessageBox(request, nullptr));
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->defaultButton()->property("modalResult").toInt(),
            MsgDlgButtonResult(c.defaultButton));

        WhenShown([](QMessageBox* shown) { QTest::keyClick(shown, Qt::Key_Escape); });
        EXPECT_EQ(ShowLangMessageBox(request, nullptr), c.escapeResult);
    }
}

TEST_F(LangMessageDlgTest, ButtonsUseTheCurrentLanguage)
{
    TDialogTextsScope german;
    german.Texts().lng_MsgBtnYes = QStringLiteral("&Ja");
    german.Texts().lng_MsgDlgConfirm = QStringLiteral("Bestätigen");
    TMessageBoxRequest request;
    request.DlgType = mtConfirmation;
    request.Buttons = TMsgDlgButtons(mbYes) | mbNo;
    std::unique_ptr<QMessageBox> box(CreateLangMessageBox(request, nullptr));
    EXPECT_EQ(box->findChild<QPushButton*>(QStringLiteral("Yes"))->text(), QStringLiteral("&Ja"));
    EXPECT_EQ(box->findChild<QPushButton*>(QStringLiteral("No"))->text(), QStringLiteral("&No"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Bestätigen"));
}

TEST_F(LangMessageDlgTest, MessageIsPlainText)
{
    TMessageBoxRequest request;
    request.Title = QStringLiteral("Tom & Jerry");
    request.Msg = QStringLiteral("<b>not bold</b> & more");
    std::unique_ptr<QMessageBox> box(CreateLangMessageBox(request, nullptr));
    box->show();
    int found = 0;
    for (QLabel* label : box->findChildren<QLabel*>()) {
        if (label->text() == request.Title || label->text() == request.Msg) {
            ++found;
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
        }
    }
    EXPECT_EQ(found, 2);
    box->hide();
}

TEST_F(LangMessageDlgTest, PlacedInTheWorkAreaOfTheParentsMonitor)
{
    QWidget parent;
    parent.setGeometry(50, 50, 200, 100);
    parent.show();
    const QRect area = parent.screen()->availableGeometry();
    struct Case {
        int x, y;
    };
    for (const Case c : { Case { -1, -1 }, Case { 10, 20 }, Case { -1, 30 } }) {
        SCOPED_TRACE(::testing::Message() << "at " << c.x << ", " << c.y);
        QRect seen;
        WhenShown([&](QMessageBox* box) {
            seen = box->frameGeometry();
            Click(box, "OK");
        });
        LangMessageDlg(QStringLiteral("Title"), QStringLiteral("Message"), mtInformation, mbOK,
            mbOK, c.x, c.y, QString(), &parent);
        ASSERT_TRUE(seen.isValid());
        EXPECT_GE(seen.width(), 300);
        if (c.x < 0)
            EXPECT_NEAR(seen.center().x(), area.center().x(), 1);
        else
            EXPECT_EQ(seen.left(), area.left() + c.x);
        if (c.y < 0)
            EXPECT_NEAR(seen.center().y(), area.center().y(), 1);
        else
            EXPECT_EQ(seen.top(), area.top() + c.y);
    }
}

// A message far taller than the screen, such as a long list of errors,
// scrolls inside the box, and the box with its buttons stays within the work
// area; a short message keeps the plain box.
TEST_F(LangMessageDlgTest, LongMessageScrollsInsteadOfOutgrowingTheScreen)
{
    QStringList lines;
    for (int i = 1; i <= 400; ++i)
        lines << QStringLiteral("Error %1: the entry has no such property").arg(i);
    for (const bool standardForm : { false, true }) {
        SCOPED_TRACE(standardForm ? "standard form" : "title and message");
        TMessageBoxRequest request;
        request.Title = QStringLiteral("Errors");
        request.Msg = lines.join(QLatin1Char('\n'));
        request.DlgType = mtWarning;
        request.StandardForm = standardForm;
        std::unique_ptr<QMessageBox> box(CreateLangMessageBox(request, nullptr));
        box->show();
        QCoreApplication::processEvents();
        const QRect area = box->screen()->availableGeometry();
        EXPECT_LE(box->frameGeometry().height(), area.height());
        EXPECT_TRUE(area.contains(box->frameGeometry())) << box->frameGeometry().y();
        auto* scroll = box->findChild<QScrollArea*>();
        ASSERT_NE(scroll, nullptr);
        auto* label = qobject_cast<QLabel*>(scroll->widget());
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), request.Msg);
        EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
        auto* ok = box->findChild<QPushButton*>(QStringLiteral("OK"));
        ASSERT_NE(ok, nullptr);
        EXPECT_TRUE(box->rect().contains(ok->geometry().translated(ok->parentWidget()->pos())));
        box->hide();
    }

    TMessageBoxRequest shortRequest;
    shortRequest.Msg = QStringLiteral("One error");
    std::unique_ptr<QMessageBox> box(CreateLangMessageBox(shortRequest, nullptr));
    box->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(box->findChild<QScrollArea*>(), nullptr);
    box->hide();
}

TEST_F(LangMessageDlgTest, UserMessagesAskYesNoAndWarnWithOk)
{
    TUserMessages messages;
    struct Case {
        const char* press; // a button name, or nullptr for Escape
        bool expected;
    };
    for (const Case c : { Case { "Yes", true }, Case { "No", false }, Case { nullptr, false } }) {
        SCOPED_TRACE(c.press ? c.press : "Escape");
        WhenShown([&](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Ryv Tracker"));
            EXPECT_EQ(box->text(), QStringLiteral("Delete?"));
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            if (c.press)
                Click(box, c.press);
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        EXPECT_EQ(messages.ConfirmYesNo(QStringLiteral("Delete?")), c.expected);
    }

    bool warned = false;
    WhenShown([&](QMessageBox* box) {
        warned = true;
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->buttons().size(), 1);
        Click(box, "OK");
    });
    messages.Warning(QStringLiteral("Cannot save data!\n\nDisk full"));
    EXPECT_TRUE(warned);
}

} // namespace
} // namespace ryv
