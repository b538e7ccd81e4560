#pragma once

#include "reports/reportports.h"

#include <QFileDialog>
#include <QPointer>
#include <QWidget>

namespace ryv {

// The desktop's save dialog for exports and reports.
class TSaveFileDialog final : public IFileSaveDialog {
public:
    explicit TSaveFileDialog(QWidget* parent = nullptr)
        : FParent(parent)
    {
    }
    void SetParent(QWidget* parent) { FParent = parent; }
    QString GetSaveFileName(const TSaveDialogRequest& request) override;

    // Sets the dialog up for request. The file type is chosen before the
    // proposed name, because choosing a type in a save dialog rewrites the
    // name's extension: a file last saved as "report.txt" is proposed again
    // with its own extension.
    static void Prepare(QFileDialog& dialog, const TSaveDialogRequest& request);

private:
    QPointer<QWidget> FParent;
};

} // namespace ryv
