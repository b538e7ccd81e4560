#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace ryv {

// Drawing helpers of the lists and buttons.

// Each of red, green and blue is half of c1's channel plus half of c2's
// channel, both halves rounded down. Palette roles are resolved by the caller
// (QPalette gives RGB colours), so the colours are taken as they are.
QColor BlendColors(const QColor& c1, const QColor& c2);

// Draws text without a background. centred: word-wrapped to the width of rect,
// each line centred, the block centred vertically. Otherwise one line centred
// in rect and cut with an ellipsis at the end when too wide. "&" is always
// drawn as it stands, never as a mnemonic.
void DrawTextInRect(QPainter& painter, const QString& text, const QRect& rect, bool centred);

// Which of Shift, Alt and Ctrl are held down right now, read from the
// keyboard rather than from an event.
Qt::KeyboardModifiers CurrentShiftState();

// A copy of icon at size with a full alpha channel (transparent parts stay
// transparent); a null image for a null icon or an empty size.
QImage IconToPng(const QIcon& icon, const QSize& size);

// IconToPng of icons[index]; a null image when index is out of range.
QImage ImageListToPng(const QList<QIcon>& icons, int index, const QSize& size);

} // namespace ryv
