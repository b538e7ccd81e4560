#pragma once

#include "lang/languagemanager.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace ryv {

// A window's link to the language: every window of ours makes one as its
// child (named "qlxController1") once its widgets exist, and calls Loaded.
//
// The first controller made while the manager has no change handler becomes
// the main controller (the main window's). At start-up it chooses the
// language: the one its OnInitLangManager handler names (from the settings
// file), else the user's interface language, else DefaultLangCode, else
// "en"; only the last failure is reported, so a fallback that succeeds shows
// no error. Each successful load makes the manager call the main
// controller, which applies the language to its window and then to every
// other window of the application that carries a controller. A window made
// later translates itself in Loaded from the entries the manager still
// holds. Writing LanguageCode switches the language while the program runs.
//
// Errors are reported through OnError when set, else in a warning box
// (ShowErrorMessage). The manager must outlive every controller.
class TqlxController final : public QObject {
    Q_OBJECT
public:
    using TNotify = std::function<void(TqlxController* sender)>;

    // owner: the window; manager may be null, and every operation then does
    // nothing or gives an empty result.
    TqlxController(QObject* owner, TLanguageManager* manager);
    ~TqlxController() override;

    // The window's widgets are complete: choose the language (main
    // controller at start-up) or apply the loaded one (any other).
    void Loaded();

    QObject* Owner() const { return parent(); }
    TLanguageManager* LangManager() const { return FManager; }
    bool IsMainController() const { return FIsMainController; }

    bool AutoInitLanguage() const { return FAutoInitLanguage; }
    void SetAutoInitLanguage(bool value) { FAutoInitLanguage = value; }
    bool DefaultErrorMessage() const { return FDefaultErrorMessage; }
    void SetDefaultErrorMessage(bool value) { FDefaultErrorMessage = value; }
    // The language file section this window reads; empty (the default): the
    // window's class name ("TfrmRyvTask"). For a window built from a plain
    // Qt class.
    const QString& SectionName() const { return FSectionName; }
    void SetSectionName(const QString& name) { FSectionName = name; }
    // The start-up fallback; OnInitLangManager also names the language to
    // load through it (see Loaded).
    const QString& DefaultLangCode() const { return FDefaultLangCode; }
    void SetDefaultLangCode(const QString& code) { FDefaultLangCode = code; }

    // After a language was loaded, before it is applied to the window.
    void SetOnBeforeLangChange(TNotify handler) { FOnBeforeLangChange = std::move(handler); }
    // Reports LastError in place of the warning box.
    void SetOnError(TNotify handler) { FOnError = std::move(handler); }
    // Main controller, before the first language is loaded.
    void SetOnInitLangManager(TNotify handler) { FOnInitLangManager = std::move(handler); }
    // After the language was applied to the window.
    void SetOnLanguageChanged(TNotify handler) { FOnLanguageChanged = std::move(handler); }

    QString LanguageCode() const;
    // Switches to the language; nothing when it is the loaded one (case
    // ignored). A failure is reported and the windows keep their texts.
    void SetLanguageCode(const QString& code);
    QString LanguageName() const;
    QString LastError() const;
    // The language's reading order, or the application's without a manager.
    TBiDiMode BiDiMode() const;

    // The languages found, sorted by name (language-aware, case ignored);
    // read on first use and again after RefreshLanguages.
    int LanguagesCount();
    QString LanguageCodes(int index); // empty outside the list
    QString LanguageNames(int index);
    int LanguageIndexByCode(const QString& code); // -1 when absent
    void RefreshLanguages();
    // The languages as the manager finds them (unsorted); a failure is
    // reported.
    bool GetAvailableLanguages(QList<TLanguageInfo>& list);

    // Applies the loaded language again.
    void Refresh();
    // Applies the language to the window; the main controller then passes
    // it on to every other window's controller. A manager other than this
    // controller's is ignored.
    void DoLanguageChanged(TLanguageManager* manager);
    // The standard warning box with StandardErrorText.
    void ShowErrorMessage();
    // "<name> (<code>): [<window> (<class>)] <LastError>", the first part
    // only while a language is loaded.
    QString StandardErrorText() const;

    // Where the user's interface language comes from (UserInterfaceLanguageCode
    // by default) and how the warning box is shown (a message box over the
    // window by default); tests replace both.
    void SetUserLanguageSource(std::function<QString()> source)
    {
        FUserLanguage = std::move(source);
    }
    void SetWarningSink(std::function<void(const QString&)> sink)
    {
        FWarningSink = std::move(sink);
    }

private:
    void BecomeMainController();
    void ReportError();
    // After a load: an announced load has been applied and its errors
    // reported already. Otherwise the load's error is reported; and when
    // files were found but some could not be read (which the manager never
    // announces), what was read is applied all the same, so the windows
    // never stay in the old language while the manager holds the new one.
    void FinishLoad(int changeCountBefore);
    const QList<TLanguageInfo>& Languages();

    TLanguageManager* FManager = nullptr;
    std::optional<QList<TLanguageInfo>> FAvailLangs;
    bool FAutoInitLanguage = true;
    bool FDefaultErrorMessage = true;
    QString FDefaultLangCode;
    QString FSectionName;
    bool FIsMainController = false;
    bool FLCErrorHandled = false;
    TNotify FOnBeforeLangChange;
    TNotify FOnError;
    TNotify FOnInitLangManager;
    TNotify FOnLanguageChanged;
    std::function<QString()> FUserLanguage;
    std::function<void(const QString&)> FWarningSink;
};

} // namespace ryv
