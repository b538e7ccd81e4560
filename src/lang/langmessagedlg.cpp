#include "lang/langmessagedlg.h"

#include "lang/dialogtexts.h"
#include "platform/shell.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <array>
#include <memory>

namespace ryv {
namespace {

struct TButtonEntry {
    TMsgDlgBtn button;
    QString TDialogTexts::*text;
    QMessageBox::ButtonRole role;
    int result;
    const char* name; // object name, by which the button is found
};

// In the order in which the buttons appear.
const std::array<TButtonEntry, 12> ButtonTable { {
    { mbYes, &TDialogTexts::lng_MsgBtnYes, QMessageBox::YesRole, mrYes, "Yes" },
    { mbNo, &TDialogTexts::lng_MsgBtnNo, QMessageBox::NoRole, mrNo, "No" },
    { mbOK, &TDialogTexts::lng_MsgBtnOK, QMessageBox::AcceptRole, mrOk, "OK" },
    { mbCancel, &TDialogTexts::lng_MsgBtnCancel, QMessageBox::RejectRole, mrCancel, "Cancel" },
    { mbAbort, &TDialogTexts::lng_MsgBtnAbort, QMessageBox::RejectRole, mrAbort, "Abort" },
    { mbRetry, &TDialogTexts::lng_MsgBtnRetry, QMessageBox::AcceptRole, mrRetry, "Retry" },
    { mbIgnore, &TDialogTexts::lng_MsgBtnIgnore, QMessageBox::AcceptRole, mrIgnore, "Ignore" },
    { mbAll, &TDialogTexts::lng_MsgBtnAll, QMessageBox::YesRole, mrAll, "All" },
    { mbNoToAll, &TDialogTexts::lng_MsgBtnNoToAll, QMessageBox::NoRole, mrNoToAll, "NoToAll" },
    { mbYesToAll, &TDialogTexts::lng_MsgBtnYesToAll, QMessageBox::YesRole, mrYesToAll, "YesToAll" },
    { mbHelp, &TDialogTexts::lng_MsgBtnHelp, QMessageBox::HelpRole, mrHelp, "Help" },
    { mbClose, &TDialogTexts::lng_MsgBtnClose, QMessageBox::RejectRole, mrClose, "Close" },
} };

// Which button answers Escape and the window's close button, best first.
constexpr std::array<TMsgDlgBtn, 4> EscapeOrder { mbCancel, mbClose, mbNo, mbOK };

constexpr int MinClientWidth = 300;

const char* const ResultProperty = "modalResult";

QString ApplicationTitle()
{
    const QString title = QGuiApplication::applicationDisplayName();
    return title.isEmpty() ? QStringLiteral("Ryv Tracker") : title;
}

QString KindCaption(TMsgDlgType type)
{
    const TDialogTexts& texts = DialogTexts();
    switch (type) {
    case mtWarning:
        return texts.lng_MsgDlgWarning;
    case mtError:
        return texts.lng_MsgDlgError;
    case mtInformation:
        return texts.lng_MsgDlgInformation;
    case mtConfirmation:
        return texts.lng_MsgDlgConfirm;
    case mtCustom:
        break;
    }
    return ApplicationTitle();
}

QMessageBox::Icon KindIcon(TMsgDlgType type)
{
    switch (type) {
    case mtWarning:
        return QMessageBox::Warning;
    case mtError:
        return QMessageBox::Critical;
    case mtInformation:
        return QMessageBox::Information;
    case mtConfirmation:
        return QMessageBox::Question;
    case mtCustom:
        break;
    }
    return QMessageBox::NoIcon;
}

// Places itself once its size is known, before it appears on screen.
class TLangMessageBox final : public QMessageBox {
public:
    TLangMessageBox(QWidget* parent, int x, int y)
        : QMessageBox(parent)
        , FX(x)
        , FY(y)
    {
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (width() < MinClientWidth)
            setFixedWidth(MinClientWidth);
        Place();
    }

private:
    void Place()
    {
        const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        const QRect area = screen->availableGeometry();
        const QSize size = frameGeometry().size();
        const int left
            = FX < 0 ? area.left() + (area.width() - size.width()) / 2 : area.left() + FX;
        const int top = FY < 0 ? area.top() + (area.height() - size.height()) / 2 : area.top() + FY;
        move(left, top);
    }

    int FX;
    int FY;
};

} // namespace

int MsgDlgButtonResult(TMsgDlgBtn button)
{
    for (const TButtonEntry& entry : ButtonTable)
        if (entry.button == button)
            return entry.result;
    return mrNone;
}

QMessageBox* CreateLangMessageBox(const TMessageBoxRequest& request, QWidget* parent)
{
    auto* box = new TLangMessageBox(parent, request.X, request.Y);
    box->setIcon(KindIcon(request.DlgType));
    // Texts are shown as they stand: "&" and "<" are plain characters.
    box->setTextFormat(Qt::PlainText);
    if (request.StandardForm) {
        box->setWindowTitle(request.Title.isEmpty() ? ApplicationTitle() : request.Title);
        box->setText(request.Msg);
    } else {
        box->setWindowTitle(KindCaption(request.DlgType));
        box->setText(request.Title.isEmpty() ? ApplicationTitle() : request.Title);
        box->setInformativeText(request.Msg);
        // QMessageBox guesses the format of this label on its own.
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
            label->setTextFormat(Qt::PlainText);
    }

    const TDialogTexts& texts = DialogTexts();
    for (const TButtonEntry& entry : ButtonTable) {
        if (!request.Buttons.testFlag(entry.button))
            continue;
        QPushButton* button = box->addButton(texts.*entry.text, entry.role);
        button->setProperty(ResultProperty, entry.result);
        button->setObjectName(QString::fromLatin1(entry.name));
        if (entry.button == request.DefaultButton)
            box->setDefaultButton(button);
    }
    const QList<QAbstractButton*> buttons = box->buttons();
    for (TMsgDlgBtn candidate : EscapeOrder) {
        if (!request.Buttons.testFlag(candidate))
            continue;
        for (QAbstractButton* button : buttons)
            if (button->property(ResultProperty).toInt() == MsgDlgButtonResult(candidate)) {
                box->setEscapeButton(button);
                return box;
            }
    }
    return box;
}

int ShowLangMessageBox(const TMessageBoxRequest& request, QWidget* parent)
{
    std::unique_ptr<QMessageBox> box(CreateLangMessageBox(request, parent));
    while (true) {
        box->exec();
        QAbstractButton* clicked = box->clickedButton();
        if (!clicked)
            return mrNone;
        const int result = clicked->property(ResultProperty).toInt();
        if (result != mrHelp)
            return result;
        if (!request.HelpFileName.isEmpty())
            ShellOpen(request.HelpFileName);
    }
}

int LangMessageDlg(const QString& title, const QString& msg, TMsgDlgType dlgType,
    TMsgDlgButtons buttons, TMsgDlgBtn defaultButton, int x, int y, const QString& helpFileName,
    QWidget* parent)
{
    TMessageBoxRequest request;
    request.Title = title;
    request.Msg = msg;
    request.DlgType = dlgType;
    request.Buttons = buttons;
    request.DefaultButton = defaultButton;
    request.X = x;
    request.Y = y;
    request.HelpFileName = helpFileName;
    return ShowLangMessageBox(request, parent);
}

} // namespace ryv
