#include "ui/mainwindow.h"

#include "core/apptexts.h"
#include "core/daylist.h"
#include "core/inifile.h"
#include "core/liststore.h"
#include "core/ports.h"
#include "core/ryvoptions.h"
#include "core/settings.h"
#include "core/texthelpers.h"
#include "lang/langtemplate.h"
#include "platform/versioninfo.h"
#include "reports/reportcommands.h"
#include "tracking/tracker.h"
#include "ui/clicklabel.h"
#include "ui/daylistdelegate.h"
#include "ui/daylistview.h"
#include "ui/favslistview.h"
#include "ui/favspanel.h"
#include "ui/historypanel.h"
#include "ui/icons.h"
#include "ui/reportspanel.h"
#include "ui/secondarypane.h"
#include "ui/totalsbar.h"
#include "ui/widgetparts.h"
#include "ui/windowlanguage.h"
#include "ui/windowmenus.h"
#include "ui/windowmodes.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QScopedValueRollback>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

namespace ryv {

namespace {

// The commands that show the panels of the secondary pane.
constexpr std::pair<TWindowCommand, TSecondaryPanel> PanelCommands[] = {
    { TWindowCommand::acFavs, TSecondaryPanel::Favs },
    { TWindowCommand::acHistory, TSecondaryPanel::History },
    { TWindowCommand::acPlans, TSecondaryPanel::Plans },
    { TWindowCommand::acReports, TSecondaryPanel::Reports },
    { TWindowCommand::acShortcuts, TSecondaryPanel::Shortcuts },
};

} // namespace

// --- construction ----------------------------------------------------------------

TfrmRyvTracker::TfrmRyvTracker(const TMainWindowParts& parts, QWidget* parent)
    : QMainWindow(parent)
    , FOptions(parts.options)
    , FFavs(parts.favs)
    , FRecent(parts.recent)
    , FToday(parts.today)
    , FHistory(parts.history)
    , FStore(parts.store)
    , FTracker(parts.tracker)
    , FMessages(parts.messages)
    , FReports(parts.reports)
{
    setObjectName(QStringLiteral("frmRyvTracker"));
    // The caption names the running task or the program.
    SetTextsFromCode(this);
    FDefCaption = TVersionInfo::ProgramTitle();
    setWindowTitle(FDefCaption);
    setMinimumSize(design::MinWidth, design::MinHeight);
    resize(design::Width, design::Height);
    FRouter = new TCommandRouter(
        FTracker, *this, [this] { return UiState(); }, [this] { UpdateActions(); });
    SetWindowCommands();
    CreateComponents();
    UpdateStateImages();
    CreateMenus();
    ConnectModel();
    ConnectEngine();
    // The components are complete: the language is chosen and applied before
    // the window's start-up (FormCreate) reads the settings.
    if (parts.language) {
        FLanguage = new TWindowLanguage(TWindowLanguageParts { *this, *parts.language, FOptions,
            FMenus->miLanguages(), [this] { LanguageChanged(); } });
        FLanguage->Start();
    }
    // A session that ends without closing the window still saves everything.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TfrmRyvTracker::FormClose);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TfrmRyvTracker::OnIdle);
    constexpr int SaveSettingsDelayMs = 1000;
    tmrSaveSettings.setInterval(SaveSettingsDelayMs);
    tmrSaveSettings.setSingleShot(true);
    connect(&tmrSaveSettings, &QTimer::timeout, this, &TfrmRyvTracker::tmrSaveSettingsTimer);
}

TfrmRyvTracker::~TfrmRyvTracker()
{
    // The children are destroyed after this body and may still signal (focus
    // leaving, selections cleared); nothing of the window may react then.
    for (QObject* source : std::initializer_list<QObject*> { &FToday, &FHistory, &FStore, &FTracker,
             qApp, FlvList, FlvHistory, FlvFavs, FSecondary, FMenus, FModes })
        disconnect(source, nullptr, this, nullptr);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        disconnect(dispatcher, nullptr, this, nullptr);
    // The router goes first, and with it the keys it routes and everything
    // the views tell it.
    delete FRouter;
    FRouter = nullptr;
}

void TfrmRyvTracker::SetWindowCommands()
{
    auto set = [this](TWindowCommand command, std::function<void()> run) {
        FRouter->SetWindowCommand(command, std::move(run));
    };
    set(TWindowCommand::acClose, [this] { acCloseExecute(); });
    set(TWindowCommand::acPinToTop, [this] { FModes->TogglePinned(); });
    set(TWindowCommand::acCompactMode, [this] { FModes->ToggleCompact(); });
    set(TWindowCommand::acExport, [this] { ExportDay(false); });
    set(TWindowCommand::acCopyToClipboard, [this] {
        if (FReports)
            FReports->acCopyToClipboardExecute(ExportList(false));
    });
    for (const auto& [command, panel] : PanelCommands)
        set(command, [this, panel] { ShowSecondaryPanel(panel); });
    set(TWindowCommand::acSecondary, [this] {
        if (FModes->TwoPanes())
            FModes->CloseSecondaryPane();
        else
            ShowSecondaryPanel(FSecondary->Panel());
    });
}

QAction* TfrmRyvTracker::Action(TCommand command) const
{
    return FRouter->Action(command);
}

QAction* TfrmRyvTracker::Action(TWindowCommand command) const
{
    return FRouter->Action(command);
}

void TfrmRyvTracker::CreateComponents()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pClient"));
    setCentralWidget(central);
    // The top line sets the window off from a flat white title bar of one
    // particular desktop; IsWindows10OrLater says whether it applies here.
    QFrame* topLine = MakeLine(central, QStringLiteral("Shape5"), false);
    topLine->setGeometry(0, 0, design::LooseLineLength, 1);
    topLine->setVisible(IsWindows10OrLater());
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    CreateMainPane(central);
    row->addWidget(FpMain);

