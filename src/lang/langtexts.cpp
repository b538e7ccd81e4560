#include "lang/langtexts.h"

#include "core/apptexts.h"
#include "lang/dialogtexts.h"
#include "lang/langtranslator.h"
#include "lang/languagemanager.h"

namespace ryv {

void RefreshLangConsts(
    const TLanguageManager& manager, TAppTexts& texts, TLangTranslator& translator)
{
    for (const auto& [id, text] : texts.Table())
        *text = manager.LangText(id, *text);
    translator.SetCancelText(
        manager.LangText(QString::fromLatin1(CancelTextId), translator.CancelText()));
}

void RefreshDialogTexts(
    const TLanguageManager& manager, TDialogTexts& texts, const TLangTranslator& translator)
{
    TDialogTexts defaults;
    defaults.lng_MsgBtnCancel = translator.CancelText();
    const auto defaultTable = defaults.Table();
    const auto table = texts.Table();
    for (size_t i = 0; i < table.size() && i < defaultTable.size(); ++i)
        *table[i].second = manager.LangText(table[i].first, *defaultTable[i].second);
}

std::vector<std::pair<QString, QString>> ProgramReferenceTexts()
{
    std::vector<std::pair<QString, QString>> texts;
    TAppTexts app;
    for (const auto& [id, text] : app.Table())
        texts.emplace_back(id, *text);
    TDialogTexts dialog;
    for (const auto& [id, text] : dialog.Table())
        texts.emplace_back(id, *text);
    return texts;
}

QString LoadLanguageTexts(TLanguageManager& manager, const QString& requested,
    const QString& userLanguage, TAppTexts& texts, TLangTranslator& translator)
{
    for (const QString& code : { requested.trimmed(), userLanguage, QStringLiteral("en") }) {
        if (code.isEmpty())
            continue;
        manager.SetLanguageCode(code);
        if (!manager.LanguageCode().isEmpty()) {
            RefreshLangConsts(manager, texts, translator);
            return manager.LanguageCode();
        }
    }
    return {};
}

void RefreshProgramTexts(const TLanguageManager& manager, TLangTranslator& translator,
    TAppTextsScope& appTexts, TDialogTextsScope& dialogTexts)
{
    RefreshLangConsts(manager, appTexts.Texts(), translator);
    RefreshDialogTexts(manager, dialogTexts.Texts(), translator);
    translator.SetQtLanguage(manager.LanguageCode());
}

} // namespace ryv
