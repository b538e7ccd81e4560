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
    explicit TGroupDialog(QWidget* parent = nullptr, TLanguageManager* languages = nullptr)
        : FParent(parent)
        , FLanguages(languages)
    {
    }
    void SetParent(QWidget* parent) { FParent = parent; }
    bool EditGroup(const QString& caption, const QString& namePrompt, const QString& maskPrompt,
        QString& name, QString& mask) override;

private:
    QPointer<QWidget> FParent;
    TLanguageManager* FLanguages;
};

} // namespace ryv
