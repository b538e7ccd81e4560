#pragma once

#include "core/datetime.h"

#include <QChar>
#include <QString>
#include <QStringList>

namespace ryv {

// --- numbers (regional settings: see regional.h) ------------------------------

// True when every character may belong to a number as people type them:
// " ", "+", ",", "-", ".", digits, "E", "e" and the locale's decimal and group
// separators. True for an empty text.
bool IsNumberText(const QString& text);

// Reads a decimal number written with "." or "," as decimal point and with
// optional groups of thousands ("1.5" and "1,5" both read in any locale;
// "1.234.567" and "12 500,25" read as grouped numbers, "1.234.56" does not).
// On success separator is the decimal point that was taken.
bool TryParseNumber(const QString& text, double& value, QChar& separator);
double ParseNumberDef(const QString& text, double def);

// --- texts --------------------------------------------------------------------

// Replaces list by the items of a delimited text. Blanks and control
// characters before an item and around a delimiter are skipped; an item in
// double quotes may hold the delimiter ("" is a quote). A delimiter at the
// start gives an empty first item, one at the end no empty last item.
void SplitDelimited(const QString& text, QChar delimiter, QStringList& list);

// The text of a warning about a failure, the one form every failure takes
// on its way to the user: a fixed first line that says what failed ("Cannot
// save data!"), an empty line, then the error's own text. Message texts break
// their lines with CR LF, as the program's files do.
QString FailureText(const QString& firstLine, const QString& detail);

// The spent time put on the clipboard when a task's link is opened. hoursText
// is a duration as the lists show it ("h:mm" or "h:mm:ss"); day is the day it
// was spent (0 for none) and today the current day, so the date is added only
// for another day.
QString SpentTextStandard(const QString& hoursText, TDateTime day, TDateTime today); // "1:05"
QString SpentTextGit(const QString& hoursText, TDateTime day, TDateTime today); // "/spend 1h5m"

} // namespace ryv