    TSecondaryPane::TPanelActions panelActions {};
    for (const auto& [command, panel] : PanelCommands)
        panelActions[static_cast<std::size_t>(panel)] = Action(command);
    FSecondary = new TSecondaryPane(
        FHistory, FReports, panelActions, Action(TWindowCommand::acExport), central);
    row->addWidget(FSecondary, 1);
    FBottom2 = FSecondary->History()->Bar();
    FlvHistory = FSecondary->History()->List();
    FlvFavs = FSecondary->Favs()->List();
    FSecondary->Reports()->BindOptions(FOptions);

    FModes = new TWindowModes(TWindowModesParts { *this, FpMain, FpMainHeader, FpList, FBottom,
        FSecondary, FlvList, [this] { return MainPaneNeed(); },
        [this] { return SecondaryPaneNeed(); }, [this] { return SecondaryPaneNeed(false); } });

    FpMainHeader->installEventFilter(this);
    FSecondary->Heading()->installEventFilter(this);
    for (QAbstractScrollArea* view :
        std::initializer_list<QAbstractScrollArea*> { FlvList, FlvHistory, FlvFavs })
        view->viewport()->installEventFilter(this);
    FlvList->setFocus();
    topLine->raise();
}

// Main pane: header, today's list, bottom bar.
void TfrmRyvTracker::CreateMainPane(QWidget* central)
{
    FpMain = new QWidget(central);
    FpMain->setObjectName(QStringLiteral("pMain"));
    auto* column = new QVBoxLayout(FpMain);
    column->setContentsMargins(design::MainMargin, design::MainMargin, 0, design::MainMargin);
    column->setSpacing(0);

    FpMainHeader = new QWidget(FpMain);
    FpMainHeader->setObjectName(QStringLiteral("pMainHeader"));
    FpMainHeader->setFixedHeight(design::HeaderHeight);
    auto* header = new QVBoxLayout(FpMainHeader);
    header->setContentsMargins(0, 0, 0, 0);
    header->setSpacing(0);
    auto* headerRow = new QHBoxLayout;
    headerRow->setContentsMargins(design::HeaderLeftMargin, 0, design::MainHeaderRightMargin, 0);
    FsbMenu = MakeButton(FpMainHeader, QStringLiteral("sbMenu"), design::LargeButton);
    FsbMenu->setIcon(AppIcon());
    FsbMenu->setToolTip(QStringLiteral("Main menu"));
    FlbToday = new TClickLabel(FpMainHeader, true);
    FlbToday->setObjectName(QStringLiteral("lbToday"));
    SetTextsFromCode(FlbToday); // the date of today's log
    headerRow->addWidget(FsbMenu);
    headerRow->addSpacing(design::MenuButtonGap);
    headerRow->addWidget(FlbToday, 1);
    headerRow->addWidget(MakeActionButton(
        FpMainHeader, QStringLiteral("sbStart"), design::LargeButton, Action(TCommand::acStart)));
    headerRow->addWidget(MakeActionButton(
        FpMainHeader, QStringLiteral("sbStop"), design::LargeButton, Action(TCommand::acStop)));
    header->addLayout(headerRow, 1);
    header->addWidget(MakeLine(FpMainHeader, QStringLiteral("Shape6"), false));
    column->addWidget(FpMainHeader);

    FpList = new QWidget(FpMain);
    FpList->setObjectName(QStringLiteral("pList"));
    auto* listLayout = new QVBoxLayout(FpList);
    listLayout->setContentsMargins(design::TodayListLeftMargin, design::ListGap,
        design::TodayListRightMargin, design::ListGap);
    FlvList = new TDayListView(FToday, TListKind::Today, FpList);
    FlvList->setObjectName(QStringLiteral("lvList"));
    FlvList->SetEmptyText(AppTexts().str_newtaskonclick);
    FlvList->Delegate().SetDoneIcon(RyvIcon(TRyvIcon::Done));
    listLayout->addWidget(FlvList);
    column->addWidget(FpList, 1);

    FBottom = new TTotalsBar(FToday, QString(), FpMain);
    FBottom->SetButtons({ MakeActionButton(FBottom, QStringLiteral("sbCompactMode"),
                              design::SmallButton, Action(TWindowCommand::acCompactMode)),
                            MakeActionButton(FBottom, QStringLiteral("sbExport"),
                                design::SmallButton, Action(TWindowCommand::acExport)) },
        true);
    column->addWidget(FBottom);
}

