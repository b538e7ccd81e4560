#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace ryv {

class TRegional;

// A date-time is a count of days since 1899-12-30 00:00, local wall-clock
// time without a zone; the time of day is the fractional part. 0 means
// "not set". Durations are differences of two date-times, in days.
using TDateTime = double;

constexpr double MsPerDay = 86400000.0;
constexpr TDateTime OneHour = 1.0 / 24.0;
constexpr TDateTime OneMinute = 1.0 / 1440.0;
constexpr TDateTime OneSecond = 1.0 / 86400.0;
constexpr qint64 MsPerMinute = 60000;
constexpr qint64 MsPerHour = 60 * MsPerMinute;

// --- conversions -----------------------------------------------------------
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeDateTime(
    int year, int month, int day, int hour, int minute, int second = 0, int msec = 0);
TDateTime FromQDate(const QDate& date);
TDateTime FromQDateTime(const QDateTime& dt); // local time fields are taken as they are
QDate ToQDate(TDateTime t);
QDateTime ToQDateTime(TDateTime t); // local time, millisecond precision
QTime ToQTime(TDateTime t); // the time of day of t

// Whole milliseconds since 1899-12-30 00:00 (for a duration: its length).
// Date-times are doubles, so steps and comparisons of times go through these:
// adding a minute sixty times then lands exactly on the hour, and an entry
// built as "start + duration" compares equal to its neighbour. A value is
// split into day and time of day the way DayOf and MinuteOfDay split it, so
// FromMs(ToMs(t)) is t for every value the program builds.
qint64 ToMs(TDateTime t);
TDateTime FromMs(qint64 ms);

// --- derived quantities ----------------------------------------------------
int DayOf(TDateTime t); // integer part: the day number
TDateTime MidnightOf(TDateTime t); // 00:00:00.000 of the day of t
TDateTime EndOfDayOf(TDateTime t); // 23:59:59.999 of the day of t
int MinuteOfDay(TDateTime t); // hours * 60 + minutes, 0..1439
TDateTime TruncToMinute(TDateTime t); // seconds and milliseconds dropped
// Day 0 (1899-12-30) is what a stored date-time without a readable date reads
// as: an empty or unreadable text, the year 0000, a time alone. It is no day
// an entry can belong to: an entry whose start has no day is never moved to a
// day's file, split at midnight or taken for the running task.
inline bool HasDay(TDateTime t)
{
    return DayOf(t) != 0;
}

// --- texts (regional settings: see regional.h) -----------------------------
// Formats t with the program's pattern language (yyyy, mm, mmmm, dd, hh, h,
// nn, ss, zzz, ":" time separator, "/" date separator; "mm" after an hour
// token means minutes).
QString FormatDateTime(const QString& pattern, TDateTime t);
QString FormatDateTime(const QString& pattern, TDateTime t, const TRegional& regional);
// The stored forms. They always use "-" and ":" whatever the locale, so list
// files stay alike everywhere and keep their character positions.
QString DateTimeToText(TDateTime t); // "yyyy-mm-dd hh:nn:ss", "" for 0
QString DateToText(TDateTime t); // "yyyy-mm-dd", "" for 0
QString LongDateText(TDateTime t); // "Friday 7. January 2022"
QString ShortDateText(TDateTime t); // the locale's short date

// Reads the stored forms by character position, so a file reads alike
// whatever separators it was written with: "yyyy-mm-dd[ hh:nn[:ss[.zzz]]]" or
// "hh:nn[:ss[.zzz]]" (on day 0); a zone suffix is skipped. Unreadable parts
// fall back step by step (a bad month gives 1 January, a bad time the date);
// an unreadable year gives 0 and a text of at most two characters gives def.
TDateTime ParseStoredDateTime(const QString& text, TDateTime def);
// Reads a date-time typed by the user or written by another program: the
// locale's short date (a four-digit year first always reads year, month, day)
// optionally followed by a time, or a time alone (on day 0); "-", "." and "/"
// may stand for the date separator and ":" for the time separator; an AM/PM
// suffix is understood. Falls back to the stored forms, then to def.
TDateTime ParseDateTimeLenient(const QString& text, TDateTime def);

} // namespace ryv
