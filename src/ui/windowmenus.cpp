#include "ui/windowmenus.h"

#include "core/apptexts.h"
#include "core/daylist.h"
#include "core/modalcount.h"
#include "core/ryvoptions.h"
#include "lang/langmessagedlg.h"
#include "platform/versioninfo.h"
#include "ui/commandrouter.h"
#include "ui/daylistview.h"
#include "ui/favslistview.h"
#include "ui/icons.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QWidgetAction>

#include <optional>

namespace ryv {

namespace {

// An entry of a menu's list; none is a separator.
using TMenuEntry = std::optional<TActionId>;
constexpr TMenuEntry Separator = std::nullopt;

} // namespace

TWindowMenus::TWindowMenus(const TWindowMenusParts& parts)
    : QObject(&parts.window)
    , FParts(parts)
{
    CreateMainMenu();
    CreateListMenus();
}

void TWindowMenus::CreateMainMenu()
{
    TCommandRouter& router = FParts.router;
    FpumMain = new QMenu(&FParts.window);
    FpumMain->setObjectName(QStringLiteral("pumMain"));
    FpumMain->addAction(router.Action(TCommand::acStart));
    FpumMain->addAction(router.Action(TCommand::acStop));
    FpumMain->addAction(router.Action(TCommand::acToggleStartStop));
    FpumMain->addSeparator();
    // The panels of the secondary pane are found here as well: at the first
    // start the window is too narrow to show the pane and its buttons.
    for (TWindowCommand panel : { TWindowCommand::acFavs, TWindowCommand::acHistory,
             TWindowCommand::acReports, TWindowCommand::acSecondary })
        FpumMain->addAction(router.Action(panel));
    FpumMain->addSeparator();
    FpumMain->addAction(router.Action(TWindowCommand::acPinToTop));
    QMenu* settings = FpumMain->addMenu(RyvIcon(TRyvIcon::Settings), QStringLiteral("Settings"));
    settings->menuAction()->setObjectName(QStringLiteral("miSettings"));
    auto item = [](QMenu* menu, const char* name, const char* text, const char* hint = "") {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(QString::fromUtf8(hint));
        a->setStatusTip(QString::fromUtf8(hint));
        a->setCheckable(true);
        return a;
    };
    FmiListShowStop = item(settings, "miListShowStop", "Show end time in lists");
    connect(FmiListShowStop, &QAction::triggered, this, &TWindowMenus::miListShowStopClick);
    FmiAutoShowSuggest = item(settings, "miAutoShowSuggest", "Show suggestions on new task");
    connect(FmiAutoShowSuggest, &QAction::triggered, this,
        [this] { FParts.options.AutoShowSuggest = !FParts.options.AutoShowSuggest; });
    FmiReportsTitle = item(settings, "miReportsTitle", "Reports title", "Title for reports");
    connect(FmiReportsTitle, &QAction::triggered, this, &TWindowMenus::miReportsTitleClick);

    QMenu* winTitle = settings->addMenu(QStringLiteral("Window title"));
    winTitle->menuAction()->setObjectName(QStringLiteral("miWindowTitle"));
    auto* winGroup = new QActionGroup(winTitle);
    FmiWinTitCurrent = item(winTitle, "miWinTitCurrent", "Current task");
    FmiWinTitTotal = item(winTitle, "miWinTitTotal", "Total duration");
    int pos = 0;
    for (QAction* a : { FmiWinTitCurrent, FmiWinTitTotal }) {
        winGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, pos] {
            FParts.options.WindowTitleType = static_cast<TWindowTitleType>(pos);
            FParts.today.UpdateWindowTitle();
        });
        ++pos;
    }

    QMenu* spend = settings->addMenu(QStringLiteral("Copy spent time to clipboard"));
    spend->menuAction()->setObjectName(QStringLiteral("miSpendToClipboard"));
    spend->menuAction()->setToolTip(QStringLiteral("Copy spent time to clipboard on opening link"));
    spend->menuAction()->setStatusTip(spend->menuAction()->toolTip());
    auto* spendGroup = new QActionGroup(spend);
    FmiSpendToClipboardDisabled = item(spend, "miSpendToClipboardDisabled", "Disabled");
    FmiSpendToClipboardStd = item(spend, "miSpendToClipboardStd", "Standard format");
    FmiSpendToClipboardGit = item(spend, "miSpendToClipboardGit", "Git format");
    pos = 0;
    for (QAction* a :
        { FmiSpendToClipboardDisabled, FmiSpendToClipboardStd, FmiSpendToClipboardGit }) {
        spendGroup->addAction(a);
        connect(a, &QAction::triggered, this,
            [this, pos] { FParts.options.SpendToClipboard = static_cast<TSpendToClipboard>(pos); });
        ++pos;
    }

    // Away time and the tray.
    settings->addSeparator();
    CreateAwayMinutes(settings);
    FmiCloseToTray = item(settings, "miCloseToTray", "Close to tray",
        "Closing the window hides it in the tray; tracking goes on");
    connect(FmiCloseToTray, &QAction::triggered, this,
        [this](bool checked) { FParts.options.CloseToTray = checked; });

    settings->addSeparator();
    QMenu* langs = settings->addMenu(RyvIcon(TRyvIcon::Languages), QStringLiteral("Languages"));
    langs->setObjectName(QStringLiteral("miLanguagesMenu"));
    langs->menuAction()->setObjectName(QStringLiteral("miLanguages"));
    FmiLanguages = langs;
    FpumMain->addSeparator();
    QAction* about = FpumMain->addAction(RyvIcon(TRyvIcon::About), QStringLiteral("About"));
    about->setObjectName(QStringLiteral("miAbout"));
    connect(about, &QAction::triggered, this, &TWindowMenus::miAboutClick);
    FpumMain->addSeparator();
    QAction* exit = FpumMain->addAction(RyvIcon(TRyvIcon::Close), QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("miExit"));
    connect(exit, &QAction::triggered, this, &TWindowMenus::exitClicked);
    connect(FpumMain, &QMenu::aboutToShow, this, &TWindowMenus::pumMainPopup);
    QToolButton* button = FParts.menuButton;
    connect(button, &QToolButton::clicked, this,
        [this, button] { FpumMain->popup(button->mapToGlobal(QPoint(0, button->height()))); });
}

