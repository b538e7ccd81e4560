#pragma once

#include "tracking/awayports.h"

#include <QMessageBox>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace ryv {

class TModalCount;

// The away question as the user sees it: a modal box of the window with the
// three answers, "Keep as work" first and taken by Escape, Enter and the
// window's close button, so a stray key loses no time.
class TAwayQuestion final : public IAwayQuestion {
public:
    // modals: the program's count of open modal windows, which the question
    // joins while it shows and waits for while it is not zero.
    explicit TAwayQuestion(TModalCount& modals, QWidget* window = nullptr);
    ~TAwayQuestion() override;
    TAwayQuestion(const TAwayQuestion&) = delete;
    TAwayQuestion& operator=(const TAwayQuestion&) = delete;

    // The owner of the box (the main window, possibly hidden in the tray).
    void SetWindow(QWidget* window) { FWindow = window; }

    // False while a dialog, a message box or a menu of ours is open: the
    // question never covers another one, and waits.
    bool CanAsk() const override;
    TAwayAnswer Ask(const TAwayQuestionTexts& texts) override;
    void Update(const TAwayQuestionTexts& texts) override;

    // The box while the question is open, else nullptr (for tests).
    QMessageBox* Box() const { return FBox; }
    QAbstractButton* Button(TAwayAnswer answer) const;

private:
    void Show(const TAwayQuestionTexts& texts);

    TModalCount& FModals;
    QPointer<QWidget> FWindow;
    QPointer<QMessageBox> FBox;
    QAbstractButton* FKeep = nullptr;
    QAbstractButton* FBreak = nullptr;
    QAbstractButton* FStop = nullptr;
};

} // namespace ryv
