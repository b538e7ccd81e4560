#pragma once

#include "reports/reportports.h"

#include <QFileDialog>
#include <QPointer>
#include <QWidget>

namespace ryv {

class TModalCount;

// The desktop's save dialog for exports and reports; a modal window of ours
// while it is open (modals).
class TSaveFileDialog final : public IFileSaveDialog {
public:
    explicit TSaveFileDialog(TModalCount& modals, QWidget* parent = nullptr)
        : FModals(modals)
        , FParent(parent)
    {
    }
    void SetParent(QWidget* parent) { FParent = parent; }
    QString GetSaveFileName(const TSaveDialogRequest& request) override;

    // Sets the dialog up for request. The file type is chosen before the
    // proposed name, because choosing a type in a save dialog rewrites the
    // name's extension: a file last saved as "report.txt" is proposed again
    // with its own extension.
    static void Prepare(QFileDialog& dialog, const TSaveDialogRequest& request);
    // Where the dialog opens without a last folder: the user's documents
    // folder when there is one, else the home folder.
    static QString DefaultFolder();

private:
    TModalCount& FModals;
    QPointer<QWidget> FParent;
};

} // namespace ryv
