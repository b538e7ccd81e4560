#include "ui/groupdialog.h"

#include "core/modalcount.h"
#include "lang/langtemplate.h"
#include "lang/qlxcontroller.h"
#include "ui/widgetparts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ryv {

TfrmRyvGroup::TfrmRyvGroup(QWidget* parent, TLanguageManager* languages, const QString& caption,
    const QString& namePrompt, const QString& maskPrompt)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRyvGroup"));
    // The caption is the menu entry's, the prompts are application texts.
    setWindowTitle(caption);
    SetTextsFromCode(this);
    auto* form = new QFormLayout(this);
    edGroupName = new QLineEdit(this);
    edGroupName->setObjectName(QStringLiteral("edGroupName"));
    edGroupMask = new QLineEdit(this);
    edGroupMask->setObjectName(QStringLiteral("edGroupMask"));
    edGroupName->setMinimumWidth(280);
    lbGroupName = new QLabel(namePrompt, this);
    lbGroupName->setObjectName(QStringLiteral("lbGroupName"));
    lbGroupName->setBuddy(edGroupName);
    lbGroupMask = new QLabel(maskPrompt, this);
    lbGroupMask->setObjectName(QStringLiteral("lbGroupMask"));
    lbGroupMask->setBuddy(edGroupMask);
    for (QLabel* label : { lbGroupName, lbGroupMask }) {
        label->setTextFormat(Qt::PlainText);
        SetTextsFromCode(label);
    }
    form->addRow(lbGroupName, edGroupName);
    form->addRow(lbGroupMask, edGroupMask);
    auto* buttons = MakeOkCancelButtons(this, sbOK, sbCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    (new TqlxController(this, languages))->Loaded();
}

bool TGroupDialog::EditGroup(const QString& caption, const QString& namePrompt,
    const QString& maskPrompt, QString& name, QString& mask)
{
    TfrmRyvGroup dialog(FParent, FLanguages, caption, namePrompt, maskPrompt);
    dialog.edGroupName->setText(name);
    dialog.edGroupMask->setText(mask);
    const TModalCount::TScope modal(FModals);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.edGroupName->text();
    mask = dialog.edGroupMask->text();
    return true;
}

} // namespace ryv
