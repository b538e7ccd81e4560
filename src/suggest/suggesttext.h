#pragma once

#include <QString>
#include <QStringList>

namespace ryv {

// Texts of the suggestions and of the task dialog's link field.

// A text that starts like a web link: its first "://" or, when it holds none,
// its first "www." stands within its first 23 characters.
bool IsLink(const QString& text);

// text without blanks and control characters at both ends (the clipboard's
// text, a program path).
QString TrimBlanks(const QString& text);

// A window caption without the program's part. Browsers and most desktop
// programs end their captions with the program after " - ", " – " or " — "
// ("Release checklist — Mozilla Firefox"), spelled as it pleases them rather
// than as their desktop entry does. The part after the last such separator
// goes when it names the program: it contains programName or programName
// contains it, or it shares a word of four letters or more with programName
// or with a WM_CLASS name. Any case. Otherwise the caption stays.
QString CaptionWithoutProgram(
    const QString& caption, const QString& programName, const QStringList& wmClass);

// text cut to at most maxLength characters, never between the two halves of
// a character outside the basic plane.
QString CutText(const QString& text, int maxLength);

} // namespace ryv
