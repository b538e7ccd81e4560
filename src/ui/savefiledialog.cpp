#include "ui/savefiledialog.h"

#include "core/modalcount.h"

#include <QFileDialog>
#include <QFileInfo>

namespace ryv {

void TSaveFileDialog::Prepare(QFileDialog& dialog, const TSaveDialogRequest& request)
{
    dialog.setWindowTitle(request.title);
    dialog.setNameFilters(request.filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog asks before it overwrites an existing file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.selectedFilter.isEmpty())
        dialog.selectNameFilter(request.selectedFilter);
    if (!request.initialPath.isEmpty()) {
        const QFileInfo info(request.initialPath);
        if (request.initialPath.contains(QLatin1Char('/')))
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
}

QString TSaveFileDialog::GetSaveFileName(const TSaveDialogRequest& request)
{
    QFileDialog dialog(FParent);
    Prepare(dialog, request);
    const TModalCount::TScope modal(FModals);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace ryv