void TfrmRyvTracker::CreateMenus()
{
    FMenus = new TWindowMenus(TWindowMenusParts { *this, FDefCaption, FOptions, FToday, FHistory,
        *FRouter, FsbMenu, FlvList, FlvHistory, FlvFavs, FTracker.Modals() });
}

// The window's own parts and the day lists: what each shows follows them.
void TfrmRyvTracker::ConnectModel()
{
    connect(&FToday, &TDayList::captionChanged, this, &QWidget::setWindowTitle);
    connect(&FToday, &TDayList::workingChanged, this, [this] {
        UpdateStateImages();
        UpdateActions();
    });
    connect(&FToday, &TDayList::clickStartsChanged, this, [this](bool on) {
        FlvList->viewport()->setCursor(on ? Qt::PointingHandCursor : Qt::ArrowCursor);
        FlvList->viewport()->update();
    });
    connect(&FStore, &TListStore::historyDayLoaded, this,
        [this](TDateTime day) { FSecondary->History()->ShowDay(day); });
    connect(&FStore, &TListStore::errorOccurred, this,
        [this](const QString& message) { FMessages.Warning(message); });

    connect(FMenus, &TWindowMenus::aboutToShow, this, &TfrmRyvTracker::UpdateActions);
    connect(FMenus, &TWindowMenus::exitClicked, this, &TfrmRyvTracker::Exit);
    connect(FSecondary, &TSecondaryPane::panelShown, this, &TfrmRyvTracker::UpdateActions);
    connect(
        FSecondary->History(), &THistoryPanel::exportClicked, this, [this] { ExportDay(true); });
    connect(FModes, &TWindowModes::compactChanged, this, [this](bool compact) {
        Action(TWindowCommand::acCompactMode)->setChecked(compact);
        UpdateStateImages();
    });
    connect(FModes, &TWindowModes::pinnedChanged, this, [this](bool pinned) {
        QAction* pin = Action(TWindowCommand::acPinToTop);
        pin->setIcon(RyvIcon(pinned ? TRyvIcon::Unpin : TRyvIcon::Pin));
        pin->setChecked(pinned);
    });
}

