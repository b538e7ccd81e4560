#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace ryv {

// A date-time is a count of days since 1899-12-30 00:00, local wall-clock
// time without a zone; the time of day is the fractional part. 0 means
// "not set". Durations are differences of two date-times, in days.
using TDateTime = double;

constexpr double MsPerDay = 86400000.0;
constexpr TDateTime OneHour = 1.0 / 24.0;
constexpr TDateTime OneMinute = 1.0 / 1440.0;
constexpr TDateTime OneSecond = 1.0 / 86400.0;

// --- conversions -----------------------------------------------------------
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second = 0,
                         int msec = 0);
TDateTime FromQDate(const QDate& date);
TDateTime FromQDateTime(const QDateTime& dt); // local time fields are taken as they are
QDate ToQDate(TDateTime t);
QDateTime ToQDateTime(TDateTime t); // local time, millisecond precision
QTime ToQTime(TDateTime t);          // the time of day of t

// --- derived quantities ----------------------------------------------------
int DayOf(TDateTime t);               // integer part: the day number
TDateTime MidnightOf(TDateTime t);    // 00:00:00.000 of the day of t
TDateTime EndOfDayOf(TDateTime t);    // 23:59:59.999 of the day of t
int MinuteOfDay(TDateTime t);         // hours * 60 + minutes, 0..1439
TDateTime TruncToMinute(TDateTime t); // seconds and milliseconds dropped

// --- texts (regional settings: see regional.h) -----------------------------
// Formats t with the program's pattern language (yyyy, mm, mmmm, dd, hh, h,
// nn, ss, zzz, ":" time separator, "/" date separator; "mm" after an hour
// token means minutes).
QString FormatDateTime(const QString& pattern, TDateTime t);
QString DateTimeToText(TDateTime t); // "yyyy-mm-dd hh:nn:ss", "" for 0
QString DateToText(TDateTime t);     // "yyyy-mm-dd", "" for 0
QString LongDateText(TDateTime t);   // "Friday 7. January 2022"
QString ShortDateText(TDateTime t);  // the locale's short date

TDateTime ParseStoredDateTime(const QString& text, TDateTime def);
TDateTime ParseDateTimeLenient(const QString& text, TDateTime def);

} // namespace ryv
