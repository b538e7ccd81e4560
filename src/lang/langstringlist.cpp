#include "lang/langstringlist.h"

namespace ryv {

namespace {

bool IsBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= u' ';
}

} // namespace

std::optional<QStringList> StringListFromText(const QString& pseudoProperty, const QString& value)
{
    if (pseudoProperty.compare(QLatin1String("TEXT"), Qt::CaseInsensitive) == 0) {
        QString text = value;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (text.isEmpty())
            return QStringList();
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        return text.split(QLatin1Char('\n'));
    }
    if (pseudoProperty.compare(QLatin1String("COMMATEXT"), Qt::CaseInsensitive) == 0
        || pseudoProperty.compare(QLatin1String("DELIMITEDTEXT"), Qt::CaseInsensitive) == 0)
        return SplitDelimitedText(value);
    return std::nullopt;
}

QStringList SplitDelimitedText(const QString& text, QChar delimiter)
{
    const QChar quote = u'"';
    QStringList items;
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n && IsBlank(text[p]))
        ++p;
    while (p < n) {
        QString item;
        if (text[p] == quote) {
            ++p;
            while (p < n) {
                if (text[p] == quote) {
                    if (p + 1 < n && text[p + 1] == quote) {
                        item += quote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            const qsizetype start = p;
            while (p < n && !IsBlank(text[p]) && text[p] != delimiter)
                ++p;
            item = text.mid(start, p - start);
        }
        items << item;
        while (p < n && IsBlank(text[p]))
            ++p;
        if (p < n && text[p] == delimiter) {
            if (p + 1 == n)
                items << QString();
            ++p;
            while (p < n && IsBlank(text[p]))
                ++p;
        }
    }
    return items;
}

} // namespace ryv
