#pragma once

// Widths of the widest texts a column or a heading can hold, measured in the
// font and language they are shown in, so nothing that holds a time or a
// date is cut at any desktop font.

#include <QString>

class QFont;
class QFontMetrics;

namespace ryv {

// text with every digit replaced by the digit that is widest in the font:
// the widest text of its shape ("23:59" in a font whose 0 is wider).
QString WithWidestDigits(const QFontMetrics& metrics, const QString& text);

// The width of the widest long date heading (LongDateText) in the current
// language: every month with every weekday, the day and the year in the
// widest digits.
int WidestLongDateWidth(const QFontMetrics& metrics);

// WidestLongDateWidth of a font, measured again only when the font or the
// language changed: layouts ask for it on every resize.
class TWidestDateCache final {
public:
    int Width(const QFont& font);

private:
    QString FKey;
    int FWidth = 0;
};

} // namespace ryv
