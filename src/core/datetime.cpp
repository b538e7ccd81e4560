#include "core/datetime.h"

#include "core/regional.h"

#include <QRegularExpression>

#include <cmath>

namespace ryv {

namespace {

const QDate& Epoch()
{
    static const QDate epoch(1899, 12, 30);
    return epoch;
}

// Splits t into its day number and the milliseconds within that day. Every
// date-time the program builds is day + msOfDay / MsPerDay, so values made the
// same way compare equal.
void Split(TDateTime t, qint64& day, qint64& msOfDay)
{
    day = static_cast<qint64>(std::floor(t));
    msOfDay = std::llround((t - static_cast<double>(day)) * MsPerDay);
    if (msOfDay >= static_cast<qint64>(MsPerDay)) {
        ++day;
        msOfDay -= static_cast<qint64>(MsPerDay);
    }
}

TDateTime Compose(qint64 day, qint64 msOfDay)
{
    return static_cast<double>(day) + static_cast<double>(msOfDay) / MsPerDay;
}

} // namespace

TDateTime EncodeDate(int year, int month, int day)
{
    return FromQDate(QDate(year, month, day));
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    const qint64 d = Epoch().daysTo(QDate(year, month, day));
    return Compose(d, ((hour * 60LL + minute) * 60LL + second) * 1000LL + msec);
}

TDateTime FromQDate(const QDate& date)
{
    if (!date.isValid())
        return 0;
    return static_cast<double>(Epoch().daysTo(date));
}

TDateTime FromQDateTime(const QDateTime& dt)
{
    if (!dt.isValid())
        return 0;
    return Compose(Epoch().daysTo(dt.date()), dt.time().msecsSinceStartOfDay());
}

qint64 ToMs(TDateTime t)
{
    qint64 day, ms;
    Split(t, day, ms);
    return day * static_cast<qint64>(MsPerDay) + ms;
}

TDateTime FromMs(qint64 ms)
{
    const auto perDay = static_cast<qint64>(MsPerDay);
    qint64 day = ms / perDay;
    qint64 rest = ms % perDay;
    if (rest < 0) {
        --day;
        rest += perDay;
    }
    return Compose(day, rest);
}

QDate ToQDate(TDateTime t)
{
    qint64 day, ms;
    Split(t, day, ms);
    return Epoch().addDays(day);
}

QTime ToQTime(TDateTime t)
{
    qint64 day, ms;
    Split(t, day, ms);
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
}

QDateTime ToQDateTime(TDateTime t)
{
    return QDateTime(ToQDate(t), ToQTime(t));
}

int DayOf(TDateTime t)
{
    qint64 day, ms;
    Split(t, day, ms);
    return static_cast<int>(day);
}

TDateTime MidnightOf(TDateTime t)
{
    return static_cast<double>(DayOf(t));
}

TDateTime EndOfDayOf(TDateTime t)
{
    return Compose(DayOf(t), static_cast<qint64>(MsPerDay) - 1);
}

int MinuteOfDay(TDateTime t)
{
    qint64 day, ms;
    Split(t, day, ms);
    return static_cast<int>(ms / MsPerMinute);
}

TDateTime TruncToMinute(TDateTime t)
{
    qint64 day, ms;
    Split(t, day, ms);
    return Compose(day, ms / MsPerMinute * MsPerMinute);
}

// --- texts -------------------------------------------------------------------

namespace {

QString Padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

// Decimal integer of the characters at 1-based positions from..to, or
// fallback when the text is too short or they are not a number.
int NumberAt(const QString& text, qsizetype from, qsizetype to, int fallback)
{
    if (from < 1 || to < from || to > text.size())
        return fallback;
    bool ok = false;
    const int value = QStringView(text).sliced(from - 1, to - from + 1).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool IsZoneMark(QChar c)
{
    return c == u'Z' || c == u'+' || c == u'-';
}

// Milliseconds of the fraction that begins at 1-based position from and runs
// to a zone offset ("+01:00", "-05") or to the end of the text. The digits
// are a fraction of a second: ".5" is 500 ms and ".1234567" is 123 ms. The
// hyphens of the date before the fraction are no zone.
int FractionMsAt(const QString& text, qsizetype from)
{
    const QStringView tail = QStringView(text).sliced(from - 1);
    const qsizetype zone = std::max(tail.lastIndexOf(u'+'), tail.lastIndexOf(u'-'));
    const qsizetype to = from - 1 + (zone < 0 ? tail.size() : zone); // 1-based end
    const QStringView digits = QStringView(text).sliced(from - 1, to - from + 1);
    if (digits.isEmpty())
        return 0;
    int ms = 0;
    for (qsizetype i = 0; i < 3; ++i) {
        int digit = 0;
        if (i < digits.size()) {
            if (digits[i] < u'0' || digits[i] > u'9')
                return 0;
            digit = digits[i].unicode() - u'0';
        }
        ms = ms * 10 + digit;
    }
    for (qsizetype i = 3; i < digits.size(); ++i)
        if (digits[i] < u'0' || digits[i] > u'9')
            return 0;
    return ms;
}

// Seconds and milliseconds of a stored time whose seconds would stand at
// 1-based position secPos (after the minutes at secPos - 3).
void ReadSecondsAndFraction(const QString& text, qsizetype secPos, int& sec, int& ms)
{
    sec = 0;
    ms = 0;
    if (text.size() > secPos - 1 && !IsZoneMark(text.at(secPos - 2))) {
        sec = NumberAt(text, secPos, secPos + 1, 0);
        if (sec < 0 || sec > 59)
            sec = 0;
        if (text.size() > secPos + 2 && !IsZoneMark(text.at(secPos + 1)))
            ms = FractionMsAt(text, secPos + 3);
    }
}

TDateTime TimeValue(int hour, int minute, int sec, int ms)
{
    return ((hour * 60.0 + minute) * 60.0 + sec) * 1000.0 + ms;
}

} // namespace

QString FormatDateTime(const QString& pattern, TDateTime t)
{
    return FormatDateTime(pattern, t, Regional());
}

QString FormatDateTime(const QString& pattern, TDateTime t, const TRegional& regional)
{
    const QDate date = ToQDate(t);
    const QTime time = ToQTime(t);
    QString out;
    // "mm" right after an hour token means minutes ("hh:mm"); literal
    // characters in between do not break that bond.
    bool afterHour = false;
    const QStringView p(pattern);
    for (qsizetype i = 0; i < p.size();) {
        const QStringView rest = p.sliced(i);
        if (rest.startsWith(u"yyyy")) {
            out += Padded(date.year(), 4);
            i += 4;
            afterHour = false;
        } else if (rest.startsWith(u"mmmm")) {
            out += regional.LongMonthName(date.month());
            i += 4;
            afterHour = false;
        } else if (rest.startsWith(u"mm")) {
            out += Padded(afterHour ? time.minute() : date.month(), 2);
            i += 2;
            afterHour = false;
        } else if (rest.startsWith(u"dd")) {
            out += Padded(date.day(), 2);
            i += 2;
            afterHour = false;
        } else if (rest.startsWith(u"hh")) {
            out += Padded(time.hour(), 2);
            i += 2;
            afterHour = true;
        } else if (rest.startsWith(u'h')) {
            out += QString::number(time.hour());
            i += 1;
            afterHour = true;
        } else if (rest.startsWith(u"nn")) {
            out += Padded(time.minute(), 2);
            i += 2;
            afterHour = false;
        } else if (rest.startsWith(u"ss")) {
            out += Padded(time.second(), 2);
            i += 2;
            afterHour = false;
        } else if (rest.startsWith(u"zzz")) {
            out += Padded(time.msec(), 3);
            i += 3;
            afterHour = false;
        } else if (rest.front() == u':') {
            out += regional.TimeSeparator;
            ++i;
        } else if (rest.front() == u'/') {
            out += regional.DateSeparator;
            ++i;
        } else {
            out += rest.front();
            ++i;
        }
    }
    return out;
}

QString DateTimeToText(TDateTime t)
{
    if (t == 0)
        return QString();
    const QDate date = ToQDate(t);
    const QTime time = ToQTime(t);
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(Padded(date.year(), 4), Padded(date.month(), 2), Padded(date.day(), 2),
            Padded(time.hour(), 2), Padded(time.minute(), 2), Padded(time.second(), 2));
}

QString DateToText(TDateTime t)
{
    if (t == 0)
        return QString();
    const QDate date = ToQDate(t);
    return QStringLiteral("%1-%2-%3")
        .arg(Padded(date.year(), 4), Padded(date.month(), 2), Padded(date.day(), 2));
}

QString LongDateText(TDateTime t)
{
    const TRegional& regional = Regional();
    const QLocale& locale = regional.Locale();
    const QDate date = ToQDate(t);
    if (!date.isValid())
        return QString();
    // "dddd" would give the weekday as it reads inside a sentence (Finnish
    // "perjantaina", "on Friday"); a heading wants the name as it stands
    // alone ("Perjantai"), so that name goes in as quoted text. The month
    // keeps the form that follows a day number ("7. tammikuuta").
    QString dayName = regional.LongDayName(date.dayOfWeek());
    dayName.replace(QLatin1Char('\''), QLatin1String("''"));
    const QString text
        = locale.toString(date, QLatin1Char('\'') + dayName + QStringLiteral("' d. MMMM yyyy"));
    if (text.isEmpty())
        return text;
    // Some languages write weekday names in lower case; a heading starts with
    // a capital all the same.
    const qsizetype first = text.front().isHighSurrogate() ? 2 : 1;
    return locale.toUpper(text.left(first)) + text.mid(first);
}

QString ShortDateText(TDateTime t)
{
    const TRegional& regional = Regional();
    return regional.Locale().toString(ToQDate(t), regional.ShortDateFormat);
}

TDateTime ParseStoredDateTime(const QString& text, TDateTime def)
{
    const qsizetype len = text.size();
    if (len <= 2)
        return def;

    if (text.at(2) == u':') {
        const int hour = NumberAt(text, 1, 2, -1);
        const int minute = NumberAt(text, 4, 5, -1);
        if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
            return def;
        int sec = 0;
        int ms = 0;
        ReadSecondsAndFraction(text, 7, sec, ms);
        return Compose(0, static_cast<qint64>(TimeValue(hour, minute, sec, ms)));
    }

    const int year = NumberAt(text, 1, 4, 0);
    if (year == 0)
        return 0;
    const int month = NumberAt(text, 6, 7, 0);
    if (month < 1 || month > 12) {
        const QDate first(year, 1, 1);
        return first.isValid() ? FromQDate(first) : def;
    }
    const int day = NumberAt(text, 9, 10, 0);
    if (day < 1 || day > 31) {
        const QDate first(year, month, 1);
        return first.isValid() ? FromQDate(first) : def;
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return def;
    const TDateTime dateValue = FromQDate(date);
    if (len <= 11)
        return dateValue;

    const int hour = NumberAt(text, 12, 13, -1);
    const int minute = NumberAt(text, 15, 16, -1);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return dateValue;
    int sec = 0;
    int ms = 0;
    if (len > 17 && !IsZoneMark(text.at(16))) {
        sec = NumberAt(text, 18, 19, 0);
        if (sec < 0 || sec > 59)
            sec = 0;
        if (len > 20 && !IsZoneMark(text.at(19))) {
            if (text.endsWith(u'Z')) {
                // The trailing "Z" makes Qt read the time as UTC.
                const QDateTime utc = QDateTime::fromString(text, Qt::ISODateWithMs);
                if (!utc.isValid())
                    return def;
                return FromQDateTime(utc.toLocalTime());
            }
            ms = FractionMsAt(text, 21);
        }
    }
    return Compose(DayOf(dateValue), static_cast<qint64>(TimeValue(hour, minute, sec, ms)));
}

namespace {

// Pattern of a separator: its characters literally, its blanks as any run of
// blanks (some locales write ". " between the parts of a date). A separator of
// blanks alone needs at least one, or "2022107" would split somewhere.
QString SeparatorPattern(const QString& separator)
{
    if (separator.trimmed().isEmpty())
        return QStringLiteral("\\s+");
    QString pattern;
    for (const QChar c : separator)
        pattern += c.isSpace() ? QStringLiteral("\\s*") : QRegularExpression::escape(QString(c));
    return pattern;
}

int TwoDigitYear(int year, qsizetype digits)
{
    if (digits > 2)
        return year;
    // A fixed window keeps the reader independent of the clock.
    return year < 50 ? 2000 + year : 1900 + year;
}

bool ReadLocaleDateTime(const QString& text, const TRegional& regional, TDateTime& value)
{
    const QString ds = SeparatorPattern(regional.DateSeparator);
    const QString ts = QStringLiteral("(?:%1|:)").arg(SeparatorPattern(regional.TimeSeparator));
    // The fraction of the seconds follows "." or ",", but not the time
    // separator itself: in Finnish "7.12.2022" is no time 7.12.20,22.
    QString fractionMarks;
    for (const QChar c : { QChar(u'.'), QChar(u',') })
        if (!regional.TimeSeparator.contains(c))
            fractionMarks += c;
    const QString fraction = fractionMarks.isEmpty()
        ? QString()
        : QStringLiteral("(?:[%1]([0-9]+))?").arg(fractionMarks);
    const QString am = QRegularExpression::escape(regional.Locale().amText());
    const QString pm = QRegularExpression::escape(regional.Locale().pmText());
    const QString timePart
        = QStringLiteral("([0-9]{1,2})%1([0-9]{1,2})(?:%1([0-9]{1,2})%2)?(?:\\s*(AM|PM|%3|%4))?")
              .arg(ts, fraction.isEmpty() ? QStringLiteral("()") : fraction,
                  am.isEmpty() ? QStringLiteral("AM") : am,
                  pm.isEmpty() ? QStringLiteral("PM") : pm);
    // A closing separator is allowed ("2022. 01. 07."), without its blanks so
    // that the blank before the time still parts date and time.
    const QString closing = QRegularExpression::escape(regional.DateSeparator.trimmed());
    const QString datePart
        = QStringLiteral("([0-9]{1,4})%1([0-9]{1,4})%1([0-9]{1,4})%2")
              .arg(ds, closing.isEmpty() ? QString() : QStringLiteral("(?:%1)?").arg(closing));
    const QRegularExpression::PatternOptions options = QRegularExpression::CaseInsensitiveOption
        | QRegularExpression::UseUnicodePropertiesOption;
    static thread_local QString cachedKey;
    static thread_local QRegularExpression timeOnly, dateTime;
    const QString key = timePart + QChar(0) + datePart;
    if (key != cachedKey) {
        timeOnly = QRegularExpression(QStringLiteral("^\\s*%1\\s*$").arg(timePart), options);
        dateTime = QRegularExpression(
            QStringLiteral("^\\s*%1(?:(?:\\s+|T)%2)?\\s*$").arg(datePart, timePart), options);
        cachedKey = key;
    }

    auto readTime = [&](const QRegularExpressionMatch& m, int first, qint64& ms) {
        int hour = m.captured(first).toInt();
        const int minute = m.captured(first + 1).toInt();
        const int sec = m.captured(first + 2).toInt();
        const int fraction = (m.captured(first + 3) + QStringLiteral("000")).left(3).toInt();
        const QString half = m.captured(first + 4);
        if (!half.isEmpty()) {
            const bool isPm = half.compare(QStringLiteral("PM"), Qt::CaseInsensitive) == 0
                || half.compare(regional.Locale().pmText(), Qt::CaseInsensitive) == 0;
            if (hour > 12)
                return false;
            hour = hour % 12 + (isPm ? 12 : 0);
        }
        const QTime time(hour, minute, sec, fraction);
        if (!time.isValid())
            return false;
        ms = time.msecsSinceStartOfDay();
        return true;
    };

    // A date first: where the time and date separators are alike, a date
    // would otherwise pass for a time with seconds.
    QRegularExpressionMatch m = dateTime.match(text);
    if (!m.hasMatch()) {
        m = timeOnly.match(text);
        qint64 ms = 0;
        if (!m.hasMatch() || !readTime(m, 1, ms))
            return false;
        value = Compose(0, ms);
        return true;
    }
    const QString p1 = m.captured(1), p2 = m.captured(2), p3 = m.captured(3);
    int y = 0, mo = 0, d = 0;
    qsizetype yearDigits = 0;
    if (p1.size() > 2 || regional.DateOrder == TDateOrder::YMD) {
        y = p1.toInt();
        mo = p2.toInt();
        d = p3.toInt();
        yearDigits = p1.size();
    } else {
        const bool monthFirst = regional.DateOrder == TDateOrder::MDY;
        mo = (monthFirst ? p1 : p2).toInt();
        d = (monthFirst ? p2 : p1).toInt();
        y = p3.toInt();
        yearDigits = p3.size();
    }
    const QDate date(TwoDigitYear(y, yearDigits), mo, d);
    if (!date.isValid())
        return false;
    qint64 ms = 0;
    if (m.capturedLength(4) > 0 && !readTime(m, 4, ms))
        return false;
    value = Compose(Epoch().daysTo(date), ms);
    return true;
}

} // namespace

TDateTime ParseDateTimeLenient(const QString& text, TDateTime def)
{
    const TRegional& regional = Regional();
    TDateTime value = 0;
    if (ReadLocaleDateTime(text, regional, value))
        return value;
    QString normalized;
    for (const QChar c : text) {
        if (c == u'-' || c == u'.' || c == u'/')
            normalized += regional.DateSeparator;
        else
            normalized += c;
    }
    if (!ReadLocaleDateTime(normalized, regional, value))
        value = def;
    if (value == 0)
        return ParseStoredDateTime(text, def);
    return value;
}

} // namespace ryv