// The minutes of absence after which the away question comes: a spin box
// with its label as an entry of the menu; 0 is "Never". The unit is in the
// label, so a language file translates it with the rest.
void TWindowMenus::CreateAwayMinutes(QMenu* menu)
{
    auto* action = new QWidgetAction(menu);
    action->setObjectName(QStringLiteral("miAwayMinutes"));
    auto* box = new QWidget(menu);
    auto* row = new QHBoxLayout(box);
    const int indent = menu->style()->pixelMetric(QStyle::PM_SmallIconSize) + 12;
    row->setContentsMargins(indent, 2, 8, 2);
    auto* label = new QLabel(QStringLiteral("Ask about time away after (minutes):"), box);
    label->setObjectName(QStringLiteral("lbAwayMinutes"));
    FseAwayMinutes = new QSpinBox(box);
    FseAwayMinutes->setObjectName(QStringLiteral("seAwayMinutes"));
    FseAwayMinutes->setRange(0, TRyvOptions::MaxAwayMinutes);
    FseAwayMinutes->setSpecialValueText(QStringLiteral("Never"));
    FseAwayMinutes->setToolTip(
        QStringLiteral("Minutes away from the computer while a task runs before asking"));
    label->setBuddy(FseAwayMinutes);
    row->addWidget(label);
    row->addWidget(FseAwayMinutes);
    action->setDefaultWidget(box);
    menu->addAction(action);
    connect(FseAwayMinutes, &QSpinBox::valueChanged, this,
        [this](int minutes) { FParts.options.AwayMinutes = minutes; });
}

void TWindowMenus::CreateListMenus()
{
    TCommandRouter& router = FParts.router;
    auto fill = [this, &router](const char* name, std::initializer_list<TMenuEntry> entries) {
        auto* menu = new QMenu(&FParts.window);
        menu->setObjectName(QString::fromLatin1(name));
        for (const TMenuEntry& entry : entries) {
            if (entry)
                menu->addAction(router.Action(*entry));
            else
                menu->addSeparator();
        }
        return menu;
    };
    // The export entries of the day lists' menus show no image; a twin entry
    // runs the same command.
    auto addExportTwins = [this, &router](QMenu* menu) {
        for (TWindowCommand command :
            { TWindowCommand::acExport, TWindowCommand::acCopyToClipboard }) {
            QAction* action = router.Action(command);
            QAction* twin = menu->addAction(action->text());
            twin->setShortcut(action->shortcut());
            twin->setShortcutContext(Qt::WidgetShortcut);
            connect(twin, &QAction::triggered, this, [this, action] { FParts.router.Run(action); });
            // Text and key follow the command, also when a language changes
            // them.
            connect(action, &QAction::changed, twin, [twin, action] {
                twin->setText(action->text());
                twin->setEnabled(action->isEnabled());
                if (twin->shortcut() != action->shortcut())
                    twin->setShortcut(action->shortcut());
            });
        }
    };

    QMenu* list = fill("pumList",
        { TCommand::acStart, TCommand::acStop, TCommand::acToggleStartStop, Separator,
            TCommand::acAdd, TCommand::acEdit, TCommand::acDelete, TCommand::acClear, Separator,
            TCommand::acOpenURL, TCommand::acTaskDone, Separator, TCommand::acMoveBack,
            TCommand::acMoveForw, TCommand::acShortenTime, TCommand::acExtendTime,
            TCommand::acMoveUp, TCommand::acMoveDn, Separator });
    addExportTwins(list);
    QMenu* favs = fill("pumFavs",
        { TCommand::acStartAs, TCommand::acAddAs, Separator, TCommand::acOpenURL2, Separator,
            TCommand::acEdit2, TCommand::acDelFav, Separator, TCommand::acMoveFavUp,
            TCommand::acMoveFavDn });
    QMenu* history = fill("pumHistory",
        { TCommand::acOpenURL2, Separator, TCommand::acAddHist, TCommand::acEdit2,
            TCommand::acDelHist, Separator, TCommand::acMoveHistBack, TCommand::acMoveHistForw,
            TCommand::acHistShortenTime, TCommand::acHistExtendTime, TCommand::acHistMoveUp,
            TCommand::acHistMoveDown, Separator });
    addExportTwins(history);

    const std::pair<QAbstractScrollArea*, QMenu*> menus[] = { { FParts.todayList, list },
        { FParts.favsList, favs }, { FParts.historyList, history } };
    for (const auto& [view, menu] : menus) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        QMenu* m = menu;
        QAbstractScrollArea* v = view;
        connect(view, &QWidget::customContextMenuRequested, this, [this, m, v](const QPoint& p) {
            emit aboutToShow();
            m->popup(v->viewport()->mapToGlobal(p));
        });
    }
}

