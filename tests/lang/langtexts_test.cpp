#include "lang/langtexts.h"

#include "core/apptexts.h"
#include "lang/dialogtexts.h"
#include "lang/langtranslator.h"
#include "lang/languagemanager.h"
#include "langtestfolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTemporaryDir>

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

// Qt's own texts (key names, its dialogs) come from Qt's translation of the
// language, which the system may or may not have; the language's Cancel
// stays ours.
TEST_F(LangTextsTest, TranslatorGivesQtsOwnTextsInTheLanguage)
{
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(qtFolder + QStringLiteral("/qtbase_de.qm")))
        GTEST_SKIP() << "Qt's German translation is not installed (qt6-translations-l10n)";
    EXPECT_TRUE(translator.SetQtLanguage(QStringLiteral("de")));
    const QString backspace = translator.translate("QShortcut", "Backspace");
    EXPECT_FALSE(backspace.isEmpty());
    EXPECT_NE(backspace, QStringLiteral("Backspace"));
    translator.SetCancelText(QStringLiteral("Abbrechen (unser)"));
    EXPECT_EQ(translator.translate("QPlatformTheme", "Cancel"), "Abbrechen (unser)");

    struct Case {
        const char* code;
        bool found;
    };
    const Case cases[]
        = { { "en", false }, { "xx", false }, { "", false }, { "DE", true }, { "en-GB", false } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(translator.SetQtLanguage(QString::fromLatin1(c.code)), c.found);
        EXPECT_EQ(translator.translate("QShortcut", "Backspace").isEmpty(), !c.found);
    }

    // No translations where they are looked for: Qt keeps its English.
    QTemporaryDir empty;
    translator.SetQtTranslationsFolder(empty.path());
    EXPECT_FALSE(translator.SetQtLanguage(QStringLiteral("de")));
    EXPECT_EQ(translator.translate("QShortcut", "Backspace"), QString());
}

// Without a window: the language asked for, else the user's, else English,
// else the English defaults as they are.
TEST_F(LangTextsTest, LoadLanguageTextsFallsBackAsTheStartUpDoes)
{
    folder.Write("App.de.lng", LangHeader("Deutsch") + "[constants]\nstr_total=SUMME:\n");
    folder.Write("App.en.lng", LangHeader("English") + "[constants]\nstr_total=ALL:\n");
    struct Case {
        const char* requested;
        const char* user;
        const char* loaded;
        const char* total;
    };
    const Case cases[] = {
        { "de", "en", "de", "SUMME:" },
        { " de ", "", "de", "SUMME:" },
        { "xx", "de", "de", "SUMME:" },
        { "", "xx", "en", "ALL:" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.requested);
        TAppTexts texts;
        EXPECT_EQ(LoadLanguageTexts(manager, QString::fromLatin1(c.requested),
                      QString::fromLatin1(c.user), texts, translator),
            QString::fromLatin1(c.loaded));
        EXPECT_EQ(texts.str_total, QString::fromLatin1(c.total));
    }
    QFile::remove(folder.Path(QStringLiteral("App.en.lng")));
    TAppTexts texts;
    EXPECT_EQ(
        LoadLanguageTexts(manager, QStringLiteral("xx"), QString(), texts, translator), QString());
    EXPECT_EQ(texts.str_total, TAppTexts().str_total);
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
