#pragma once

#include "reports/reportports.h"

#include <QDialog>
#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ryv {

class TLanguageManager;
class TModalCount;

// The two-field box of the groups menu: a group's name and its title mask,
// with the prompts the report commands give (application texts).
class TfrmRyvGroup final : public QDialog {
    Q_OBJECT
public:
    TfrmRyvGroup(QWidget* parent, TLanguageManager* languages, const QString& caption,
        const QString& namePrompt, const QString& maskPrompt);

    QLineEdit* edGroupName = nullptr;
    QLineEdit* edGroupMask = nullptr;
    QPushButton* sbOK = nullptr;
    QPushButton* sbCancel = nullptr;

private:
    QLabel* lbGroupName = nullptr;
    QLabel* lbGroupMask = nullptr;
};

class TGroupDialog final : public IGroupDialog {
public:
    // A modal window of ours while it is open (modals).
    explicit TGroupDialog(
        TModalCount& modals, QWidget* parent = nullptr, TLanguageManager* languages = nullptr)
        : FModals(modals)
        , FParent(parent)
        , FLanguages(languages)
    {
    }
    void SetParent(QWidget* parent) { FParent = parent; }
    bool EditGroup(const QString& caption, const QString& namePrompt, const QString& maskPrompt,
        QString& name, QString& mask) override;

private:
    TModalCount& FModals;
    QPointer<QWidget> FParent;
    TLanguageManager* FLanguages;
};

} // namespace ryv
