#include "core/texthelpers.h"

#include "core/regional.h"

namespace ryv {

namespace {

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A plain floating-point number with sep as decimal point: optional sign,
// digits with at most one sep, optional exponent; blanks around it allowed,
// no group separators.
bool ReadPlainNumber(const QString& text, QChar sep, double& value)
{
    const QString s = text.trimmed();
    QByteArray ascii;
    ascii.reserve(s.size());
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        ascii += static_cast<char>(s[i++].unicode());
    int digits = 0;
    bool pointSeen = false;
    for (; i < s.size(); ++i) {
        if (IsAsciiDigit(s[i])) {
            ascii += static_cast<char>(s[i].unicode());
            ++digits;
        } else if (s[i] == sep && !pointSeen) {
            ascii += '.';
            pointSeen = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        ascii += 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            ascii += static_cast<char>(s[i++].unicode());
        int expDigits = 0;
        for (; i < s.size() && IsAsciiDigit(s[i]); ++i, ++expDigits)
            ascii += static_cast<char>(s[i].unicode());
        if (expDigits == 0)
            return false;
    }
    if (i != s.size())
        return false;
    bool ok = false;
    const double v = ascii.toDouble(&ok);
    if (!ok)
        return false;
    value = v;
    return true;
}

bool KeepsInNumber(QChar c)
{
    return IsAsciiDigit(c) || c == u'+' || c == u'-' || c == u'E' || c == u'e';
}

// Drops from text[0, end) every character that is not part of a number.
QString StripUpTo(const QString& text, qsizetype end)
{
    QString out;
    for (qsizetype i = 0; i < end; ++i)
        if (KeepsInNumber(text[i]))
            out += text[i];
    return out + text.mid(end);
}

// Integer of a trimmed text, 0 when it is none.
int IntOrZero(QStringView text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

bool IsOtherDay(TDateTime day, TDateTime today)
{
    return day != 0 && DayOf(day) != DayOf(today);
}

} // namespace

bool IsNumberText(const QString& text)
{
    const TRegional& regional = Regional();
    for (const QChar c : text) {
        if (!(IsAsciiDigit(c) || c == u' ' || c == u'+' || c == u',' || c == u'-' || c == u'.'
                || c == u'E' || c == u'e' || c == regional.DecimalSeparator
                || c == regional.GroupSeparator))
            return false;
    }
    return true;
}

bool TryParseNumber(const QString& text, double& value, QChar& separator)
{
    // A blank text is no number, although the steps below would make "0"
    // of it.
    if (text.trimmed().isEmpty())
        return false;
    const QChar localSep = Regional().DecimalSeparator;
    QChar sep = localSep;
    double v = 0;
    if (!ReadPlainNumber(text, sep, v)) {
        if (!IsNumberText(text))
            return false;
        auto isPoint = [&](QChar c) { return c == u'.' || c == u',' || c == localSep; };
        qsizetype p = -1; // 0-based position of the last decimal point candidate
        for (qsizetype i = text.size() - 1; i >= 0; --i) {
            if (isPoint(text[i])) {
                p = i;
                break;
            }
        }
        QString changed;
        if (p > 0 && text.left(p).contains(text[p])) {
            // The same mark more than once: it groups thousands, so every mark
            // must stand four characters after the one before it and the last
            // group must be whole.
            const QChar c = text[p];
            if (text.size() - 1 - p != 3)
                return false;
            qsizetype previous = p;
            for (qsizetype i = p - 1; i >= 0; --i) {
                const QChar x = text[i];
                if (x == u' ' || x == u',' || x == u'.' || x == c) {
                    if (previous - i != 4)
                        return false;
                    previous = i;
                }
            }
            changed = StripUpTo(text, p + 1) + sep + u'0';
        } else {
            changed = text;
            if (p < 0) {
                changed += sep;
                changed += u'0';
                p = changed.size() - 2;
            }
            sep = changed[p];
            changed = StripUpTo(changed, p);
        }
        if (!ReadPlainNumber(changed, sep, v))
            return false;
    }
    value = v;
    separator = sep;
    return true;
}

double ParseNumberDef(const QString& text, double def)
{
    double value = 0;
    QChar separator;
    return TryParseNumber(text, value, separator) ? value : def;
}

void SplitDelimited(const QString& text, QChar delimiter, QStringList& list)
{
    list.clear();
    // A NUL ends the text, as it would end a C string.
    const qsizetype nul = text.indexOf(QChar(0));
    const qsizetype n = nul < 0 ? text.size() : nul;
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && text[i].unicode() >= 1 && text[i].unicode() <= 32)
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text[i] == u'"') {
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        item += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && text[i] != delimiter && text[i].unicode() >= 32)
                ++i;
            item = text.mid(start, i - start);
        }
        list.append(item);
        skipBlanks();
        if (i < n && text[i] == delimiter) {
            ++i;
            skipBlanks();
        }
    }
}

QString SpentTextGit(const QString& hoursText, TDateTime day, TDateTime today)
{
    int hours = 0;
    int minutes = 0;
    const qsizetype colon = hoursText.indexOf(u':');
    if (colon >= 0) {
        hours = IntOrZero(QStringView(hoursText).left(colon));
        const qsizetype second = hoursText.indexOf(u':', colon + 1);
        const qsizetype end = second >= 0 ? second : hoursText.size();
        minutes = IntOrZero(QStringView(hoursText).sliced(colon + 1, end - colon - 1));
    } else {
        hours = IntOrZero(hoursText);
    }
    if (hours == 0 && minutes == 0)
        return QString();
    QString text = QStringLiteral("/spend %1h%2m").arg(hours).arg(minutes);
    if (IsOtherDay(day, today))
        text += u' ' + DateToText(day);
    return text;
}

QString FailureText(const QString& firstLine, const QString& detail)
{
    return firstLine + QStringLiteral("\r\n\r\n") + detail;
}

QString SpentTextStandard(const QString& hoursText, TDateTime day, TDateTime today)
{
    const qsizetype first = hoursText.indexOf(u':');
    const qsizetype second = first >= 0 ? hoursText.indexOf(u':', first + 1) : -1;
    const QString hoursAndMinutes = (second >= 0 ? hoursText.left(second) : hoursText).trimmed();
    if (hoursAndMinutes.isEmpty())
        return QString();
    if (IsOtherDay(day, today))
        return DateToText(day) + u' ' + hoursAndMinutes;
    return hoursAndMinutes;
}

} // namespace ryv
