#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace ryv {

// The window captions and button texts of the program's message boxes. They
// hold these defaults until a language is loaded; the language switch then
// writes the translations by identifier (Table) into the texts of its
// TDialogTextsScope. "&" marks a button's access key.
struct TDialogTexts final {
    QString lng_MsgDlgWarning = QStringLiteral("Warning");
    QString lng_MsgDlgError = QStringLiteral("Error");
    QString lng_MsgDlgInformation = QStringLiteral("Information");
    QString lng_MsgDlgConfirm = QStringLiteral("Confirm");
    QString lng_MsgBtnYes = QStringLiteral("&Yes");
    QString lng_MsgBtnNo = QStringLiteral("&No");
    QString lng_MsgBtnOK = QStringLiteral("OK");
    QString lng_MsgBtnCancel = QStringLiteral("Cancel");
    QString lng_MsgBtnAbort = QStringLiteral("&Abort");
    QString lng_MsgBtnRetry = QStringLiteral("&Retry");
    QString lng_MsgBtnIgnore = QStringLiteral("&Ignore");
    QString lng_MsgBtnAll = QStringLiteral("&All");
    QString lng_MsgBtnNoToAll = QStringLiteral("N&o to All");
    QString lng_MsgBtnYesToAll = QStringLiteral("Yes to &All");
    QString lng_MsgBtnHelp = QStringLiteral("&Help");
    QString lng_MsgBtnClose = QStringLiteral("&Close");

    // Identifier -> text, for the language switch to read and write.
    std::vector<std::pair<QString, QString*>> Table();
};

// The dialog texts in force: the defaults until a TDialogTextsScope puts
// others in force. Read-only.
const TDialogTexts& DialogTexts();

// Puts a set of dialog texts in force for its lifetime and gives back the
// set before it when it ends; scopes nest, the innermost is in force. The
// language switch writes through the program's scope (Texts()); a test makes
// its own.
class TDialogTextsScope final {
public:
    explicit TDialogTextsScope(TDialogTexts texts = {});
    ~TDialogTextsScope();
    TDialogTextsScope(const TDialogTextsScope&) = delete;
    TDialogTextsScope& operator=(const TDialogTextsScope&) = delete;

    TDialogTexts& Texts() { return FTexts; }

private:
    TDialogTexts FTexts;
    const TDialogTexts* FPrevious;
};

} // namespace ryv
