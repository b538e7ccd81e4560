#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace ryv {

// The window captions and button texts of the program's message boxes. They
// hold these defaults until a language is loaded; the language controller
// then overwrites them by identifier. "&" marks a button's access key.
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

    // Identifier -> text, for the language controller to read and refresh.
    std::vector<std::pair<QString, QString*>> Table();
    void ResetDefaults();
};

// The program-wide dialog texts.
TDialogTexts& DialogTexts();

} // namespace ryv
