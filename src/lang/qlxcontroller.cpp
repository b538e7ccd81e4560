#include "lang/qlxcontroller.h"

#include "lang/langids.h"
#include "lang/usermessages.h"
#include "lang/widgetpropertywriter.h"

#include <QApplication>
#include <QCollator>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace ryv {

namespace {

const TWidgetPropertyWriter& WidgetWriter()
{
    static const TWidgetPropertyWriter writer;
    return writer;
}

} // namespace

TqlxController::TqlxController(QObject* owner, TLanguageManager* manager)
    : QObject(owner)
    , FManager(manager)
{
    setObjectName(QStringLiteral("qlxController1"));
    if (FManager && !FManager->OnLanguageChanged())
        BecomeMainController();
}

TqlxController::~TqlxController()
{
    if (FIsMainController && FManager)
        FManager->SetOnLanguageChanged(nullptr);
}

void TqlxController::BecomeMainController()
{
    FManager->SetOnLanguageChanged([this](TLanguageManager* sender) { DoLanguageChanged(sender); });
    FIsMainController = true;
}

void TqlxController::Loaded()
{
    if (!FManager)
        return;
    if (!FIsMainController || !FManager->LanguageCode().isEmpty()) {
        if (!FManager->LanguageCode().isEmpty())
            DoLanguageChanged(FManager);
        return;
    }

    QString requested;
    if (FOnInitLangManager) {
        const QString saved = FDefaultLangCode;
        FDefaultLangCode.clear();
        FOnInitLangManager(this);
        requested = FDefaultLangCode;
        FDefaultLangCode = saved;
    }
    // Each attempt starts with an empty LastError, so only the last one's
    // failure is left to report.
    FLCErrorHandled = false;
    const int changeCount = FManager->ChangeCount();
    if (!requested.isEmpty())
        FManager->SetLanguageCode(requested);
    if (FManager->LanguageCode().isEmpty()) {
        if (FAutoInitLanguage) {
            FManager->SetLanguageCode(
                FUserLanguage ? FUserLanguage() : UserInterfaceLanguageCode());
            if (FManager->LanguageCode().isEmpty())
                FManager->SetLanguageCode(
                    FDefaultLangCode.isEmpty() ? QStringLiteral("en") : FDefaultLangCode);
        } else if (!FDefaultLangCode.isEmpty()) {
            FManager->SetLanguageCode(FDefaultLangCode);
        }
    }
    if (!requested.isEmpty())
        FDefaultLangCode = requested;
    FinishLoad(changeCount);
}

QString TqlxController::LanguageCode() const
{
    return FManager ? FManager->LanguageCode() : QString();
}

void TqlxController::SetLanguageCode(const QString& code)
{
    if (!FManager || code.compare(FManager->LanguageCode(), Qt::CaseInsensitive) == 0)
        return;
    if (!FManager->OnLanguageChanged())
        BecomeMainController();
    if (FIsMainController && FManager->LanguageCode().isEmpty() && FOnInitLangManager)
        FOnInitLangManager(this);
    FLCErrorHandled = false;
    const int changeCount = FManager->ChangeCount();
    FManager->SetLanguageCode(code);
    FinishLoad(changeCount);
}

void TqlxController::FinishLoad(int changeCountBefore)
{
    if (FManager->ChangeCount() != changeCountBefore || FManager->LastError().isEmpty()
        || FLCErrorHandled)
        return;
    ReportError();
    FLCErrorHandled = true;
    if (!FManager->LanguageCode().isEmpty() && FManager->OnLanguageChanged())
        FManager->OnLanguageChanged()(FManager);
}

QString TqlxController::LanguageName() const
{
    return FManager ? FManager->LanguageName() : QString();
}

QString TqlxController::LastError() const
{
    return FManager ? FManager->LastError() : QString();
}

TBiDiMode TqlxController::BiDiMode() const
{
    if (FManager)
        return FManager->BiDiMode();
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? TBiDiMode::bdRightToLeft
                                                                 : TBiDiMode::bdLeftToRight;
}

