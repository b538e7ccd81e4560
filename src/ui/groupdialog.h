#pragma once

#include "reports/reportports.h"

#include <QPointer>
#include <QWidget>

namespace ryv {

class TModalCount;

// The two-field box of the groups menu: a group's name and its title mask; a
// modal window of ours while it is open (modals).
class TGroupDialog final : public IGroupDialog {
public:
    explicit TGroupDialog(TModalCount& modals, QWidget* parent = nullptr)
        : FModals(modals)
        , FParent(parent)
    {
    }
    void SetParent(QWidget* parent) { FParent = parent; }
    bool EditGroup(const QString& caption, const QString& namePrompt, const QString& maskPrompt,
        QString& name, QString& mask) override;

private:
    TModalCount& FModals;
    QPointer<QWidget> FParent;
};

} // namespace ryv
