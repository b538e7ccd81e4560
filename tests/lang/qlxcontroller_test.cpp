#include "lang/qlxcontroller.h"

#include "core/apptexts.h"
#include "lang/dialogtexts.h"
#include "lang/langtexts.h"
#include "lang/langtranslator.h"
#include "langtestfolder.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

// A main window as the program builds one: widgets first, then the
// controller, then Loaded.
class TfrmFakeMain : public QWidget {
    Q_OBJECT
public:
    explicit TfrmFakeMain(
        ryv::TLanguageManager* manager, std::function<void(ryv::TqlxController*)> setUp = nullptr)
    {
        setObjectName("frmFakeMain");
        lbTitle = new QLabel("Title", this);
        lbTitle->setObjectName("lbTitle");
        acStart = new QAction("Start", this);
        acStart->setObjectName("acStart");
        controller = new ryv::TqlxController(this, manager);
        if (setUp)
            setUp(controller);
        controller->Loaded();
    }
    QLabel* lbTitle;
    QAction* acStart;
    ryv::TqlxController* controller;
};

// A dialog of ours, parented to the main window like the task dialog.
class TfrmFakeTask : public QDialog {
    Q_OBJECT
public:
    TfrmFakeTask(ryv::TLanguageManager* manager, QWidget* parent)
        : QDialog(parent)
    {
        setObjectName("frmFakeTask");
        lbTitle = new QLabel("Title", this);
        lbTitle->setObjectName("lbTitle");
        controller = new ryv::TqlxController(this, manager);
        controller->SetWarningSink([this](const QString& text) { warnings << text; });
        controller->Loaded();
    }
    QLabel* lbTitle;
    ryv::TqlxController* controller;
    QStringList warnings;
};

namespace ryv {
namespace {

class QlxControllerTest : public ::testing::Test {
protected:
    QlxControllerTest() { QApplication::setLayoutDirection(Qt::LeftToRight); }
    ~QlxControllerTest() override { QApplication::setLayoutDirection(Qt::LeftToRight); }

    static std::unique_ptr<TLanguageManager> NewManager(const QString& folder)
    {
        return std::make_unique<TLanguageManager>(TLangFolders { { folder }, QString() });
    }

    void WriteGerman(const QString& extra = QString())
    {
        folder.Write("Ryv.de.lng",
            LangHeader("Deutsch")
                + "[TfrmFakeMain]\nself.Caption=Hauptfenster\nlbTitle.Caption=Titel (Haupt)\n"
                  "acStart.Caption=Starten\n[TfrmFakeTask]\nself.Caption=Aufgabe\n"
                  "lbTitle.Caption=Titel (Aufgabe)\n"
                + extra);
    }
    void WriteEnglish()
    {
        folder.Write("Ryv.en.lng",
            LangHeader("English")
                + "[TfrmFakeMain]\nself.Caption=Main window\nlbTitle.Caption=Title (main)\n"
                  "[TfrmFakeTask]\nlbTitle.Caption=Title (task)\n");
    }

    // A main window whose controller reports errors into errors, takes the
    // user's language from userLanguage and, when savedCode is set, names it
    // at start-up as the settings file would.
    std::unique_ptr<TfrmFakeMain> MakeMain(const QString& savedCode = QString(),
        const QString& userLanguage = QString(), bool autoInit = true,
        const QString& defaultCode = QString())
    {
        return std::make_unique<TfrmFakeMain>(manager.get(), [=, this](TqlxController* c) {
            c->SetAutoInitLanguage(autoInit);
            c->SetDefaultLangCode(defaultCode);
            c->SetUserLanguageSource([userLanguage] { return userLanguage; });
            c->SetOnError([this](TqlxController* sender) { errors << sender->LastError(); });
            if (!savedCode.isEmpty())
                c->SetOnInitLangManager(
                    [savedCode](TqlxController* sender) { sender->SetDefaultLangCode(savedCode); });
        });
    }

