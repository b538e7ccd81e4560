#include "lang/langmessagedlg.h"

#include "lang/dialogtexts.h"
#include "platform/shell.h"
#include "platform/versioninfo.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QWindow>

#include <algorithm>
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
    return TVersionInfo::ProgramTitle();
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

// Widens itself to the minimum width and places itself once its final size
// is known, before it appears on screen.
class TLangMessageBox final : public QMessageBox {
public:
    TLangMessageBox(QWidget* parent, const TMessageBoxRequest& request)
        : QMessageBox(parent)
        , FX(request.X)
        , FY(request.Y)
        , FRequest(request)
    {
    }

    // The texts of the language in force: caption, message and buttons.
    void ShowTexts()
    {
        const QString msg = FRequest.MsgSource ? FRequest.MsgSource() : FRequest.Msg;
        if (FRequest.StandardForm) {
            setWindowTitle(FRequest.Title.isEmpty() ? ApplicationTitle() : FRequest.Title);
            setText(msg);
        } else {
            setWindowTitle(KindCaption(FRequest.DlgType));
            setText(FRequest.Title.isEmpty() ? ApplicationTitle() : FRequest.Title);
            setInformativeText(msg);
            // QMessageBox guesses the format of this label on its own.
            if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
                label->setTextFormat(Qt::PlainText);
        }
        const TDialogTexts& texts = DialogTexts();
        for (QAbstractButton* button : buttons()) {
            for (const TButtonEntry& entry : ButtonTable) {
                if (button->objectName() == QLatin1String(entry.name))
                    button->setText(texts.*entry.text);
            }
        }
    }

protected:
    void changeEvent(QEvent* event) override
    {
        QMessageBox::changeEvent(event);
        if (event->type() == QEvent::LanguageChange)
            ShowTexts();
    }

    void showEvent(QShowEvent* event) override
    {
        // QMessageBox fixes its size from its layout's minimum whenever it is
        // shown or laid out again, so a fixed width set from outside does not
        // last; a minimum inside the layout does. The button strip spans the
        // whole width: it carries the minimum, and its buttons keep their
        // place at its end.
        if (auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("qt_msgbox_buttonbox"))) {
            const QMargins margins = layout() ? layout()->contentsMargins() : QMargins();
            buttons->setMinimumWidth(MinClientWidth - margins.left() - margins.right());
        }
        // Lays the box out and fixes its size.
        QMessageBox::showEvent(event);
        ScrollLongMessage();
        // An X11 window manager adds its frame only once the box is on
        // screen; until then the owner's frame tells how large it will be.
        FFrame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        FFrameKnown = !FFrame.isNull();
        const QWidget* owner = Owner();
        if (!FFrameKnown && owner && owner->isVisible()) {
            const QRect outer = owner->frameGeometry();
            const QRect inner = owner->geometry();
            FFrame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                outer.right() - inner.right(), outer.bottom() - inner.bottom());
        }
        Place();
        // The frame is known once the box is exposed: the window manager
        // frames a window before it maps it.
        if (QWindow* window = windowHandle(); window && !FWatching) {
            window->installEventFilter(this);
            FWatching = true;
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == windowHandle()
            && (event->type() == QEvent::Expose || event->type() == QEvent::Move))
            Settle();
        return QMessageBox::eventFilter(watched, event);
    }

