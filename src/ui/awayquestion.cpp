#include "ui/awayquestion.h"

#include "core/modalcount.h"
#include "platform/versioninfo.h"
#include "ui/windowactivation.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ryv {

TAwayQuestion::TAwayQuestion(TModalCount& modals, QWidget* window)
    : FModals(modals)
    , FWindow(window)
{
}

TAwayQuestion::~TAwayQuestion()
{
    delete FBox;
}

bool TAwayQuestion::CanAsk() const
{
    return !FBox && !FModals.IsOpen() && !OwnModalOpen() && !QApplication::activePopupWidget();
}

QAbstractButton* TAwayQuestion::Button(TAwayAnswer answer) const
{
    if (!FBox)
        return nullptr;
    switch (answer) {
    case TAwayAnswer::Keep:
        return FKeep;
    case TAwayAnswer::Break:
        return FBreak;
    case TAwayAnswer::Stop:
        return FStop;
    }
    return nullptr;
}

void TAwayQuestion::Show(const TAwayQuestionTexts& texts)
{
    FBox->setText(texts.text);
    FKeep->setText(texts.keep);
    FBreak->setText(texts.recordBreak);
    FBreak->setVisible(!texts.recordBreak.isEmpty());
    FStop->setText(texts.stop);
}

TAwayAnswer TAwayQuestion::Ask(const TAwayQuestionTexts& texts)
{
    if (FBox)
        return TAwayAnswer::Keep; // never two at a time; the engine asks once
    auto* box = new QMessageBox(FWindow);
    FBox = box;
    box->setObjectName(QStringLiteral("dlgAwayQuestion"));
    box->setIcon(QMessageBox::Question);
    box->setWindowTitle(TVersionInfo::ProgramTitle());
    // The title of a task is the user's text, shown as it stands.
    box->setTextFormat(Qt::PlainText);
    // Action roles keep the buttons in this order on every desktop.
    auto add = [box](const char* name) {
        QPushButton* button = box->addButton(QString(), QMessageBox::ActionRole);
        button->setObjectName(QString::fromLatin1(name));
        return button;
    };
    QPushButton* keep = add("btnAwayKeep");
    FKeep = keep;
    FBreak = add("btnAwayBreak");
    FStop = add("btnAwayStop");
    box->setDefaultButton(keep);
    box->setEscapeButton(keep);
    Show(texts);

    {
        const TModalCount::TScope modal(FModals);
        box->exec();
    }
    // The program may end while the box is open (a session's end); the box
    // then goes with its window.
    if (!FBox)
        return TAwayAnswer::Keep;
    const QAbstractButton* clicked = box->clickedButton();
    TAwayAnswer answer = TAwayAnswer::Keep;
    if (clicked == FBreak)
        answer = TAwayAnswer::Break;
    else if (clicked == FStop)
        answer = TAwayAnswer::Stop;
    FBox = nullptr;
    FKeep = FBreak = FStop = nullptr;
    delete box;
    return answer;
}

void TAwayQuestion::Update(const TAwayQuestionTexts& texts)
{
    if (FBox)
        Show(texts);
}

} // namespace ryv
