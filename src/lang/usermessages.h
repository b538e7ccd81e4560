#pragma once

#include "core/ports.h"

#include <QPointer>
#include <QWidget>

namespace ryv {

// The engine's questions and warnings as message boxes with the program's
// translated button texts, centred on the monitor of the main window.
class TUserMessages final : public IUserMessages {
public:
    explicit TUserMessages(QWidget* parent = nullptr);
    // Yes/No with Yes as the default, as the desktop's own confirmations.
    bool ConfirmYesNo(const QString& text) override;
    void Warning(const QString& text) override;

private:
    QPointer<QWidget> FParent;
};

} // namespace ryv