private:
    const QWidget* Owner() const { return parentWidget() ? parentWidget()->window() : nullptr; }

    QScreen* TargetScreen() const
    {
        const QWidget* owner = Owner();
        return owner ? owner->screen() : QGuiApplication::primaryScreen();
    }

    // A message too long for the screen (a long list of errors) scrolls
    // inside the box, which then takes at most three quarters of the work
    // area's height, instead of growing taller than the screen with its
    // buttons out of reach. The label that holds the message moves into a
    // scroll area in its place in the box's grid; QMessageBox goes on sizing
    // the label as before and fixes the box's size from the grid again.
    void ScrollLongMessage()
    {
        QScreen* screen = TargetScreen();
        auto* grid = qobject_cast<QGridLayout*>(layout());
        if (FScroll || !screen || !grid)
            return;
        const int limit = screen->availableGeometry().height() * 3 / 4;
        if (height() <= limit)
            return;
        auto* label = findChild<QLabel*>(FRequest.StandardForm
                ? QStringLiteral("qt_msgbox_label")
                : QStringLiteral("qt_msgbox_informativelabel"));
        const int index = label ? grid->indexOf(label) : -1;
        if (index < 0)
            return;
        int row = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        const int width = label->width();
        const int others = height() - label->height();
        grid->removeWidget(label);
        FScroll = new QScrollArea(this);
        FScroll->setObjectName(QStringLiteral("messageScroll"));
        FScroll->setFrameShape(QFrame::NoFrame);
        FScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        FScroll->setWidgetResizable(true);
        FScroll->setWidget(label);
        FScroll->setMinimumWidth(width);
        FScroll->setFixedHeight(std::max(limit - others, 4 * fontMetrics().height()));
        grid->addWidget(FScroll, row, column, rowSpan, columnSpan);
        FScroll->show();
        // The box fixes its size from the grid now, before it is placed.
        QEvent relayout(QEvent::LayoutRequest);
        QCoreApplication::sendEvent(this, &relayout);
    }

    // The place of the framed box in the work area of the owner's monitor.
    QPoint Target() const
    {
        QScreen* screen = TargetScreen();
        if (!screen)
            return pos();
        const QRect area = screen->availableGeometry();
        const QSize size = geometry().size().grownBy(FFrame);
        const int left
            = FX < 0 ? area.left() + (area.width() - size.width()) / 2 : area.left() + FX;
        const int top = FY < 0 ? area.top() + (area.height() - size.height()) / 2 : area.top() + FY;
        return QPoint(left, top);
    }

    // Moves the box to its place before it is shown, without resizing it.
    void Place()
    {
        const QPoint target = Target();
        if (FFrameKnown)
            move(target);
        else // until it is framed, a window's position is that of its inside
            move(target.x() + FFrame.left(), target.y() + FFrame.top());
    }

    // Once the window manager has framed the box, moves the frame to where
    // it belongs until it has been there once. A window manager may place
    // the frame where the inside was asked for (a frame other than the
    // owner's, a request handled with another gravity, a map that overtook
    // the move on a busy display); after the box has reached its place,
    // moves are the user's and stay. A few tries at most, so a window
    // manager that insists on its own place is not fought.
    void Settle()
    {
        QWindow* window = windowHandle();
        if (FSettled || !window || !window->isExposed())
            return;
        const QMargins frame = window->frameMargins();
        if (frame.isNull())
            return;
        FFrame = frame;
        FFrameKnown = true;
        const QPoint target = Target();
        if (window->framePosition() == target || FCorrections >= MaxCorrections) {
            FSettled = true;
            return;
        }
        ++FCorrections;
        window->setFramePosition(target);
    }

    static constexpr int MaxCorrections = 3;

    int FX;
    int FY;
    TMessageBoxRequest FRequest;
    QScrollArea* FScroll = nullptr; // holds the message once it is too long
    QMargins FFrame; // the window manager's frame, known or expected
    bool FFrameKnown = false;
    bool FWatching = false;
    bool FSettled = false;
    int FCorrections = 0;
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
    auto* box = new TLangMessageBox(parent, request);
    box->setIcon(KindIcon(request.DlgType));
    // Texts are shown as they stand: "&" and "<" are plain characters.
    box->setTextFormat(Qt::PlainText);
    for (const TButtonEntry& entry : ButtonTable) {
        if (!request.Buttons.testFlag(entry.button))
            continue;
        QPushButton* button = box->addButton(QString(), entry.role);
        button->setProperty(ResultProperty, entry.result);
        button->setObjectName(QString::fromLatin1(entry.name));
        if (entry.button == request.DefaultButton)
            box->setDefaultButton(button);
    }
    box->ShowTexts();
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
