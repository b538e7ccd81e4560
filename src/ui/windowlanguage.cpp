#include "ui/windowlanguage.h"

#include "core/inifile.h"
#include "core/ryvoptions.h"
#include "lang/langmessagedlg.h"
#include "lang/langtexts.h"
#include "lang/languagemanager.h"
#include "lang/programlanguage.h"
#include "lang/qlxcontroller.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QMenu>

namespace ryv {

TWindowLanguage::TWindowLanguage(const TWindowLanguageParts& parts)
    : QObject(&parts.window)
    , FParts(parts)
{
    // The window's first controller: the program's main controller.
    FController = new TqlxController(&FParts.window, &FParts.language.manager);
    FController->SetOnInitLangManager([this](TqlxController*) { qlxController1InitLangManager(); });
    FController->SetOnBeforeLangChange(
        [this](TqlxController*) { qlxController1BeforeLangChange(); });
    FController->SetOnLanguageChanged([this](TqlxController*) { qlxController1LanguageChanged(); });
    FController->SetOnError([this](TqlxController*) { qlxController1Error(); });
    if (FParts.language.userLanguage)
        FController->SetUserLanguageSource(FParts.language.userLanguage);
    if (FParts.languagesMenu) {
        FLanguageGroup = new QActionGroup(FParts.languagesMenu);
        FLanguageGroup->setExclusive(true);
        connect(FParts.languagesMenu, &QMenu::aboutToShow, this, [this] {
            FController->RefreshLanguages();
            FillLanguagesMenu();
        });
    }
}

void TWindowLanguage::Start()
{
    FController->Loaded();
}

QString TWindowLanguage::LanguageCode() const
{
    return FController->LanguageCode();
}

void TWindowLanguage::qlxController1InitLangManager()
{
    // Read before the window's start-up reads the whole file: the window's
    // texts are built in the language it names. A file that cannot be read
    // is reported by that start-up.
    TIniFile ini(FParts.options.SettingsFilePath());
    ini.Load(nullptr);
    FParts.options.LangCode = ini.ReadString(QStringLiteral("misc"), QStringLiteral("langCode"),
                                     FParts.options.LangCode)
                                  .trimmed();
    FController->SetDefaultLangCode(FParts.options.LangCode);
    // The Languages menu lists the files when it opens (reading each one's
    // name and sorting them by the user's collation is no work for the
    // start-up).
}

void TWindowLanguage::qlxController1BeforeLangChange()
{
    TProgramLanguage& language = FParts.language;
    RefreshProgramTexts(
        language.manager, language.translator, language.appTexts, language.dialogTexts);
    // The constants live on in the texts; the property entries stay for the
    // windows made later.
    language.manager.Clear(true, false, false, false);
}

void TWindowLanguage::qlxController1LanguageChanged()
{
    FParts.options.LangCode = FController->LanguageCode();
    CheckLoadedLanguage();
    if (FParts.languageChanged)
        FParts.languageChanged();
    // Open message boxes and Qt's own dialogs (their Cancel) take the new
    // texts too; Qt hands the announcement to every window.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QEvent event(QEvent::LanguageChange);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &event);
    }
}

void TWindowLanguage::qlxController1Error()
{
    const QString message = FController->StandardErrorText();
    if (FParts.language.showError) {
        FParts.language.showError(message);
        return;
    }
    LangMessageDlg(QString(), message, mtWarning, mbOK, mbOK, -1, -1, QString(), &FParts.window);
}

void TWindowLanguage::FillLanguagesMenu()
{
    QMenu* menu = FParts.languagesMenu;
    if (!menu)
        return;
    menu->clear();
    for (int i = 0; i < FController->LanguagesCount(); ++i) {
        const QString code = FController->LanguageCodes(i);
        QAction* entry = menu->addAction(FController->LanguageNames(i));
        entry->setCheckable(true);
        entry->setData(code);
        entry->setStatusTip(code);
        FLanguageGroup->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, code] { miChangeLanguageClick(code); });
    }
    CheckLoadedLanguage();
}

void TWindowLanguage::miChangeLanguageClick(const QString& code)
{
    FController->SetLanguageCode(code);
    CheckLoadedLanguage();
}

void TWindowLanguage::CheckLoadedLanguage()
{
    if (!FParts.languagesMenu)
        return;
    const QString code = FController->LanguageCode();
    bool checked = false;
    for (QAction* entry : FParts.languagesMenu->actions()) {
        const bool loaded
            = !checked && entry->data().toString().compare(code, Qt::CaseInsensitive) == 0;
        entry->setChecked(loaded);
        checked = checked || loaded;
    }
}

} // namespace ryv