void TWindowMenus::pumMainPopup()
{
    const TRyvOptions& options = FParts.options;
    FmiListShowStop->setChecked(options.ListShowStop);
    FmiReportsTitle->setChecked(!options.ReportsTitle.isEmpty());
    const TSpendToClipboard spend = options.SpendToClipboard;
    FmiSpendToClipboardDisabled->setChecked(spend == TSpendToClipboard::Disabled);
    FmiSpendToClipboardStd->setChecked(spend == TSpendToClipboard::Standard);
    FmiSpendToClipboardGit->setChecked(spend == TSpendToClipboard::Git);
    FmiWinTitTotal->setChecked(options.WindowTitleType == TWindowTitleType::TotalDuration);
    FmiWinTitCurrent->setChecked(options.WindowTitleType != TWindowTitleType::TotalDuration);
    FmiAutoShowSuggest->setChecked(options.AutoShowSuggest);
    FmiCloseToTray->setChecked(options.CloseToTray);
    {
        const QSignalBlocker quiet(FseAwayMinutes);
        FseAwayMinutes->setValue(options.AwayMinutes);
    }
    emit aboutToShow();
}

void TWindowMenus::miListShowStopClick()
{
    TRyvOptions& options = FParts.options;
    options.ListShowStop = !options.ListShowStop;
    FParts.today.UpdateAllRows();
    FParts.todayList->AdjustTimeColumn(options.ListShowStop);
    // The history day on show follows at once too, not only at its next
    // loading.
    FParts.history.UpdateAllRows();
    FParts.historyList->AdjustTimeColumn(options.ListShowStop);
}

void TWindowMenus::miReportsTitleClick()
{
    bool ok = false;
    // The entry's hint, as the language has it.
    const QString hint = FmiReportsTitle->statusTip();
    const TModalCount::TScope modal(FParts.modals);
    const QString text = QInputDialog::getText(&FParts.window, FParts.caption,
        hint + QLatin1Char(':'), QLineEdit::Normal, FParts.options.ReportsTitle, &ok);
    if (ok)
        FParts.options.ReportsTitle = text;
}

QString TWindowMenus::AboutText()
{
    const TVersionInfo info;
    const TAppTexts& texts = AppTexts();
    const QString crlf = QStringLiteral("\r\n");
    const QString colon = QStringLiteral(": ");
    // The Qt the program runs on, which may be newer than the one it was
    // built with.
    return texts.str_version + colon + info.GetVerValue(QStringLiteral("FileVersion")) + crlf
        + texts.str_qtversion + colon + QString::fromLatin1(qVersion()) + crlf + crlf
        + info.GetVerValue(QStringLiteral("LegalCopyright")) + crlf + texts.str_license + colon
        + TVersionInfo::ProgramLicense() + crlf + texts.str_homepage + colon
        + TVersionInfo::ProgramHomePage();
}

void TWindowMenus::miAboutClick()
{
    const TModalCount::TScope modal(FParts.modals);
    TMessageBoxRequest request;
    request.Title = FParts.caption;
    request.DlgType = mtInformation;
    request.Buttons = mbOK;
    request.DefaultButton = mbOK;
    // The version's caption follows a change of language while it is open.
    request.MsgSource = &TWindowMenus::AboutText;
    ShowLangMessageBox(request, &FParts.window);
}

} // namespace ryv
