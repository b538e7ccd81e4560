#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace ryv {

class TLanguageManager;
class TLangTranslator;
struct TAppTexts;
struct TDialogTexts;
class TAppTextsScope;
class TDialogTextsScope;

// Identifier of the toolkit's Cancel text in a language's constants.
inline constexpr const char* CancelTextId = "@Vcl.Consts.SMsgDlgCancel";

// Sets every application text from the language. A text the language lacks
// keeps the one it has (the previous language's, or the English default).
// Then the toolkit's Cancel is renewed from the language's "@...Cancel"
// constant; a language without one keeps the previous Cancel.
void RefreshLangConsts(
    const TLanguageManager& manager, TAppTexts& texts, TLangTranslator& translator);

// Sets the sixteen message-box captions and button texts from the language.
// A text the language lacks takes the toolkit's own (the English default;
// for Cancel, the toolkit's Cancel in force).
void RefreshDialogTexts(
    const TLanguageManager& manager, TDialogTexts& texts, const TLangTranslator& translator);

// The program's own texts of the constants, application texts and dialog
// texts alike, by identifier: the reference a language's translations are
// checked against (TLanguageManager::SetReferenceTexts).
std::vector<std::pair<QString, QString>> ProgramReferenceTexts();

// For a program part without a window (the command line): loads the
// language named (the settings' langCode), else the user's interface
// language, else English, as the window's start-up does, and sets the
// application texts from it. Nothing found leaves the English defaults;
// the loaded code, or empty.
QString LoadLanguageTexts(TLanguageManager& manager, const QString& requested,
    const QString& userLanguage, TAppTexts& texts, TLangTranslator& translator);

// Both of the above on the program's own texts, application texts first, so
// that the message boxes' Cancel falls back to the new language's Cancel
// rather than to the previous one's. The texts are written through the scopes
// that put them in force (the program holds one of each for its whole run),
// the one place they are written; the main window calls it before a new
// language is applied.
void RefreshProgramTexts(const TLanguageManager& manager, TLangTranslator& translator,
    TAppTextsScope& appTexts, TDialogTextsScope& dialogTexts);

} // namespace ryv
