#pragma once

#include <QFlags>
#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

namespace ryv {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// The buttons of a message box; they always appear in this order.
enum TMsgDlgBtn : unsigned {
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
    mbAll = 1u << 7,
    mbNoToAll = 1u << 8,
    mbYesToAll = 1u << 9,
    mbHelp = 1u << 10,
    mbClose = 1u << 11,
};
Q_DECLARE_FLAGS(TMsgDlgButtons, TMsgDlgBtn)

// What LangMessageDlg returns for each button; 0 when no box was shown.
enum TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrClose = 8,
    mrAll = 12,
    mrNoToAll = 13,
    mrYesToAll = 14,
    mrHelp = -1,
};

// Result of one button (mrNone for a value that is not a single button).
int MsgDlgButtonResult(TMsgDlgBtn button);

struct TMessageBoxRequest {
    QString Title; // the emphasised first line; empty: the application title
    QString Msg;
    TMsgDlgType DlgType = mtInformation;
    TMsgDlgButtons Buttons = mbOK;
    TMsgDlgBtn DefaultButton = mbOK;
    // Negative: centred in that direction in the work area of the parent's
    // monitor; otherwise offsets from the work area's top-left corner.
    int X = -1;
    int Y = -1;
    // Opened by the Help button, which leaves the box open.
    QString HelpFileName;
    // Standard message form: the caption is Title (or the application
    // title) and the message stands alone. Otherwise the caption names the
    // kind and Title heads the message.
    bool StandardForm = false;
    // When set, the message is taken from here, and again whenever the
    // language changes while the box is open (the About box).
    std::function<QString()> MsgSource;
};

// The box for request, ready to show, with the dialog texts of the current
// language on its buttons (each button carries its result in the property
// "modalResult"). Exposed so tests can look at it without showing it. An
// open box takes the dialog texts (and its message from MsgSource) again
// when the application announces a change of language (QEvent::
// LanguageChange).
QMessageBox* CreateLangMessageBox(const TMessageBoxRequest& request, QWidget* parent);

// Shows the box modally and returns the pressed button's result; Help
// opens HelpFileName and keeps the box open. Escape and the window's close
// button answer Cancel, else Close, else No, else OK, whichever the box has.
int ShowLangMessageBox(const TMessageBoxRequest& request, QWidget* parent);

// The program's translated message box (About box, language errors).
int LangMessageDlg(const QString& title, const QString& msg, TMsgDlgType dlgType,
    TMsgDlgButtons buttons, TMsgDlgBtn defaultButton, int x = -1, int y = -1,
    const QString& helpFileName = QString(), QWidget* parent = nullptr);

} // namespace ryv

Q_DECLARE_OPERATORS_FOR_FLAGS(ryv::TMsgDlgButtons)
