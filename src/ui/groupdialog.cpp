#include "ui/groupdialog.h"

#include "core/modalcount.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace ryv {

bool TGroupDialog::EditGroup(const QString& caption, const QString& namePrompt,
    const QString& maskPrompt, QString& name, QString& mask)
{
    QDialog dialog(FParent);
    dialog.setWindowTitle(caption);
    auto* form = new QFormLayout(&dialog);
    auto* edName = new QLineEdit(name, &dialog);
    edName->setObjectName(QStringLiteral("edGroupName"));
    auto* edMask = new QLineEdit(mask, &dialog);
    edMask->setObjectName(QStringLiteral("edGroupMask"));
    edName->setMinimumWidth(280);
    form->addRow(namePrompt, edName);
    form->addRow(maskPrompt, edMask);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    const TModalCount::TScope modal(FModals);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = edName->text();
    mask = edMask->text();
    return true;
}

} // namespace ryv