// The engine: what it reports reaches the views; the user's input reaches it
// through the router. The start-up and the clock's pace are FormCreate's.
void TfrmRyvTracker::ConnectEngine()
{
    FRouter->ConnectViews(TRoutedViews { FlvList, FBottom, FSecondary });
    connect(&FTracker, &TTracker::TodayChanged, this,
        [this](const QString& header, TDateTime calendarMax) {
            FlbToday->SetFullText(header);
            FSecondary->History()->SetLatestDay(calendarMax);
        });
    connect(&FTracker, &TTracker::RowSelected, this, &TfrmRyvTracker::SelectRow);
    connect(&FTracker, &TTracker::FavsPanelChanged, this,
        [this] { FSecondary->Favs()->ShowRows(FTracker); });
    connect(FModes, &TWindowModes::pinnedChanged, this,
        [this](bool pinned) { FTracker.SetPinned(pinned); });
}

// --- start-up ----------------------------------------------------------------

void TfrmRyvTracker::PrepareWindow()
{
    const double windowSize
        = font().pointSizeF() > 0 ? font().pointSizeF() : design::DefaultPointSize;
    const int listSize = Round(design::ListFontScale
        * (FlvList->font().pointSizeF() > 0 ? FlvList->font().pointSizeF() : windowSize));
    const int bigSize = Round(design::BigFontScale * windowSize);
    for (QWidget* list : std::initializer_list<QWidget*> { FlvList, FlvHistory, FlvFavs })
        SetPointSize(list, listSize);
    const int reportSize = Round(design::ReportsFontScale * listSize);
    FSecondary->Reports()->SetFontSize(reportSize);
    for (QWidget* label :
        std::initializer_list<QWidget*> { FlbToday, FSecondary->HeadingLabel() }) {
        SetPointSize(label, bigSize);
        SetTextColor(label, QPalette::Link);
    }
    for (TTotalsBar* bar : { FBottom, FBottom2 })
        bar->SetFontSizes(bigSize, reportSize);

    const int dpi = logicalDpiY() > 0 ? logicalDpiY() : design::DesignDpi;
    FRowHeight = dpi == design::DesignDpi
        ? design::RowHeight
        : Round(design::RowHeight * dpi / static_cast<double>(design::DesignDpi));
    FlvList->SetRowHeight(FRowHeight);
    FlvHistory->SetRowHeight(FRowHeight);
    FSecondary->Favs()->SetRowHeight(FRowHeight);
    FlvList->AdjustTimeColumn(FOptions.ListShowStop);
    FlvHistory->AdjustTimeColumn(FOptions.ListShowStop);

    FHistory.SetDefCaption(FDefCaption);
    FToday.SetDefCaption(FDefCaption);
}

void TfrmRyvTracker::FormCreate()
{
    PrepareWindow();
    // The clock checks often while the program is active, seldom otherwise.
    connect(
        qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive)
                FTracker.AppActivate();
            else
                FTracker.AppDeactivate();
        });

    LoadSettings();

    connect(&FStore, &TListStore::workspaceLoaded, this, [this] {
        FTracker.RefreshFavsPanel();
        FSecondary->ShowPanel(TSecondaryPanel::Favs);
    });
    FStore.LoadWorkspace();
    FTracker.StartUp();
    UpdateStateImages();
    FBottom->ShowTotals();
    // An empty history day never reports a change of its totals, so its bar
    // is set up here once; it would otherwise show captions without values.
    FBottom2->ShowTotals();
    FModes->FitPanes();
    UpdateActions();
    // What was read is on disk: only a change from here on is written.
    FSettingsSeen = SettingsText();
}

void TfrmRyvTracker::CompleteStartUp()
{
    if (FStartUpCompleted)
        return;
    FStartUpCompleted = true;
    // The desktop draws the icon beside the title and in its task list; it
    // renders the image in four sizes, which the first paint need not wait
    // for.
    setWindowIcon(AppIcon());
    FSecondary->History()->Calendar();
}

void TfrmRyvTracker::FormClose()
{
    if (FClosed)
        return;
    FClosed = true;
    FStore.FlushPendingSaves();
    FStore.SaveWorkspace();
    SaveSettings();
}

