#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

namespace ryv {

// Order of day, month and year in the locale's short date.
enum class TDateOrder { MDY, DMY, YMD };

// The user's regional settings as the program's formatting and tolerant
// readers need them. Everything is taken from one QLocale object, and texts
// are formatted with that very object: rebuilding a locale from its name
// would lose the user's own overrides.
class TRegional final {
public:
    explicit TRegional(const QLocale& locale);

    const QLocale& Locale() const { return FLocale; }

    QChar DecimalSeparator;
    QChar GroupSeparator;
    // Not offered by QLocale directly; derived from the short time and date
    // formats (see SeparatorOfFormat).
    QString TimeSeparator;
    QString DateSeparator;
    // The locale's short date format in QLocale's pattern language, with a
    // two-digit year widened to four digits so that report dates are
    // unambiguous.
    QString ShortDateFormat;
    TDateOrder DateOrder = TDateOrder::DMY;

    // month 1..12; the name as it stands alone ("January", "tammikuu").
    QString LongMonthName(int month) const;
    // dayOfWeek 1 (Monday) .. 7 (Sunday)
    QString LongDayName(int dayOfWeek) const;

    // The first run of characters other than pattern letters that follows
    // the first field (a run of one of fieldLetters) of a QLocale date or
    // time format; quoted text after that field is part of the run, before
    // it is skipped: ("H.mm", "Hh") -> ".", ("AP h:mm", "Hh") -> ":",
    // ("HH 'h' mm", "Hh") -> " h ", ("yyyy. MM. dd.", "dMy") -> ". ". Empty
    // when the format has none.
    static QString SeparatorOfFormat(const QString& format, QStringView fieldLetters);

private:
    QLocale FLocale;
};

// The regional settings in force: the system's (QLocale::system(), taken on
// first use) until a TRegionalScope puts others in force.
const TRegional& Regional();

// Puts the regional settings of a locale in force for its lifetime and gives
// back the ones before it when it ends; scopes nest, the innermost is in
// force. Tests run under an explicit locale this way, and nothing they set
// outlives them.
class TRegionalScope final {
public:
    explicit TRegionalScope(const QLocale& locale);
    // A locale by name, such as "en_GB".
    explicit TRegionalScope(const char* localeName);
    ~TRegionalScope();
    TRegionalScope(const TRegionalScope&) = delete;
    TRegionalScope& operator=(const TRegionalScope&) = delete;

private:
    TRegional FRegional;
    const TRegional* FPrevious;
};

} // namespace ryv