const QList<TLanguageInfo>& TqlxController::Languages()
{
    static const QList<TLanguageInfo> none;
    if (!FManager)
        return none;
    if (!FAvailLangs) {
        QList<TLanguageInfo> list;
        // A failed fill is tried anew on the next use.
        if (!GetAvailableLanguages(list))
            return none;
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(
            list.begin(), list.end(), [&](const TLanguageInfo& a, const TLanguageInfo& b) {
                return collator.compare(a.name, b.name) < 0;
            });
        FAvailLangs = std::move(list);
    }
    return *FAvailLangs;
}

int TqlxController::LanguagesCount()
{
    return static_cast<int>(Languages().size());
}

QString TqlxController::LanguageCodes(int index)
{
    const QList<TLanguageInfo>& list = Languages();
    return index >= 0 && index < list.size() ? list[index].code : QString();
}

QString TqlxController::LanguageNames(int index)
{
    const QList<TLanguageInfo>& list = Languages();
    return index >= 0 && index < list.size() ? list[index].name : QString();
}

int TqlxController::LanguageIndexByCode(const QString& code)
{
    const QList<TLanguageInfo>& list = Languages();
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].code.compare(code, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void TqlxController::RefreshLanguages()
{
    FAvailLangs.reset();
    Languages();
}

bool TqlxController::GetAvailableLanguages(QList<TLanguageInfo>& list)
{
    if (!FManager)
        return false;
    if (FManager->GetAvailableLanguages(list))
        return true;
    if (!FManager->LastError().isEmpty())
        ReportError();
    return false;
}

void TqlxController::Refresh()
{
    if (FManager && !FManager->LanguageCode().isEmpty())
        DoLanguageChanged(FManager);
}

void TqlxController::DoLanguageChanged(TLanguageManager* manager)
{
    if (!FManager || manager != FManager)
        return;
    if (FIsMainController && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setLayoutDirection(
            FManager->BiDiMode() == TBiDiMode::bdRightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    if (FOnBeforeLangChange)
        FOnBeforeLangChange(this);
    if (!FManager->LangVCL(Owner(), FSectionName, nullptr, &WidgetWriter())) {
        ReportError();
        FLCErrorHandled = true;
    }
    if (FOnLanguageChanged)
        FOnLanguageChanged(this);
    if (!FIsMainController)
        return;

    // Every other window of ours, open or hidden, takes the language now. A
    // handler above may have closed windows, and one reached below may
    // close others, so each is looked up again before it is served.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != Owner())
                windows << w;
        }
        for (const QPointer<QWidget>& w : std::as_const(windows)) {
            if (!w)
                continue;
            auto* controller = w->findChild<TqlxController*>(QString(), Qt::FindDirectChildrenOnly);
            if (controller && controller != this)
                controller->DoLanguageChanged(manager);
        }
    }
    FLCErrorHandled = true;
}

void TqlxController::ReportError()
{
    if (FOnError)
        FOnError(this);
    else
        ShowErrorMessage();
}

void TqlxController::ShowErrorMessage()
{
    if (!FDefaultErrorMessage || !FManager)
        return;
    const QString text = StandardErrorText();
    if (FWarningSink) {
        FWarningSink(text);
        return;
    }
    TUserMessages(qobject_cast<QWidget*>(Owner())).Warning(text);
}

QString TqlxController::StandardErrorText() const
{
    if (!FManager)
        return {};
    QString text;
    if (!FManager->LanguageCode().isEmpty())
        text += FManager->LanguageName() + QStringLiteral(" (") + FManager->LanguageCode()
            + QStringLiteral("): ");
    if (const QObject* owner = Owner())
        text += QStringLiteral("[") + owner->objectName() + QStringLiteral(" (")
            + (FSectionName.isEmpty() ? TLanguageManager::OwnerClassName(owner) : FSectionName)
            + QStringLiteral(")] ");
    return text + FManager->LastError();
}

} // namespace ryv
