#pragma once

// The program's windows as the language files see them, and the program with
// its language in a folder of its own: for the tests of the shipped language
// files, of the language switch and for the benchmark of a switch.

#include "core/apptexts.h"
#include "core/regional.h"
#include "lang/dialogtexts.h"
#include "lang/langtemplate.h"
#include "lang/langtexts.h"
#include "lang/langtranslator.h"
#include "lang/languagemanager.h"
#include "lang/programlanguage.h"
#include "suggest/suggestfakes.h"
#include "suggest/suggestsources.h"
#include "ui/groupdialog.h"
#include "ui/taskdialog.h"
#include "ui/windowtestworld.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

namespace ryv::langtest {

// The shipped language files (the source tree's Langs folder).
inline QString ShippedLangs()
{
    return QStringLiteral(RYV_LANGS);
}

// The task dialog's sources, all empty.
struct TEmptySources final {
    explicit TEmptySources(TRyvOptions& options, TRyvItemList& favs, TRyvItemList& recent,
        const TClock& clock, IClipboard& clipboard)
        : sources { options, favs, recent, clock, windows, history, clipboard }
    {
    }
    test::TFakeWindows windows;
    test::TFakeHistory history;
    TSuggestSources sources;
};

// Every window of ours, each under the section its language file entries
// use, made in the language in force (built-in English without one).
class TProgramWindows final {
public:
    explicit TProgramWindows(const QString& folder, TProgramLanguage* language = nullptr)
        : FWorld(folder)
    {
        FWorld.Open(windowtest::WorkArea, language);
        TLanguageManager* manager = language ? &language->manager : nullptr;
        FTask = std::make_unique<TfrmRyvTask>(FWorld.options, FWorld.favs, FSources.sources,
            FWorld.clipboard, FWorld.shell, nullptr, manager);
        FGroup = std::make_unique<TfrmRyvGroup>(nullptr, manager, QStringLiteral("Add group"),
            AppTexts().str_groupname, AppTexts().str_groupmask);
    }

    TfrmRyvTracker& Main() { return *FWorld.window; }
    TfrmRyvTask& Task() { return *FTask; }
    windowtest::TWorld& World() { return FWorld; }

    // Section name and window, the main window first.
    std::vector<std::pair<QString, QWidget*>> Sections()
    {
        return { { QStringLiteral("TfrmRyvTracker"), FWorld.window.get() },
            { QStringLiteral("TfrmRyvTask"), FTask.get() },
            { QStringLiteral("TfrmRyvGroup"), FGroup.get() } };
    }

private:
    windowtest::TWorld FWorld;
    TEmptySources FSources { FWorld.options, FWorld.favs, FWorld.recent, FWorld.clock,
        FWorld.clipboard };
    std::unique_ptr<TfrmRyvTask> FTask;
    std::unique_ptr<TfrmRyvGroup> FGroup;
};

// The program's language over a folder of language files, with the scopes
// and translator the entry point makes and the errors collected instead of
// shown.
class TTestLanguage final {
public:
    explicit TTestLanguage(const QString& langsFolder, const QString& userLanguage = QString())
        : manager(TLangFolders { { langsFolder }, QString() })
    {
        manager.SetReferenceTexts(ProgramReferenceTexts());
        language.showError = [this](const QString& message) { errors << message; };
        language.userLanguage = [userLanguage] { return userLanguage; };
        QApplication::installTranslator(&translator);
    }
    ~TTestLanguage()
    {
        QApplication::removeTranslator(&translator);
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }

    TLanguageManager manager;
    TLangTranslator translator;
    TAppTextsScope appTexts;
    TDialogTextsScope dialogTexts;
    TProgramLanguage language { manager, translator, appTexts, dialogTexts };
    QStringList errors;
};

// The English language file as the program's built-in texts make it: the
// header, every application and dialog text and Qt's Cancel in [constants],
// and the entries of every window under its section.
inline QString EnglishLanguageFileText(TProgramWindows& windows)
{
    QString text = QStringLiteral(
        "; Ryv Tracker language file: English, the program's built-in texts.\n"
        "; Made by the program itself (scripts/update-english-language.sh); to add a\n"
        "; language, copy this file to RyvTracker.<code>.lng and translate it (README).\n"
        "\n[calbrix language file]\nlanguagename=English\n\n"
        "; The texts the program composes; %1, %2 ... stand for the values put in.\n"
        "[constants]\n");
    auto line = [&](const QString& key, const QString& value) {
        text += key + QLatin1Char('=') + EncodeLangEscapes(value).trimmed() + QLatin1Char('\n');
    };
    TAppTexts appTexts;
    for (const auto& [id, value] : appTexts.Table())
        line(id, *value);
    text += QStringLiteral("; The message boxes' captions and buttons (\"&\" marks the access "
                           "key), and the Cancel of Qt's own dialogs.\n");
    TDialogTexts dialogTexts;
    for (const auto& [id, value] : dialogTexts.Table())
        line(id, *value);
    line(QString::fromLatin1(CancelTextId), QStringLiteral("Cancel"));
    text += QStringLiteral("\n; Pairs of lines: a message pattern (\"*\" and \"?\" as in file "
                           "names), then its translation.\n[messages]\n");
    for (const auto& [section, window] : windows.Sections()) {
        text += QStringLiteral("\n[%1]\n").arg(section);
        for (const TLangTemplateEntry& entry : LangTemplateEntries(window))
            line(entry.key, entry.value);
    }
    return text;
}

} // namespace ryv::langtest
