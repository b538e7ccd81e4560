#include "ui/guardedplaintextedit.h"

#include <QMimeData>

namespace ryv {

namespace {

bool CarriesText(const QMimeData* source)
{
    return source && source->hasText();
}

} // namespace

TGuardedPlainTextEdit::TGuardedPlainTextEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
}

bool TGuardedPlainTextEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return CarriesText(source) && QPlainTextEdit::canInsertFromMimeData(source);
}

void TGuardedPlainTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (CarriesText(source))
        QPlainTextEdit::insertFromMimeData(source);
}

} // namespace ryv
