#pragma once

#include <QPlainTextEdit>

namespace ryv {

// The multi-line text field of the program's dialogs. Pasting clipboard data
// that carries no text (the clipboard of a program that has ended since it
// copied, an image) crashes Qt 6.4's own text control, so such data is
// neither offered for pasting nor dropped in; data with text behaves as in
// QPlainTextEdit.
class TGuardedPlainTextEdit final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TGuardedPlainTextEdit(QWidget* parent = nullptr);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

} // namespace ryv