void TfrmRyvTracker::LoadSettings()
{
    TIniFile ini(FOptions.SettingsFilePath());
    QString error;
    if (!ini.Load(&error))
        FMessages.Warning(FailureText(AppTexts().str_settings_cannotload, error));
    TReportChecks checks;
    ::ryv::LoadSettings(ini, FOptions, checks);
    // The language loaded at start-up is the one to keep, even when the
    // settings named another whose files are gone.
    if (FLanguage && !FLanguage->LanguageCode().isEmpty())
        FOptions.LangCode = FLanguage->LanguageCode();
    FSecondary->Reports()->SetChecks(checks);
    FModes->LoadPlacement(ini);
}

void TfrmRyvTracker::SaveSettings()
{
    tmrSaveSettings.stop();
    FSettingsSeen = SettingsText();
    // The whole file is read again so that keys the program does not know
    // survive the save.
    TIniFile ini(FOptions.SettingsFilePath());
    QString error;
    ini.Load(&error);
    FModes->SavePlacement(ini);
    ::ryv::SaveSettings(ini, FOptions, FSecondary->Reports()->Checks());
    FSettingsSaveFailed = !ini.Save(&error);
    if (FSettingsSaveFailed)
        FMessages.Warning(FailureText(AppTexts().str_settings_cannotsave, error));
}

QString TfrmRyvTracker::SettingsText() const
{
    TIniFile ini;
    FModes->SavePlacement(ini);
    ::ryv::SaveSettings(ini, FOptions, FSecondary->Reports()->Checks());
    return ini.Text();
}

void TfrmRyvTracker::NoteSettingsChange()
{
    // Nothing before the settings were read (they would overwrite the
    // file with the defaults) and nothing after closing wrote them.
    if (FSettingsSeen.isEmpty() || FClosed)
        return;
    QString text = SettingsText();
    if (text == FSettingsSeen)
        return;
    FSettingsSeen = std::move(text);
    tmrSaveSettings.start();
}

void TfrmRyvTracker::tmrSaveSettingsTimer()
{
    SaveSettings();
}

void TfrmRyvTracker::FlushSettings()
{
    NoteSettingsChange();
    if (!FClosed && (tmrSaveSettings.isActive() || FSettingsSaveFailed))
        SaveSettings();
}

// --- commands ----------------------------------------------------------------

TUiState TfrmRyvTracker::UiState() const
{
    TUiState ui;
    ui.secondaryShown = FModes->TwoPanes();
    ui.panel = FSecondary->Panel();
    const QWidget* focus = QApplication::focusWidget();
    if (focus == FlvList)
        ui.focus = TListKind::Today;
    else if (focus == FlvHistory)
        ui.focus = TListKind::History;
    else if (focus == FlvFavs)
        ui.focus = TListKind::Favs;
    const int favsRow = FlvFavs->currentRow();
    if (favsRow >= 0 && FlvFavs->item(favsRow)->isSelected())
        ui.favs.selected.push_back(favsRow);
    ui.favs.focused = favsRow;
    return ui;
}

void TfrmRyvTracker::UpdateActions()
{
    if (FUpdatingActions)
        return;
    FUpdatingActions = true;
    const TUiState ui = UiState();
    FRouter->UpdateEnabled(ui);
    QAction* done = Action(TCommand::acTaskDone);
    const int sel = FToday.Selected().isEmpty() ? -1 : FToday.Selected().first();
    done->setChecked(done->isEnabled() && sel >= 0 && sel < FToday.Count()
        && FToday.Item(sel)->state == ryvsDone);
    Action(TWindowCommand::acPinToTop)->setChecked(FModes->IsPinned());
    Action(TWindowCommand::acCompactMode)->setChecked(FModes->IsCompact());
    // The panel buttons show which panel is on show.
    for (const auto& [command, panel] : PanelCommands)
        Action(command)->setChecked(ui.secondaryShown && ui.panel == panel);
    Action(TWindowCommand::acSecondary)->setChecked(ui.secondaryShown);
    LayOutBars();
    FUpdatingActions = false;
}

bool TfrmRyvTracker::RunAction(QAction* action)
{
    return FRouter->Run(action);
}

bool TfrmRyvTracker::HandleKey(QKeyCombination key)
{
    return FRouter->HandleKey(key);
}

void TfrmRyvTracker::OnIdle()
{
    if (isVisible() && !FClosed)
        UpdateActions();
    NoteSettingsChange();
}

