#include "platform/systemclipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ryv {

QString TSystemClipboard::Text() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text() : QString();
}

void TSystemClipboard::SetText(const QString& text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

} // namespace ryv
