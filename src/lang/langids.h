#pragma once

#include <QString>
#include <QtGlobal>

namespace ryv {

// The language code ("de", "en" ...) of a 16-bit Windows language
// identifier, as language files are named; an identifier that the table does
// not know gives an empty code. The table keeps the codes language files
// have always used, quirks included: Norwegian (Bokmål and Nynorsk) is "no",
// Khmer "kh", Upper Sorbian "wen", Lower Sorbian "dsb", and traditional
// Spanish (040A) has no code.
QString LanguageCodeFromLangId(quint16 langId);

// The Windows language identifier of a locale name as the desktop gives it
// ("de-DE", "nb_NO", "sr-Latn-RS", "zh-Hant-TW"); 0 when unknown. Linux has no
// such identifiers, so language and region are mapped onto the identifier a
// Windows user of that locale would have, and LanguageCodeFromLangId then
// yields the code the language files know.
quint16 LangIdFromLocaleName(const QString& localeName);

// The code of the user's interface language: the first of the desktop's
// interface languages (QLocale::system().uiLanguages()), mapped as above.
// Empty when the desktop names none the table knows (the "C" locale).
QString UserInterfaceLanguageCode();

} // namespace ryv