void TfrmRyvTracker::acCloseExecute()
{
    if (FSecondary->History()->CloseCalendar())
        return;
    const QScopedValueRollback byUser(FClosingByUser, true);
    close();
}

void TfrmRyvTracker::Exit()
{
    FExiting = true;
    // Closing writes everything (FormClose); the event loops end after it.
    close();
    QCoreApplication::quit();
}

const TDayList& TfrmRyvTracker::ExportList(bool fromHistoryButton) const
{
    const bool history = TReportCommands::UsesHistoryList(FModes->TwoPanes(),
        FSecondary->Panel() == TSecondaryPanel::History, FlvHistory->hasFocus(), fromHistoryButton);
    return history ? FHistory : FToday;
}

void TfrmRyvTracker::ExportDay(bool fromHistoryButton)
{
    if (FReports)
        FReports->acExportExecute(
            ExportList(fromHistoryButton), Action(TWindowCommand::acExport)->toolTip());
}

// --- panes, panels and lists --------------------------------------------------------

TSecondaryPanel TfrmRyvTracker::ShownPanel() const
{
    return FSecondary->Panel();
}

void TfrmRyvTracker::ShowSecondaryPanel(TSecondaryPanel panel)
{
    if (!FModes->TwoPanes() && FModes->IsCompact())
        RunAction(Action(TWindowCommand::acCompactMode));
    FModes->OpenSecondaryPane();
    FSecondary->ShowPanel(panel);
}

void TfrmRyvTracker::UpdateStateImages()
{
    const bool working = FToday.IsWorking();
    Action(TCommand::acStart)->setIcon(RyvIcon(working ? TRyvIcon::StartSwitch : TRyvIcon::Start));
    Action(TCommand::acStop)->setIcon(RyvIcon(working ? TRyvIcon::Stop : TRyvIcon::StopIdle));
    Action(TWindowCommand::acCompactMode)
        ->setIcon(RyvIcon(FModes->IsCompact() ? TRyvIcon::CompactLeave : TRyvIcon::Compact));
}

void TfrmRyvTracker::LayOutBars()
{
    FBottom->LayOut();
    FBottom2->LayOut();
}

namespace {

// Pixels beyond a heading's measured width, for the rounding of its glyphs.
constexpr int HeadingSlack = 2;

} // namespace

int TfrmRyvTracker::MainPaneNeed() const
{
    // The header's buttons, gaps and margins as its layout has them, and the
    // date instead of the label's least width.
    return design::MainMargin + FpMainHeader->minimumSizeHint().width() - FlbToday->minimumWidth()
        + FMainDate.Width(FlbToday->font()) + HeadingSlack;
}

int TfrmRyvTracker::SecondaryPaneNeed(bool withDate) const
{
    const TClickLabel* heading = FSecondary->HeadingLabel();
    const int buttons = 1 + design::SecondaryGap + design::SecondaryRightMargin
        + FSecondary->Heading()->minimumSizeHint().width() - heading->minimumWidth();
    return withDate ? buttons + FSecondaryDate.Width(heading->font()) + HeadingSlack : buttons;
}

TDayListView* TfrmRyvTracker::ViewOf(TListKind list) const
{
    return list == TListKind::History ? FlvHistory : FlvList;
}

void TfrmRyvTracker::SelectRow(TListKind list, int row)
{
    if (list == TListKind::Favs)
        FlvFavs->SelectOnlyRow(row);
    else
        ViewOf(list)->SelectOnlyRow(row);
}

bool TfrmRyvTracker::FormMouseWheel(TListKind list, int delta)
{
    if (FModes->IsCompact())
        return false;
    const bool shown = FModes->TwoPanes();
    const TSecondaryPanel panel = FSecondary->Panel();
    if (list == TListKind::History && !(shown && panel == TSecondaryPanel::History))
        return false;
    if (list == TListKind::Favs && !(shown && panel == TSecondaryPanel::Favs))
        return false;
    // A turn of less than a quarter notch is swallowed without moving.
    if (std::abs(delta) / 4 >= 1) {
        const bool down = delta < 0;
        if (list == TListKind::Favs)
            FlvFavs->StepFocus(down);
        else
            ViewOf(list)->StepFocus(down);
    }
    return true;
}

