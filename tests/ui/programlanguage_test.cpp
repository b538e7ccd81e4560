// The program's language as the user meets it: the choice at start-up, the
// Languages menu, a switch while windows are open, the choice kept for the
// next start, and language files that are broken.

#include "languageworld.h"

#include "core/ryvitem.h"
#include "lang/langfile.h"
#include "lang/langmessagedlg.h"
#include "lang/qlxcontroller.h"
#include "ui/daylistview.h"
#include "ui/windowlanguage.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace ryv::langtest {
namespace {

// A text of a shipped language file.
QString Shipped(const char* code, const char* section, const char* key)
{
    const std::optional<TLangFile> file = TLangFile::Load(
        ShippedLangs() + QStringLiteral("/RyvTracker.%1.lng").arg(QLatin1String(code)), nullptr);
    if (!file)
        return {};
    return DecodeLangEscapes(
        file->Value(QString::fromLatin1(section), QString::fromLatin1(key)).value_or(QString()));
}

QString German(const char* section, const char* key)
{
    return Shipped("de", section, key);
}

class ProgramLanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        langs = dir.filePath(QStringLiteral("Langs"));
        QDir().mkpath(langs);
        app = dir.filePath(QStringLiteral("app"));
        QDir().mkpath(app);
    }

    void CopyShipped(std::initializer_list<const char*> codes)
    {
        for (const char* code : codes) {
            const QString name = QStringLiteral("RyvTracker.%1.lng").arg(QLatin1String(code));
            ASSERT_TRUE(QFile::copy(
                ShippedLangs() + QLatin1Char('/') + name, langs + QLatin1Char('/') + name));
        }
    }

    void WriteLang(const QString& name, const QByteArray& bytes)
    {
        QFile file(langs + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    void SaveLangCode(const QString& code)
    {
        QFile file(TRyvOptions(app).SettingsFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QStringLiteral("[misc]\nlangCode=%1\n").arg(code).toUtf8());
    }

    TRegionalScope locale { "en_US" };
    QTemporaryDir dir;
    QString langs;
    QString app;
};

TEST_F(ProgramLanguageTest, StartUpFallsBackWithoutAnErrorBox)
{
    struct Case {
        const char* name;
        const char* saved; // nullptr: no settings file
        const char* user; // the desktop's language
        bool files;
        const char* loaded;
        const char* error; // the one error box, if any
    };
    const Case cases[] = {
        { "saved language", "de", "en", true, "de", nullptr },
        { "saved language whose files are gone", "xx", "de", true, "de", nullptr },
        { "first start, the user's language", nullptr, "de", true, "de", nullptr },
        { "first start, no files of the user's language", nullptr, "fr", true, "en", nullptr },
        { "no language files at all", "de", "fr", false, "",
            "[frmRyvTracker (TfrmRyvTracker)] Language not found (en)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(langs).removeRecursively();
        QDir().mkpath(langs);
        QFile::remove(TRyvOptions(app).SettingsFilePath());
        if (c.files)
            CopyShipped({ "en", "de" });
        if (c.saved)
            SaveLangCode(QString::fromLatin1(c.saved));

        TTestLanguage language(langs, QString::fromLatin1(c.user));
        windowtest::TWorld world(app);
        TfrmRyvTracker& window = world.Open(windowtest::WorkArea, &language.language);
        EXPECT_EQ(language.manager.LanguageCode(), QString::fromLatin1(c.loaded));
        EXPECT_EQ(language.errors,
            c.error ? QStringList { QString::fromLatin1(c.error) } : QStringList());
        const QString start = window.Action(TCommand::acStart)->text();
        if (QLatin1String(c.loaded) == QLatin1String("de")) {
            EXPECT_EQ(start, German("TfrmRyvTracker", "acStart.Caption"));
            EXPECT_EQ(AppTexts().str_total, German("constants", "str_total"));
        } else {
            EXPECT_EQ(start, QStringLiteral("Start a new task"));
            EXPECT_EQ(AppTexts().str_total, QStringLiteral("TOTAL:"));
        }
        // The settings keep the language loaded, not the one that is gone.
        if (*c.loaded) {
            EXPECT_EQ(world.options.LangCode, QString::fromLatin1(c.loaded));
        }
        window.FormClose();
    }
}

TEST_F(ProgramLanguageTest, LanguagesMenuSortedCheckedAndSwitching)
{
    CopyShipped({ "en", "de" });
    WriteLang(
        QStringLiteral("RyvTracker.sv.lng"), "[calbrix language file]\nlanguagename=Svenska\n");
    WriteLang(
        QStringLiteral("RyvTracker.fr.lng"), "[calbrix language file]\nlanguagename=Français\n");
    WriteLang(QStringLiteral("RyvTracker.nn.lng"),
        "[calbrix language file]\nlanguagename=Norsk nynorsk\n");
    WriteLang(QStringLiteral("RyvTracker.ar.lng"),
        "[calbrix language file]\nlanguagename=العربية\nrtl=1\n");
    WriteLang(QStringLiteral("RyvTracker.nameless.lng"), "[constants]\nstr_total=?\n");
    TTestLanguage language(langs, QStringLiteral("en"));
    windowtest::TWorld world(app);
    TfrmRyvTracker& window = world.Open(windowtest::WorkArea, &language.language);

    // What the menu shows when it opens.
    auto entries = [&] {
        emit window.miLanguages()->aboutToShow();
        QStringList names;
        QString checked;
        for (QAction* entry : window.miLanguages()->actions()) {
            names << entry->text();
            EXPECT_TRUE(entry->isCheckable() && entry->actionGroup())
                << entry->text().toStdString();
            if (entry->isChecked())
                checked += entry->text();
        }
        return std::pair(names, checked);
    };
    auto choose = [&](const QString& name) {
        for (QAction* entry : window.miLanguages()->actions()) {
            if (entry->text() == name)
                entry->trigger();
        }
    };
    const QStringList sorted { QStringLiteral("Deutsch"), QStringLiteral("English"),
        QStringLiteral("Français"), QStringLiteral("Norsk nynorsk"), QStringLiteral("Svenska"),
        QStringLiteral("العربية") };
    EXPECT_EQ(entries(), std::pair(sorted, QStringLiteral("English")));

    choose(QStringLiteral("Deutsch"));
    EXPECT_EQ(entries().second, QStringLiteral("Deutsch"));
    // Qt's own key names follow, where the system has Qt's translation.
    const auto backspace
        = [] { return QKeySequence(Qt::Key_Backspace).toString(QKeySequence::NativeText); };
    const bool qtGerman = QFileInfo::exists(
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm"));
    if (qtGerman) {
        EXPECT_NE(backspace(), QStringLiteral("Backspace"));
    }
    EXPECT_EQ(
        window.Action(TCommand::acStart)->text(), German("TfrmRyvTracker", "acStart.Caption"));
    EXPECT_EQ(world.options.LangCode, QStringLiteral("de"));

    // A language whose files went away meanwhile: one error, nothing changes.
    QFile::remove(langs + QStringLiteral("/RyvTracker.sv.lng"));
    choose(QStringLiteral("Svenska"));
    EXPECT_EQ(language.errors,
        QStringList { QStringLiteral("[frmRyvTracker (TfrmRyvTracker)] Language not found (sv)") });
    EXPECT_EQ(language.manager.LanguageCode(), QString());
    EXPECT_EQ(entries().second, QString());
    EXPECT_EQ(
        window.Action(TCommand::acStart)->text(), German("TfrmRyvTracker", "acStart.Caption"));

    // Opening the menu finds the languages anew.
    EXPECT_FALSE(entries().first.contains(QStringLiteral("Svenska")));

    // A right-to-left language turns the layout, and back.
    choose(QStringLiteral("العربية"));
    EXPECT_EQ(QApplication::layoutDirection(), Qt::RightToLeft);
    choose(QStringLiteral("English"));
    EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(entries().second, QStringLiteral("English"));
    EXPECT_EQ(window.Action(TCommand::acStart)->text(), QStringLiteral("Start a new task"));
    EXPECT_EQ(backspace(), QStringLiteral("Backspace"));
    EXPECT_EQ(language.errors.size(), 1);
    window.FormClose();
}

TEST_F(ProgramLanguageTest, ChosenLanguageSurvivesRestart)
{
    CopyShipped({ "en", "de" });
    {
        TTestLanguage language(langs, QStringLiteral("en"));
        windowtest::TWorld world(app);
        TfrmRyvTracker& window = world.Open(windowtest::WorkArea, &language.language);
        ASSERT_EQ(language.manager.LanguageCode(), QStringLiteral("en"));
        window.Language()->miChangeLanguageClick(QStringLiteral("de"));
        window.close();
    }
    TTestLanguage language(langs, QStringLiteral("en"));
    windowtest::TWorld world(app);
    TfrmRyvTracker& window = world.Open(windowtest::WorkArea, &language.language);
    EXPECT_EQ(language.manager.LanguageCode(), QStringLiteral("de"));
    EXPECT_EQ(
        window.Action(TCommand::acStart)->text(), German("TfrmRyvTracker", "acStart.Caption"));
    QString checked;
    emit window.miLanguages()->aboutToShow();
    for (QAction* entry : window.miLanguages()->actions())
        checked += entry->isChecked() ? entry->text() : QString();
    EXPECT_EQ(checked, QStringLiteral("Deutsch"));
    EXPECT_TRUE(language.errors.isEmpty());
    window.FormClose();
}

TEST_F(ProgramLanguageTest, LiveSwitchTranslatesEveryOpenWindowAtOnce)
{
    CopyShipped({ "en", "de" });
    // The user's own file moves two keys; copies of the keys follow them.
    WriteLang(QStringLiteral("Mine.de.lngu"),
        "[TfrmRyvTracker]\nacExport.ShortCut=Shift+Ctrl+X\nacMoveBackHour.ShortCut=Alt+Up\n");
    TTestLanguage language(langs, QStringLiteral("en"));
    windowtest::TWorld world(app);
    TfrmRyvTracker& window = world.Open(windowtest::WorkArea, &language.language);
    TEmptySources sources(world.options, world.favs, world.recent, world.clock, world.clipboard);
    TTaskDialog dialogs(world.options, world.favs, sources.sources, world.clipboard, world.shell,
        &window, &language.manager);

    // A message box that is open meanwhile (as the About box).
    TMessageBoxRequest request;
    request.DlgType = mtWarning;
    request.MsgSource = [] { return AppTexts().str_total; };
    std::unique_ptr<QMessageBox> box(CreateLangMessageBox(request, &window));
    box->show();

    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TfrmRyvTask*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Task"));
        window.Language()->miChangeLanguageClick(QStringLiteral("de"));
        QApplication::processEvents();

        EXPECT_EQ(dialog->windowTitle(), German("TfrmRyvTask", "self.Caption"));
        EXPECT_EQ(dialog->NameCaption(), German("TfrmRyvTracker", "acStart.Caption"));
        EXPECT_EQ(dialog->findChild<QPushButton*>(QStringLiteral("sbCancel"))->text(),
            German("TfrmRyvTask", "sbCancel.Caption"));
        EXPECT_EQ(dialog->findChild<QCheckBox*>(QStringLiteral("cbTaskDone"))->text(),
            German("TfrmRyvTask", "cbTaskDone.Caption"));
        EXPECT_EQ(dialog->findChild<QAction*>(QStringLiteral("miExcludeSrc"))->text(),
            German("constants", "str_excludesrc"));
        checked = true;
        dialog->reject();
    });
    TRyvItem entry;
    dialogs.ExecuteTaskDialog(
        entry, window.Action(TCommand::acStart)->text(), true, false, nullptr, false);
    ASSERT_TRUE(checked);

    // The texts composed in code, the message boxes' and Qt's Cancel.
    EXPECT_EQ(AppTexts().str_total, German("constants", "str_total"));
    EXPECT_EQ(DialogTexts().lng_MsgBtnYes, German("constants", "lng_MsgBtnYes"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
        German("constants", "@Vcl.Consts.SMsgDlgCancel"));
    EXPECT_EQ(box->windowTitle(), German("constants", "lng_MsgDlgWarning"));
    EXPECT_EQ(box->informativeText(), German("constants", "str_total"));
    // The window's own texts set in code.
    EXPECT_EQ(
        window.findChild<QLabel*>(QStringLiteral("lbSecondary"))->property("caption").toString(),
        German("TfrmRyvTracker", "acFavs.Caption"));
    EXPECT_TRUE(window.findChild<QToolButton*>(QStringLiteral("sbStart"))->text().isEmpty());
    // The export entries of the lists' menus follow the command's text and key.
    const QKeySequence exportKey(QStringLiteral("Shift+Ctrl+X"));
    EXPECT_EQ(window.Action(TWindowCommand::acExport)->shortcut(), exportKey);
    int twins = 0;
    for (const char* menu : { "pumList", "pumHistory" }) {
        for (QAction* a : window.findChild<QMenu*>(QString::fromLatin1(menu))->actions()) {
            if (a != window.Action(TWindowCommand::acExport)
                && a->text() == window.Action(TWindowCommand::acExport)->text()) {
                EXPECT_EQ(a->shortcut(), exportKey) << menu;
                ++twins;
            }
        }
    }
    EXPECT_EQ(twins, 2);
    // The history's hour command takes today's key when the history has the
    // focus.
    window.ShowSecondaryPanel(TSecondaryPanel::History);
    QApplication::setActiveWindow(&window);
    window.lvHistory()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window.Action(TCommand::acMoveHistBackHour)->shortcut(),
        QKeySequence(QStringLiteral("Alt+Up")));

    // A window made after the switch is made in the new language.
    TfrmRyvGroup group(&window, &language.manager, QStringLiteral("x"), QString(), QString());
    EXPECT_EQ(group.sbCancel->text(), German("TfrmRyvGroup", "sbCancel.Caption"));
    EXPECT_TRUE(language.errors.isEmpty());
    window.FormClose();
}

TEST_F(ProgramLanguageTest, BrokenLanguageFilesNeverStopTheProgram)
{
    struct Case {
        const char* name;
        QByteArray file; // RyvTracker.xx.lng; empty: none
        int errors;
        const char* start; // acStart's caption afterwards
        const char* total; // str_total afterwards
    };
    static const char raw[] = "\x00\x01\x02\xFF[constants]\x00str_total=x\x00";
    const QByteArray binary = QByteArray(raw, sizeof(raw) - 1) + QByteArray(3000, '\x07');
    const Case cases[] = {
        { "no such language", QByteArray(), 1, "Start a new task", "TOTAL:" },
        { "binary", binary, 1, "Start a new task", "TOTAL:" },
        { "empty", QByteArray(" "), 0, "Start a new task", "TOTAL:" },
        { "unknown and malformed entries",
            "[calbrix language file]\nlanguagename=X\n[constants]\nstr_total=SUM:\n"
            "str_nosuchtext=?\n[NoSuchWindow]\nx.Caption=y\n[TfrmRyvTracker]\n"
            "acStart.Caption=Go\nnoSuchObject.Caption=x\nacStart.NoSuchProperty=1\n"
            "lvList.Columns[99999999999999].Caption=x\nlvList.Columns[x].Caption=x\n"
            "acStart..Caption=x\n[.Caption=x\nacStart.Columns[.Caption=x\n"
            "a.b.c.d.e.f.g.h.i.j.k.l.m.n.o.p.q.r.s.t.u.v.w.x.y.z.a.b.c.d.e.f.g.h.Caption=x\n"
            "lbTotCap.Caption=<b>SUM</b>\nacStop.ShortCut=Nonsense+Key\n",
            1, "Go", "SUM:" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(langs).removeRecursively();
        QDir().mkpath(langs);
        CopyShipped({ "en" });
        if (!c.file.isEmpty())
            WriteLang(QStringLiteral("RyvTracker.xx.lng"), c.file);
        TTestLanguage language(langs, QStringLiteral("en"));
        windowtest::TWorld world(app);
        TfrmRyvTracker& window = world.Open(windowtest::WorkArea, &language.language);
        window.Language()->miChangeLanguageClick(QStringLiteral("xx"));
        EXPECT_EQ(language.errors.size(), c.errors) << language.errors.join('\n').toStdString();
        EXPECT_EQ(window.Action(TCommand::acStart)->text(), QString::fromUtf8(c.start));
        EXPECT_EQ(AppTexts().str_total, QString::fromUtf8(c.total));
        // A text from a file is shown as it stands, never as markup.
        auto* totCap = window.findChild<QLabel*>(QStringLiteral("lbTotCap"));
        EXPECT_EQ(totCap->textFormat(), Qt::PlainText);
        // The program goes on: a command still runs, the window still closes.
        EXPECT_TRUE(window.RunAction(window.Action(TCommand::acStart)));
        window.close();
        EXPECT_FALSE(window.isVisible());
    }
}

// A translation without the placeholders of its text would ask about an
// absence without its times or its task, and a value of thousands of
// characters would make every window slow to lay out: both keep the
// English text, the rest of the language applies, and one box names them.
TEST_F(ProgramLanguageTest, BadEntriesKeepTheEnglishTextAndAreReportedOnce)
{
    CopyShipped({ "en" });
    WriteLang(QStringLiteral("RyvTracker.xx.lng"),
        "[calbrix language file]\nlanguagename=X\n[constants]\nstr_total=SUM:\n"
        "str_away_question=Du warst weg.\nstr_away_stop=Stopp um %2\n[TfrmRyvTracker]\n"
        "acStart.Caption="
            + QByteArray(TLanguageManager::MaxValueLength + 1, 'x') + "\nacStop.Caption=Halt\n");
    TTestLanguage language(langs, QStringLiteral("en"));
    windowtest::TWorld world(app);
    TfrmRyvTracker& window = world.Open(windowtest::WorkArea, &language.language);
    window.Language()->miChangeLanguageClick(QStringLiteral("xx"));

    ASSERT_EQ(language.errors.size(), 1) << language.errors.join('\n').toStdString();
    for (const char* named : { "str_away_question", "str_away_stop", "acStart.Caption" })
        EXPECT_TRUE(language.errors[0].contains(QLatin1String(named), Qt::CaseInsensitive))
            << named;
    EXPECT_EQ(AppTexts().str_away_question, TAppTexts().str_away_question);
    EXPECT_EQ(AppTexts().str_away_stop, u"Stop at %1"_qs);
    EXPECT_EQ(AppTexts().str_total, u"SUM:"_qs);
    EXPECT_EQ(window.Action(TCommand::acStart)->text(), u"Start a new task"_qs);
    EXPECT_EQ(window.Action(TCommand::acStop)->text(), u"Halt"_qs);
}

} // namespace
} // namespace ryv::langtest
