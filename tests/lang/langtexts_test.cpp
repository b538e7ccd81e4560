#include "lang/langtexts.h"

#include "core/apptexts.h"
#include "lang/dialogtexts.h"
#include "lang/langtranslator.h"
#include "lang/languagemanager.h"
#include "langtestfolder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace ryv {
namespace {

class LangTextsTest : public ::testing::Test {
protected:
    LangTextsTest()
        : manager(TLangFolders { { folder.Path() }, QString() })
    {
    }

    void Switch(const QString& code)
    {
        manager.SetLanguageCode(code);
        ASSERT_EQ(manager.LastError(), QString());
        RefreshDialogTexts(manager, dialogTexts, translator);
        RefreshLangConsts(manager, appTexts, translator);
    }

    TLangTestFolder folder;
    TLanguageManager manager;
    TAppTexts appTexts;
    TDialogTexts dialogTexts;
    TLangTranslator translator;
};

TEST_F(LangTextsTest, AMissingTextKeepsThePreviousLanguagesApplicationText)
{
    folder.Write("App.de.lng",
        LangHeader("Deutsch")
            + "[constants]\nstr_total=SUMME:\nstr_pause=Pause\nlng_MsgBtnYes=&Ja\n"
              "lng_MsgBtnCancel=Abbrechen (Dialog)\n@Vcl.Consts.SMsgDlgCancel=Abbrechen\n");
    folder.Write("App.fr.lng", LangHeader("Français") + "[constants]\nstr_pause=Pause (fr)\n");

    Switch("de");
    EXPECT_EQ(appTexts.str_total, "SUMME:");
    EXPECT_EQ(appTexts.str_pause, "Pause");
    EXPECT_EQ(appTexts.str_report, "Report");
    EXPECT_EQ(dialogTexts.lng_MsgBtnYes, "&Ja");
    EXPECT_EQ(dialogTexts.lng_MsgBtnCancel, "Abbrechen (Dialog)");
    EXPECT_EQ(translator.CancelText(), "Abbrechen");

    Switch("fr");
    EXPECT_EQ(appTexts.str_total, "SUMME:");
    EXPECT_EQ(appTexts.str_pause, "Pause (fr)");
    // Dialog texts fall back to the toolkit's own, except Cancel, whose own
    // text is the replacement still in force.
    EXPECT_EQ(dialogTexts.lng_MsgBtnYes, "&Yes");
    EXPECT_EQ(dialogTexts.lng_MsgBtnCancel, "Abbrechen");
    EXPECT_EQ(translator.CancelText(), "Abbrechen");
}

TEST_F(LangTextsTest, TranslatorAnswersCancelOnly)
{
    EXPECT_EQ(translator.CancelText(), "Cancel");
    EXPECT_EQ(translator.translate("QPlatformTheme", "Cancel"), QString());

    translator.SetCancelText("Abbrechen");
    EXPECT_EQ(translator.translate("QPlatformTheme", "Cancel"), "Abbrechen");
    EXPECT_EQ(translator.translate("QGnomeTheme", "&Cancel"), "Abbrechen");
    EXPECT_EQ(translator.translate("QPlatformTheme", "OK"), QString());
    EXPECT_EQ(translator.translate("Other", "Cancel"), QString());
    EXPECT_EQ(translator.translate(nullptr, nullptr), QString());

    QCoreApplication::installTranslator(&translator);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), "OK");
    QCoreApplication::removeTranslator(&translator);
}

TEST_F(LangTextsTest, ProgramTablesAreTheOnesTheProgramReads)
{
    folder.Write("App.de.lng",
        LangHeader("Deutsch") + "[constants]\nstr_total=SUMME:\nlng_MsgDlgWarning=Warnung\n");
    manager.SetLanguageCode("de");
    TAppTextsScope appTexts;
    TDialogTextsScope dialogTexts;
    RefreshProgramTexts(manager, translator, appTexts, dialogTexts);
    EXPECT_EQ(AppTexts().str_total, "SUMME:");
    EXPECT_EQ(DialogTexts().lng_MsgDlgWarning, "Warnung");
}

} // namespace
} // namespace ryv
