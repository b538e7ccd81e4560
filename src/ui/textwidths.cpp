#include "ui/textwidths.h"

#include "core/datetime.h"

#include <QDate>
#include <QFont>
#include <QFontMetrics>

#include <algorithm>

namespace ryv {

namespace {

QChar WidestDigit(const QFontMetrics& metrics)
{
    QChar widest = QLatin1Char('0');
    for (char16_t d = u'1'; d <= u'9'; ++d) {
        if (metrics.horizontalAdvance(QChar(d)) > metrics.horizontalAdvance(widest))
            widest = QChar(d);
    }
    return widest;
}

QString ReplaceDigits(QString text, QChar digit)
{
    for (QChar& c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            c = digit;
    }
    return text;
}

} // namespace

QString WithWidestDigits(const QFontMetrics& metrics, const QString& text)
{
    return ReplaceDigits(text, WidestDigit(metrics));
}

int WidestLongDateWidth(const QFontMetrics& metrics)
{
    // Any year will do: its digits, like the day's, are measured as the
    // widest digit.
    constexpr int Year = 2024;
    const QChar digit = WidestDigit(metrics);
    int widest = 0;
    for (int month = 1; month <= 12; ++month) {
        // The 22nd to the 28th hold every weekday once, with two digits.
        for (int day = 22; day <= 28; ++day) {
            const QString text = LongDateText(FromQDate(QDate(Year, month, day)));
            widest = std::max(widest, metrics.horizontalAdvance(ReplaceDigits(text, digit)));
        }
    }
    return widest;
}

int TWidestDateCache::Width(const QFont& font)
{
    // A day's heading tells the language's names and order apart.
    const QString key
        = font.key() + QLatin1Char('|') + LongDateText(FromQDate(QDate(2024, 12, 25)));
    if (key != FKey) {
        FKey = key;
        FWidth = WidestLongDateWidth(QFontMetrics(font));
    }
    return FWidth;
}

} // namespace ryv
