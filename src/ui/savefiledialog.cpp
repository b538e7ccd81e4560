#include "ui/savefiledialog.h"

#include <QFileDialog>

namespace ryv {

QString TSaveFileDialog::GetSaveFileName(const TSaveDialogRequest& request)
{
    QFileDialog dialog(
        FParent, request.title, request.initialPath, request.filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog asks before it overwrites an existing file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.selectedFilter.isEmpty())
        dialog.selectNameFilter(request.selectedFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace ryv