    TLangTestFolder folder;
    std::unique_ptr<TLanguageManager> manager = NewManager(folder.Path());
    QStringList errors;
};

TEST_F(QlxControllerTest, StartUpFallsBackWithoutAnErrorBox)
{
    struct Case {
        const char* name;
        bool german;
        bool english;
        const char* saved;
        const char* user;
        bool autoInit;
        const char* defaultCode;
        const char* loaded;
        const char* error;
    };
    const Case cases[] = {
        { "saved language", true, true, "de", "en", true, "", "de", "" },
        { "user's language when none was saved", true, true, "", "de", true, "", "de", "" },
        { "user's language missing: English", false, true, "", "de", true, "", "en", "" },
        { "saved language removed: user's", true, true, "fr", "de", true, "", "de", "" },
        { "saved language removed: English", false, true, "fr", "de", true, "", "en", "" },
        { "user's language unknown: English", false, true, "", "", true, "", "en", "" },
        { "default code before English", true, true, "", "xx", true, "de", "de", "" },
        { "no files: the last failure only", false, false, "fr", "de", true, "", "",
            "Language not found (en)" },
        { "no files, default code", false, false, "fr", "de", true, "it", "",
            "Language not found (it)" },
        { "without auto: nothing to load", true, true, "", "de", false, "", "", "" },
        { "without auto: the default code", true, true, "", "en", false, "de", "de", "" },
        { "without auto: saved missing", true, true, "fr", "en", false, "", "",
            "Language not found (fr)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder.Path()).removeRecursively();
        QDir().mkpath(folder.Path());
        if (c.german)
            WriteGerman();
        if (c.english)
            WriteEnglish();
        errors.clear();
        manager = NewManager(folder.Path());
        auto window = MakeMain(c.saved, c.user, c.autoInit, c.defaultCode);

        EXPECT_TRUE(window->controller->IsMainController());
        EXPECT_EQ(manager->LanguageCode(), QString::fromUtf8(c.loaded));
        EXPECT_EQ(errors, c.error[0] ? QStringList { QString::fromUtf8(c.error) } : QStringList());
        // The code the settings named becomes the default for later.
        EXPECT_EQ(window->controller->DefaultLangCode(),
            c.saved[0] ? QString::fromUtf8(c.saved) : QString::fromUtf8(c.defaultCode));
        const QString expectedTitle = QString::fromUtf8(c.loaded) == "de" ? "Titel (Haupt)"
            : QString::fromUtf8(c.loaded) == "en"                         ? "Title (main)"
                                                                          : "Title";
        EXPECT_EQ(window->lbTitle->text(), expectedTitle);
    }
}

TEST_F(QlxControllerTest, LiveSwitchTranslatesEveryWindowOfOurs)
{
    WriteGerman();
    WriteEnglish();
    auto main = MakeMain("en");
    auto* openDialog = new TfrmFakeTask(manager.get(), main.get());
    openDialog->show();
    auto* hiddenDialog = new TfrmFakeTask(manager.get(), nullptr);
    std::unique_ptr<TfrmFakeTask> hiddenOwner(hiddenDialog);
    EXPECT_EQ(openDialog->lbTitle->text(), "Title (task)");

    int changes = 0;
    main->controller->SetOnLanguageChanged([&](TqlxController*) { ++changes; });
    main->controller->SetLanguageCode("de");
    EXPECT_EQ(errors, QStringList());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(main->windowTitle(), "Hauptfenster");
    EXPECT_EQ(main->lbTitle->text(), "Titel (Haupt)");
    EXPECT_EQ(main->acStart->text(), "Starten");
    // Each window takes its own section only, although the open dialog is a
    // child of the main window and both have an "lbTitle".
    EXPECT_EQ(openDialog->windowTitle(), "Aufgabe");
    EXPECT_EQ(openDialog->lbTitle->text(), "Titel (Aufgabe)");
    EXPECT_EQ(hiddenDialog->lbTitle->text(), "Titel (Aufgabe)");
    EXPECT_FALSE(openDialog->controller->IsMainController());

    // A window made later is translated as it is made.
    TfrmFakeTask later(manager.get(), main.get());
    EXPECT_EQ(later.lbTitle->text(), "Titel (Aufgabe)");

    // A window of a plain Qt class names its section.
    QDialog plain(main.get());
    auto* plainLabel = new QLabel("Title", &plain);
    plainLabel->setObjectName("lbTitle");
    auto* plainController = new TqlxController(&plain, manager.get());
    plainController->SetSectionName("TfrmFakeTask");
    plainController->Loaded();
    EXPECT_EQ(plainLabel->text(), "Titel (Aufgabe)");

    // The loaded language again (case ignored) does nothing.
    main->controller->SetLanguageCode("DE");
    EXPECT_EQ(changes, 1);

    main->controller->SetLanguageCode("en");
    EXPECT_EQ(openDialog->lbTitle->text(), "Title (task)");
    EXPECT_EQ(later.lbTitle->text(), "Title (task)");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(openDialog->warnings, QStringList());
}

TEST_F(QlxControllerTest, FailedSwitchKeepsTheTextsAndReportsOnce)
{
    WriteGerman();
    auto main = MakeMain("de");
    main->controller->SetLanguageCode("fr");
    EXPECT_EQ(errors, QStringList({ "Language not found (fr)" }));
    EXPECT_EQ(main->lbTitle->text(), "Titel (Haupt)");
    EXPECT_EQ(main->controller->LanguageCode(), QString());
}

TEST_F(QlxControllerTest, EntryErrorsAreReportedOncePerWindow)
{
    WriteGerman("[TfrmFakeMain]\nlbTitle.noSuch=1\n[TfrmFakeTask]\nlbTitle.wordWrap=maybe\n");
    auto main = MakeMain("de");
    auto* dialog = new TfrmFakeTask(manager.get(), main.get());
    EXPECT_EQ(errors,
        QStringList({ "\n\nTLanguageManager (TFRMFAKEMAIN.LBTITLE.NOSUCH):\n      Property NOSUCH "
                      "does not exist" }));
    // The dialog has no error handler: the warning box with the standard
    // text. The rest of its entries applied.
    EXPECT_EQ(dialog->warnings,
        QStringList({ "Deutsch (de): [frmFakeTask (TfrmFakeTask)] \n\nTLanguageManager "
                      "(TFRMFAKETASK.LBTITLE.WORDWRAP):\n      Invalid value 'maybe' for property "
                      "WORDWRAP" }));
    EXPECT_EQ(dialog->lbTitle->text(), "Titel (Aufgabe)");
    EXPECT_EQ(main->lbTitle->text(), "Titel (Haupt)");

    // A switch reports each window's errors once more, once.
    errors.clear();
    dialog->warnings.clear();
    WriteEnglish();
    main->controller->SetLanguageCode("en");
    main->controller->SetLanguageCode("de");
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(dialog->warnings.size(), 1);
}

TEST_F(QlxControllerTest, AFileThatCannotBeReadStillLetsTheOthersApply)
{
    WriteGerman();
    WriteEnglish();
    folder.WriteBytes("Ryv.de.lngu", QByteArray("\0\1\2", 3));
    auto main = MakeMain("en");
    main->controller->SetLanguageCode("de");
    EXPECT_EQ(errors,
        QStringList(
            { "Cannot read the language file \"Ryv.de.lngu\": this is not a language file" }));
    EXPECT_EQ(main->controller->LanguageCode(), "de");
    EXPECT_EQ(main->lbTitle->text(), "Titel (Haupt)");
}

TEST_F(QlxControllerTest, HandlersRefreshTheProgramTextsAndCancel)
{
    WriteGerman("[constants]\nstr_total=SUMME:\nlng_MsgBtnNo=&Nein\n"
                "@Vcl.Consts.SMsgDlgCancel=Abbrechen\n");
    WriteEnglish();
    TLangTranslator translator;
    QCoreApplication::installTranslator(&translator);
    TAppTextsScope appTexts;
    TDialogTextsScope dialogTexts;
    QStringList order;
    auto main = std::make_unique<TfrmFakeMain>(manager.get(), [&](TqlxController* c) {
        c->SetUserLanguageSource([] { return QStringLiteral("en"); });
        c->SetOnBeforeLangChange([&](TqlxController* sender) {
            order << "before:" + sender->Owner()->property("windowTitle").toString();
            RefreshProgramTexts(*sender->LangManager(), translator, appTexts, dialogTexts);
            sender->LangManager()->Clear(true, false, false, false);
        });
        c->SetOnLanguageChanged([&](TqlxController* sender) {
            order << "changed:" + sender->Owner()->property("windowTitle").toString();
        });
    });
    main->controller->SetLanguageCode("de");

    EXPECT_EQ(order,
        QStringList(
            { "before:", "changed:Main window", "before:Main window", "changed:Hauptfenster" }));
    EXPECT_EQ(AppTexts().str_total, "SUMME:");
    EXPECT_EQ(DialogTexts().lng_MsgBtnNo, "&Nein");
    // The message boxes' Cancel falls back to the language's Cancel.
    EXPECT_EQ(DialogTexts().lng_MsgBtnCancel, "Abbrechen");
    // The constants are copied and dropped; the property entries stay for
    // windows made later.
    EXPECT_TRUE(manager->Constants().IsEmpty());
    EXPECT_FALSE(manager->Properties().IsEmpty());

    // Qt's own dialogs show the language's Cancel.
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Abbrechen");
    QMessageBox box(QMessageBox::Question, "t", "m", QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Abbrechen");

    // English lacks str_total and the Cancel: the German ones stay.
    main->controller->SetLanguageCode("en");
    EXPECT_EQ(AppTexts().str_total, "SUMME:");
    EXPECT_EQ(translator.CancelText(), "Abbrechen");
    EXPECT_EQ(DialogTexts().lng_MsgBtnNo, "&No");

    QCoreApplication::removeTranslator(&translator);
}

TEST_F(QlxControllerTest, RightToLeftLanguageTurnsTheLayout)
{
    WriteEnglish();
    folder.Write("Ryv.he.lng", "[calbrix language file]\nlanguagename=עברית\nrtl=1\n");
    auto main = MakeMain("he");
    EXPECT_EQ(main->controller->BiDiMode(), TBiDiMode::bdRightToLeft);
    EXPECT_EQ(QApplication::layoutDirection(), Qt::RightToLeft);
    main->controller->SetLanguageCode("en");
    EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
}

TEST_F(QlxControllerTest, LanguagesSortedByName)
{
    WriteGerman();
    WriteEnglish();
    folder.Write("Ryv.fr.lng", LangHeader("français"));
    folder.Write("Ryv.sv.lng", LangHeader("Svenska"));
    folder.Write("Ryv.cs.lng", LangHeader("Čeština"));
    auto main = MakeMain("en");
    TqlxController* c = main->controller;
    // Names are compared as the user's locale orders them.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    QStringList names;
    for (int i = 0; i < c->LanguagesCount(); ++i)
        names << c->LanguageNames(i);
    EXPECT_EQ(names, QStringList({ "Čeština", "Deutsch", "English", "français", "Svenska" }));
    EXPECT_EQ(c->LanguageCodes(3), "fr");
    EXPECT_EQ(c->LanguageIndexByCode("FR"), 3);
    EXPECT_EQ(c->LanguageIndexByCode("it"), -1);
    EXPECT_EQ(c->LanguageCodes(-1), QString());
    EXPECT_EQ(c->LanguageNames(5), QString());

    folder.Write("Ryv.it.lng", LangHeader("Italiano"));
    EXPECT_EQ(c->LanguageIndexByCode("it"), -1);
    c->RefreshLanguages();
    EXPECT_EQ(c->LanguageIndexByCode("it"), 4);
    QLocale::setDefault(previous);
}

TEST_F(QlxControllerTest, MainControllerUnhooksWhenItsWindowCloses)
{
    WriteGerman();
    auto main = MakeMain("de");
    EXPECT_TRUE(static_cast<bool>(manager->OnLanguageChanged()));
    main.reset();
    EXPECT_FALSE(static_cast<bool>(manager->OnLanguageChanged()));

    // A controller made now takes the part.
    TfrmFakeTask dialog(manager.get(), nullptr);
    EXPECT_TRUE(dialog.controller->IsMainController());
    EXPECT_EQ(dialog.lbTitle->text(), "Titel (Aufgabe)");

    // Without a manager nothing happens at all.
    TfrmFakeTask lonely(nullptr, nullptr);
    lonely.controller->SetLanguageCode("de");
    lonely.controller->Refresh();
    EXPECT_EQ(lonely.controller->LanguagesCount(), 0);
    EXPECT_EQ(lonely.controller->StandardErrorText(), QString());
    EXPECT_EQ(lonely.lbTitle->text(), "Title");
}

} // namespace
} // namespace ryv

#include "qlxcontroller_test.moc"
