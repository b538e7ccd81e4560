#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QActionGroup;
class QMenu;
class QWidget;

namespace ryv {

class TqlxController;
class TRyvOptions;
struct TProgramLanguage;

// What the main window's language works with; all of it outlives it.
struct TWindowLanguageParts final {
    QWidget& window;
    TProgramLanguage& language;
    TRyvOptions& options;
    QMenu* languagesMenu; // miLanguages
    // The window's texts that are set in code, after a language was applied.
    std::function<void()> languageChanged;
};

// The main window's language: its controller (the main controller, made
// first), the start-up choice of the language from the settings file, the
// Languages menu and what a change of language does beyond the window's
// components: the application and dialog texts, Qt's Cancel, the option
// LangCode, and the announcement that reaches the open message boxes and
// Qt's own dialogs.
class TWindowLanguage final : public QObject {
    Q_OBJECT
public:
    explicit TWindowLanguage(const TWindowLanguageParts& parts);

    // The window's components are complete: choose and apply the language.
    void Start();
    TqlxController* Controller() const { return FController; }
    // The loaded language's code; empty while none is loaded.
    QString LanguageCode() const;

    // The Languages menu: one radio entry per language found, sorted by name,
    // the loaded one checked. Filled at start-up and again whenever it opens,
    // so languages added meanwhile appear.
    void FillLanguagesMenu();
    // Switches to the language of code (an entry of the menu).
    void miChangeLanguageClick(const QString& code);

private:
    void qlxController1InitLangManager();
    void qlxController1BeforeLangChange();
    void qlxController1LanguageChanged();
    void qlxController1Error();
    // Checks the entry of the loaded language (a failed switch leaves the
    // previous one checked).
    void CheckLoadedLanguage();

    TWindowLanguageParts FParts;
    TqlxController* FController = nullptr;
    QActionGroup* FLanguageGroup = nullptr;
};

} // namespace ryv
