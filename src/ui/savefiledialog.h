#pragma once

#include "reports/reportports.h"

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

private:
    QPointer<QWidget> FParent;
};

} // namespace ryv
