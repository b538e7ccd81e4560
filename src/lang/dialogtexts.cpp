#include "lang/dialogtexts.h"

#include <utility>

namespace ryv {

std::vector<std::pair<QString, QString*>> TDialogTexts::Table()
{
    return {
        { QStringLiteral("lng_MsgDlgWarning"), &lng_MsgDlgWarning },
        { QStringLiteral("lng_MsgDlgError"), &lng_MsgDlgError },
        { QStringLiteral("lng_MsgDlgInformation"), &lng_MsgDlgInformation },
        { QStringLiteral("lng_MsgDlgConfirm"), &lng_MsgDlgConfirm },
        { QStringLiteral("lng_MsgBtnYes"), &lng_MsgBtnYes },
        { QStringLiteral("lng_MsgBtnNo"), &lng_MsgBtnNo },
        { QStringLiteral("lng_MsgBtnOK"), &lng_MsgBtnOK },
        { QStringLiteral("lng_MsgBtnCancel"), &lng_MsgBtnCancel },
        { QStringLiteral("lng_MsgBtnAbort"), &lng_MsgBtnAbort },
        { QStringLiteral("lng_MsgBtnRetry"), &lng_MsgBtnRetry },
        { QStringLiteral("lng_MsgBtnIgnore"), &lng_MsgBtnIgnore },
        { QStringLiteral("lng_MsgBtnAll"), &lng_MsgBtnAll },
        { QStringLiteral("lng_MsgBtnNoToAll"), &lng_MsgBtnNoToAll },
        { QStringLiteral("lng_MsgBtnYesToAll"), &lng_MsgBtnYesToAll },
        { QStringLiteral("lng_MsgBtnHelp"), &lng_MsgBtnHelp },
        { QStringLiteral("lng_MsgBtnClose"), &lng_MsgBtnClose },
    };
}

namespace {

const TDialogTexts*& InForce()
{
    static const TDialogTexts* texts = nullptr;
    return texts;
}

} // namespace

const TDialogTexts& DialogTexts()
{
    static const TDialogTexts defaults;
    const TDialogTexts* texts = InForce();
    return texts ? *texts : defaults;
}

TDialogTextsScope::TDialogTextsScope(TDialogTexts texts)
    : FTexts(std::move(texts))
    , FPrevious(InForce())
{
    InForce() = &FTexts;
}

TDialogTextsScope::~TDialogTextsScope()
{
    InForce() = FPrevious;
}

} // namespace ryv
