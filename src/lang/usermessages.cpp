#include "lang/usermessages.h"

#include "lang/langmessagedlg.h"

namespace ryv {

TUserMessages::TUserMessages(QWidget* parent)
    : FParent(parent)
{
}

bool TUserMessages::ConfirmYesNo(const QString& text)
{
    TMessageBoxRequest request;
    request.Msg = text;
    request.DlgType = mtConfirmation;
    request.Buttons = TMsgDlgButtons(mbYes) | mbNo;
    request.DefaultButton = mbYes;
    request.StandardForm = true;
    return ShowLangMessageBox(request, FParent) == mrYes;
}

void TUserMessages::Warning(const QString& text)
{
    TMessageBoxRequest request;
    request.Msg = text;
    request.DlgType = mtWarning;
    request.Buttons = mbOK;
    request.DefaultButton = mbOK;
    request.StandardForm = true;
    ShowLangMessageBox(request, FParent);
}

} // namespace ryv
