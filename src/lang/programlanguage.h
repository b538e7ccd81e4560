#pragma once

#include <QString>

#include <functional>

namespace ryv {

class TAppTextsScope;
class TDialogTextsScope;
class TLanguageManager;
class TLangTranslator;

// The program's language as the entry point builds it: the one language
// manager, the translator that hands Qt's dialogs the language's Cancel, and
// the scopes through which a change of language writes the application texts
// and the dialog texts. All of it outlives the windows.
struct TProgramLanguage final {
    TLanguageManager& manager;
    TLangTranslator& translator;
    TAppTextsScope& appTexts;
    TDialogTextsScope& dialogTexts;
    // Shows the main window's language errors; empty: the program's message
    // box (tests collect them instead).
    std::function<void(const QString& message)> showError = nullptr;
    // The user's interface language code; empty: the desktop's (tests name
    // one).
    std::function<QString()> userLanguage = nullptr;
};

} // namespace ryv
