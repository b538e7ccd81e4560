#include "ui/savefiledialog.h"

#include "core/modalcount.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

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
    // The folder of the last file saved; without one (or when it is gone)
    // the user's documents, never the folder the program was started in.
    const QFileInfo info(request.initialPath);
    const bool hasFolder
        = request.initialPath.contains(QLatin1Char('/')) && QFileInfo(info.absolutePath()).isDir();
    dialog.setDirectory(hasFolder ? info.absolutePath() : DefaultFolder());
    if (!request.initialPath.isEmpty())
        dialog.selectFile(info.fileName());
}

QString TSaveFileDialog::DefaultFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
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
