#include "core/regional.h"

namespace ryv {

namespace {

TDateOrder OrderOfFormat(const QString& format)
{
    const qsizetype d = format.indexOf(u'd');
    const qsizetype m = format.indexOf(u'M');
    const qsizetype y = format.indexOf(u'y');
    if (y >= 0 && (d < 0 || y < d) && (m < 0 || y < m))
        return TDateOrder::YMD;
    if (m >= 0 && d >= 0 && m < d)
        return TDateOrder::MDY;
    return TDateOrder::DMY;
}

const TRegional*& InForce()
{
    static const TRegional* regional = nullptr;
    return regional;
}

} // namespace

TRegional::TRegional(const QLocale& locale)
    : FLocale(locale)
{
    const QString decimal = locale.decimalPoint();
    DecimalSeparator = decimal.isEmpty() ? QChar(u'.') : decimal.front();
    const QString group = locale.groupSeparator();
    GroupSeparator = group.isEmpty() ? QChar(u',') : group.front();

    TimeSeparator = SeparatorOfFormat(locale.timeFormat(QLocale::ShortFormat), u"Hh");
    // Blanks alone would run hours and minutes together ("09  05").
    if (TimeSeparator.trimmed().isEmpty())
        TimeSeparator = QStringLiteral(":");

    const QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    DateSeparator = SeparatorOfFormat(dateFormat, u"dMy");
    // A short date that spells the month ("d MMM yyyy" of the C locale) has
    // only blanks between its fields; numeric dates need a visible separator,
    // or "07/12/" would print as "07 12 ".
    if (DateSeparator.trimmed().isEmpty())
        DateSeparator = QStringLiteral("/");
    DateOrder = OrderOfFormat(dateFormat);
    ShortDateFormat = dateFormat;
    if (!ShortDateFormat.contains(QLatin1String("yyyy")))
        ShortDateFormat.replace(QLatin1String("yy"), QLatin1String("yyyy"));
}

QString TRegional::LongMonthName(int month) const
{
    return FLocale.standaloneMonthName(month, QLocale::LongFormat);
}

QString TRegional::LongDayName(int dayOfWeek) const
{
    return FLocale.standaloneDayName(dayOfWeek, QLocale::LongFormat);
}

QString TRegional::SeparatorOfFormat(const QString& format, QStringView fieldLetters)
{
    QString run;
    bool inField = false;
    bool fieldSeen = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            // Quoted text is literal: it belongs to the separator once the
            // first field has been seen ("HH 'h' mm" -> " h "), and is skipped
            // before it ("'klo' H.mm"). '' stands for a quote.
            qsizetype j = i + 1;
            QString literal;
            while (j < format.size()) {
                if (format.at(j) == u'\'') {
                    if (j + 1 < format.size() && format.at(j + 1) == u'\'') {
                        literal.append(u'\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                literal.append(format.at(j));
                ++j;
            }
            if (j == i + 1)
                literal = QStringLiteral("'"); // '' outside quotes
            i = j;
            inField = false;
            if (fieldSeen)
                run.append(literal);
            continue;
        }
        if (c.isLetter()) {
            if (fieldSeen && !inField && !run.isEmpty())
                return run;
            // Letters before the first field proper (the "AP" of "AP h:mm")
            // do not count as that field.
            inField = fieldSeen || fieldLetters.contains(c);
            fieldSeen = inField;
            continue;
        }
        inField = false;
        if (fieldSeen)
            run.append(c);
    }
    return run;
}

const TRegional& Regional()
{
    static const TRegional system(QLocale::system());
    const TRegional* regional = InForce();
    return regional ? *regional : system;
}

TRegionalScope::TRegionalScope(const QLocale& locale)
    : FRegional(locale)
    , FPrevious(InForce())
{
    InForce() = &FRegional;
}

TRegionalScope::TRegionalScope(const char* localeName)
    : TRegionalScope(QLocale(QString::fromLatin1(localeName)))
{
}

TRegionalScope::~TRegionalScope()
{
    InForce() = FPrevious;
}

} // namespace ryv
