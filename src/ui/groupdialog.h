#pragma once

#include "reports/reportports.h"

#include <QPointer>
#include <QWidget>

namespace ryv {

// The two-field box of the groups menu: a group's name and its title mask.
class TGroupDialog final : public IGroupDialog {
public:
    explicit TGroupDialog(QWidget* parent = nullptr)
        : FParent(parent)
    {
    }
    void SetParent(QWidget* parent) { FParent = parent; }
    bool EditGroup(const QString& caption, const QString& namePrompt, const QString& maskPrompt,
        QString& name, QString& mask) override;

private:
    QPointer<QWidget> FParent;
};

} // namespace ryv
