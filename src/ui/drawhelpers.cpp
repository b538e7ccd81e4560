#include "ui/drawhelpers.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

namespace ryv {

QColor BlendColors(const QColor& c1, const QColor& c2)
{
    const QColor a = c1.toRgb();
    const QColor b = c2.toRgb();
    return QColor(
        a.red() / 2 + b.red() / 2, a.green() / 2 + b.green() / 2, a.blue() / 2 + b.blue() / 2);
}

void DrawTextInRect(QPainter& painter, const QString& text, const QRect& rect, bool centred)
{
    // Qt never treats "&" as a mnemonic in drawText unless asked to
    // (Qt::TextShowMnemonic), so the text is drawn as it stands.
    if (centred) {
        painter.drawText(rect, Qt::AlignCenter | Qt::TextWordWrap, text);
        return;
    }
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width());
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, shown);
}

Qt::KeyboardModifiers CurrentShiftState()
{
    return QGuiApplication::queryKeyboardModifiers()
        & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier);
}

QImage IconToPng(const QIcon& icon, const QSize& size)
{
    if (icon.isNull() || size.isEmpty())
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, QRect(QPoint(0, 0), size));
    painter.end();
    return image;
}

QImage ImageListToPng(const QList<QIcon>& icons, int index, const QSize& size)
{
    if (index < 0 || index >= icons.size())
        return {};
    return IconToPng(icons.at(index), size);
}

} // namespace ryv