QCheckBox* TfrmRyvTracker::cbRepDaily() const
{
    return FSecondary->Reports()->cbRepDaily();
}

QCheckBox* TfrmRyvTracker::cbRepGroups() const
{
    return FSecondary->Reports()->cbRepGroups();
}

QCalendarWidget* TfrmRyvTracker::calHistory() const
{
    return FSecondary->History()->Calendar();
}

QMenu* TfrmRyvTracker::pumMain() const
{
    return FMenus->pumMain();
}

QMenu* TfrmRyvTracker::miLanguages() const
{
    return FMenus->miLanguages();
}

void TfrmRyvTracker::LanguageChanged()
{
    // The image buttons show their actions' images only.
    for (QToolButton* button : findChildren<QToolButton*>()) {
        if (button->defaultAction())
            button->setText(QString());
    }
    FDefCaption = TVersionInfo::ProgramTitle();
    FToday.SetDefCaption(FDefCaption);
    FHistory.SetDefCaption(FDefCaption);
    FToday.UpdateWindowTitle();
    FSecondary->RefreshHeading();
    FlvList->SetEmptyText(AppTexts().str_newtaskonclick);
    FlvHistory->SetEmptyText(AppTexts().str_notasksthisday);
    // Rows and totals compose texts of their own ("Break").
    FToday.UpdateAllRows();
    FHistory.UpdateAllRows();
    FBottom->ShowTotals();
    FBottom2->ShowTotals();
    LayOutBars();
    // Times and dates are as wide as the language writes them.
    FlvList->AdjustTimeColumn(FOptions.ListShowStop);
    FlvHistory->AdjustTimeColumn(FOptions.ListShowStop);
    FModes->FitPanes();
}

// --- events --------------------------------------------------------------------------

bool TfrmRyvTracker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Wheel: {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        TListKind kind = TListKind::None;
        if (watched == FlvList->viewport())
            kind = TListKind::Today;
        else if (watched == FlvHistory->viewport())
            kind = TListKind::History;
        else if (watched == FlvFavs->viewport())
            kind = TListKind::Favs;
        if (kind != TListKind::None && FormMouseWheel(kind, wheel->angleDelta().y()))
            return true;
        break;
    }
    case QEvent::Resize:
        if (watched == FpMainHeader || watched == FSecondary->Heading())
            LayOutBars();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmRyvTracker::event(QEvent* event)
{
    // What the window does not need for its first picture follows it, before
    // the user can do anything with the window.
    if (event->type() == QEvent::Paint && !FStartUpCompleted && !FStartUpQueued) {
        FStartUpQueued = true;
        QMetaObject::invokeMethod(this, &TfrmRyvTracker::CompleteStartUp, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

void TfrmRyvTracker::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FModes->FitPanes();
}

void TfrmRyvTracker::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!FShownOnce) {
        FShownOnce = true;
        // A window that is not painted soon (shown minimized) completes its
        // start-up all the same.
        constexpr int StartUpLatestMs = 1000;
        QTimer::singleShot(StartUpLatestMs, this, &TfrmRyvTracker::CompleteStartUp);
        FlvList->AdjustTimeColumn(FOptions.ListShowStop);
        FModes->FitPanes();
        LayOutBars();
    }
}

void TfrmRyvTracker::closeEvent(QCloseEvent* event)
{
    // Only the user's close hides the window: the window manager's close
    // button (a spontaneous close) or Close. The application's quit (a
    // session's end, a termination signal) closes every window from the
    // program and stops at the first one that refuses, so the window must
    // close then, or the quit would stop here (with the tray icon's own
    // window still open) and the program would never end.
    const bool byUser = event->spontaneous() || FClosingByUser;
    if (byUser && !FExiting && FOptions.CloseToTray && FDockToTray && FDockToTray()) {
        event->ignore();
        hide();
        return;
    }
    FormClose();
    QMainWindow::closeEvent(event);
}

void TfrmRyvTracker::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    switch (event->type()) {
    case QEvent::WindowStateChange:
    case QEvent::FontChange: // the main pane fits its date heading
    case QEvent::StyleChange:
        FModes->FitPanes();
        break;
    default:
        break;
    }
}

} // namespace ryv
