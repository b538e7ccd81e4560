#include "ui/mainwindow.h"

#include "core/apptexts.h"
#include "core/daylist.h"
#include "core/inifile.h"
#include "core/liststore.h"
#include "core/ports.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "core/settings.h"
#include "lang/langmessagedlg.h"
#include "platform/versioninfo.h"
#include "reports/reportcommands.h"
#include "tracking/tracker.h"
#include "ui/clicklabel.h"
#include "ui/commandrouter.h"
#include "ui/daylistdelegate.h"
#include "ui/daylistview.h"
#include "ui/drawhelpers.h"
#include "ui/favslistview.h"
#include "ui/favspanel.h"
#include "ui/historypanel.h"
#include "ui/icons.h"
#include "ui/reportspanel.h"
#include "ui/secondarypane.h"
#include "ui/totalsbar.h"
#include "ui/widgetparts.h"
#include "ui/windowgeometry.h"
#include "ui/windowmenus.h"
#include "ui/windowsettings.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>

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
    FDefCaption = QStringLiteral("Ryv Tracker");
    setWindowTitle(FDefCaption);
    setWindowIcon(AppIcon());
    setMinimumSize(design::MinWidth, design::MinHeight);
    resize(design::Width, design::Height);
    FRouter = new TCommandRouter(
        FTracker, *this, [this] { return UiState(); }, [this] { UpdateActions(); });
    SetWindowCommands();
    UpdateStateImages();
    CreateComponents();
    CreateMenus();
    ConnectModel();
    // A session that ends without closing the window still saves everything.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TfrmRyvTracker::FormClose);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TfrmRyvTracker::OnIdle);
}

TfrmRyvTracker::~TfrmRyvTracker()
{
    // The children are destroyed after this body and may still signal (focus
    // leaving, selections cleared); nothing of the window may react then.
    for (QObject* source : std::initializer_list<QObject*> { &FToday, &FHistory, &FStore, &FTracker,
             qApp, FlvList, FlvHistory, FlvFavs, FSecondary, FMenus })
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
    set(TWindowCommand::acPinToTop, [this] { acPinToTopExecute(); });
    set(TWindowCommand::acCompactMode, [this] { acCompactModeExecute(); });
    set(TWindowCommand::acExport, [this] { ExportDay(false); });
    set(TWindowCommand::acCopyToClipboard, [this] {
        if (FReports)
            FReports->acCopyToClipboardExecute(ExportList(false));
    });
    for (const auto& [command, panel] : PanelCommands)
        set(command, [this, panel] { ShowSecondaryPanel(panel); });
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

    // Main pane: header, today's list, bottom bar.
    FpMain = new QWidget(central);
    FpMain->setObjectName(QStringLiteral("pMain"));
    auto* mainCol = new QVBoxLayout(FpMain);
    mainCol->setContentsMargins(design::MainMargin, design::MainMargin, 0, design::MainMargin);
    mainCol->setSpacing(0);
    row->addWidget(FpMain);

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
    headerRow->addWidget(FsbMenu);
    headerRow->addSpacing(design::MenuButtonGap);
    headerRow->addWidget(FlbToday, 1);
    headerRow->addWidget(MakeActionButton(
        FpMainHeader, QStringLiteral("sbStart"), design::LargeButton, Action(TCommand::acStart)));
    headerRow->addWidget(MakeActionButton(
        FpMainHeader, QStringLiteral("sbStop"), design::LargeButton, Action(TCommand::acStop)));
    header->addLayout(headerRow, 1);
    header->addWidget(MakeLine(FpMainHeader, QStringLiteral("Shape6"), false));
    mainCol->addWidget(FpMainHeader);

    auto* pList = new QWidget(FpMain);
    FpList = pList;
    pList->setObjectName(QStringLiteral("pList"));
    auto* listLayout = new QVBoxLayout(pList);
    listLayout->setContentsMargins(design::TodayListLeftMargin, design::ListGap,
        design::TodayListRightMargin, design::ListGap);
    FlvList = new TDayListView(FToday, TListKind::Today, pList);
    FlvList->setObjectName(QStringLiteral("lvList"));
    listLayout->addWidget(FlvList);
    mainCol->addWidget(pList, 1);

    FBottom = new TTotalsBar(FToday, QString(), FpMain);
    FBottom->SetButtons({ MakeActionButton(FBottom, QStringLiteral("sbCompactMode"),
                              design::SmallButton, Action(TWindowCommand::acCompactMode)),
                            MakeActionButton(FBottom, QStringLiteral("sbExport"),
                                design::SmallButton, Action(TWindowCommand::acExport)) },
        true);
    mainCol->addWidget(FBottom);

    TSecondaryPane::TPanelActions panelActions {};
    for (const auto& [command, panel] : PanelCommands)
        panelActions[static_cast<std::size_t>(panel)] = Action(command);
    FSecondary = new TSecondaryPane(
        FHistory, FReports, panelActions, Action(TWindowCommand::acExport), central);
    row->addWidget(FSecondary, 1);
    FBottom2 = FSecondary->History()->Bar();
    FlvHistory = FSecondary->History()->List();
    FlvFavs = FSecondary->Favs()->List();

    FpMainHeader->installEventFilter(this);
    FSecondary->Heading()->installEventFilter(this);
    for (QWidget* view : { static_cast<QWidget*>(FlvList), static_cast<QWidget*>(FlvHistory),
             static_cast<QWidget*>(FlvFavs) }) {
        static_cast<QAbstractScrollArea*>(view)->viewport()->installEventFilter(this);
    }
    FlvList->SetEmptyText(AppTexts().str_newtaskonclick);
    FlvList->Delegate().SetDoneIcon(RyvIcon(TRyvIcon::Done));
    FlvList->setFocus();
    topLine->raise();
}

void TfrmRyvTracker::CreateMenus()
{
    FMenus = new TWindowMenus(TWindowMenusParts { *this, FDefCaption, FOptions, FToday, FHistory,
        *FRouter, FsbMenu, FlvList, FlvHistory, FlvFavs });
    connect(FMenus, &TWindowMenus::aboutToShow, this, &TfrmRyvTracker::UpdateActions);
}

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
    connect(&FTracker, &TTracker::TodayChanged, this,
        [this](const QString& header, TDateTime calendarMax) {
            FlbToday->SetFullText(header);
            FSecondary->History()->SetLatestDay(calendarMax);
        });
    connect(&FStore, &TListStore::historyDayLoaded, this,
        [this](TDateTime day) { FSecondary->History()->ShowDay(day); });
    connect(&FTracker, &TTracker::RowSelected, this, &TfrmRyvTracker::SelectRow);
    connect(&FTracker, &TTracker::FavsPanelChanged, this,
        [this] { FSecondary->Favs()->ShowRows(FTracker.FavsRows()); });
    connect(&FStore, &TListStore::errorOccurred, this,
        [this](const QString& message) { FMessages.Warning(message); });

    FRouter->ConnectViews(TRoutedViews { FlvList, FBottom, FSecondary });
    connect(
        FSecondary->History(), &THistoryPanel::exportClicked, this, [this] { ExportDay(true); });
    connect(FSecondary, &TSecondaryPane::panelShown, this, &TfrmRyvTracker::UpdateActions);
}

// --- start-up ----------------------------------------------------------------

void TfrmRyvTracker::PrepareWindow()
{
    // Lists a tenth larger than the desktop font; the date, headings and
    // total values twice the window's font.
    const double windowSize
        = font().pointSizeF() > 0 ? font().pointSizeF() : design::DefaultPointSize;
    const int listSize = Round(design::ListFontScale
        * (FlvList->font().pointSizeF() > 0 ? FlvList->font().pointSizeF() : windowSize));
    const int bigSize = Round(design::BigFontScale * windowSize);
    for (QWidget* list : { static_cast<QWidget*>(FlvList), static_cast<QWidget*>(FlvHistory),
             static_cast<QWidget*>(FlvFavs) })
        SetPointSize(list, listSize);
    const int reportSize = Round(design::ReportsFontScale * listSize);
    FSecondary->Reports()->SetFontSize(reportSize);
    for (QWidget* label :
        { static_cast<QWidget*>(FlbToday), static_cast<QWidget*>(FSecondary->HeadingLabel()) }) {
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
    connect(
        qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive)
                FTracker.AppActivate();
            else
                FTracker.AppDeactivate();
        });
}

void TfrmRyvTracker::FormCreate()
{
    PrepareWindow();

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
    FormResize();
    UpdateActions();
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
        FMessages.Warning(QStringLiteral("Cannot load settings!\n\n") + error);
    TReportChecks checks;
    ::ryv::LoadSettings(ini, FOptions, checks);
    FSecondary->Reports()->SetChecks(checks);
    const QRect defaults = DefaultPlacement(WorkArea(), design::MainMargin, height());
    TWindowPlacement placement = ReadWindowPlacement(ini, defaults);
    // Bounds from a monitor that is no longer there would hide the window.
    QList<QRect> workAreas { WorkArea() };
    if (!FWorkArea) {
        for (const QScreen* s : QGuiApplication::screens())
            workAreas.append(s->availableGeometry());
    }
    placement.bounds = VisiblePlacement(placement.bounds, workAreas);
    ApplyPlacement(placement);
}

void TfrmRyvTracker::SaveSettings()
{
    // The whole file is read again so that keys the program does not know
    // survive the save.
    TIniFile ini(FOptions.SettingsFilePath());
    QString error;
    ini.Load(&error);
    WriteWindowPlacement(ini, Placement());
    ::ryv::SaveSettings(ini, FOptions, FSecondary->Reports()->Checks());
    if (!ini.Save(&error))
        FMessages.Warning(QStringLiteral("Cannot save settings!\n\n") + error);
}

// --- commands ----------------------------------------------------------------

TUiState TfrmRyvTracker::UiState() const
{
    TUiState ui;
    ui.secondaryShown = TwoPanes();
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
    Action(TWindowCommand::acPinToTop)->setChecked(FPinned);
    Action(TWindowCommand::acCompactMode)->setChecked(FCompact);
    // The panel buttons show which panel is on show.
    for (const auto& [command, panel] : PanelCommands)
        Action(command)->setChecked(ui.secondaryShown && ui.panel == panel);
    acCompactModeUpdate();
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
            acCompactModeUpdate();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmRyvTracker::OnIdle()
{
    if (isVisible() && !FClosed)
        UpdateActions();
}

// --- layout --------------------------------------------------------------------

QRect TfrmRyvTracker::WorkArea() const
{
    if (FWorkArea)
        return *FWorkArea;
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry()
             : QRect(0, 0, design::FallbackScreenWidth, design::FallbackScreenHeight);
}

QMenu* TfrmRyvTracker::pumMain() const
{
    return FMenus->pumMain();
}

TSecondaryPanel TfrmRyvTracker::ShownPanel() const
{
    return FSecondary->Panel();
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

bool TfrmRyvTracker::TwoPanes() const
{
    return !FSecondary->isHidden();
}

void TfrmRyvTracker::FormResize()
{
    const TPaneLayout layout = PaneLayoutFor(width(), WorkArea().width());
    if (layout.twoPanes) {
        FpMain->setFixedWidth(layout.mainWidth);
        FSecondary->show();
    } else {
        FSecondary->hide();
        FpMain->setMinimumWidth(0);
        FpMain->setMaximumWidth(QWIDGETSIZE_MAX);
        if (isVisible() && !FlvList->hasFocus() && FlvList->isVisible())
            FlvList->setFocus();
    }
}

void TfrmRyvTracker::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfrmRyvTracker::ShowSecondaryPanel(TSecondaryPanel panel)
{
    if (!TwoPanes()) {
        if (FCompact)
            RunAction(Action(TWindowCommand::acCompactMode));
        if (!TwoPanes()) {
            resize(width() * 2, height());
            FormResize();
        }
    }
    FSecondary->ShowPanel(panel);
}

const TDayList& TfrmRyvTracker::ExportList(bool fromHistoryButton) const
{
    const bool history = TReportCommands::UsesHistoryList(TwoPanes(),
        FSecondary->Panel() == TSecondaryPanel::History, FlvHistory->hasFocus(), fromHistoryButton);
    return history ? FHistory : FToday;
}

void TfrmRyvTracker::ExportDay(bool fromHistoryButton)
{
    if (FReports)
        FReports->acExportExecute(
            ExportList(fromHistoryButton), Action(TWindowCommand::acExport)->toolTip());
}

void TfrmRyvTracker::acCloseExecute()
{
    if (!FSecondary->History()->CloseCalendar())
        close();
}

void TfrmRyvTracker::SetBounds(const QRect& r)
{
    setGeometry(r);
    FormResize();
}

int TfrmRyvTracker::CompactHeight() const
{
    return FpMainHeader->height() + FBottom->height() + 2 * design::MainMargin - 1;
}

void TfrmRyvTracker::acCompactModeExecute()
{
    FCompact = !FCompact;
    // Compact mode keeps only the header and the bottom bar; the list would
    // otherwise hold the layout open at its own minimum height.
    FpList->setVisible(!FCompact);
    const QRect workArea = WorkArea();
    if (FCompact) {
        FCompactMax = isMaximized();
        const QRect normal = normalGeometry();
        FCompactRect = normal.isValid() && !normal.isEmpty() ? normal : geometry();
        if (isMaximized())
            showNormal();
        const QRect current = isMaximized() || geometry().isEmpty() ? FCompactRect : geometry();
        const int compactWidth = TwoPanes()
            ? PaneLayoutFor(width(), workArea.width()).mainWidth + design::MainMargin
            : 0;
        SetBounds(CompactEnterRect(current, FCompactRect, workArea, CompactHeight(), compactWidth));
    } else {
        SetBounds(CompactLeaveRect(geometry(), FCompactRect, workArea));
        if (FCompactMax)
            showMaximized();
    }
    Action(TWindowCommand::acCompactMode)->setChecked(FCompact);
    UpdateStateImages();
    FlvList->setFocus();
}

void TfrmRyvTracker::UpdateStateImages()
{
    const bool working = FToday.IsWorking();
    Action(TCommand::acStart)->setIcon(RyvIcon(working ? TRyvIcon::StartSwitch : TRyvIcon::Start));
    Action(TCommand::acStop)->setIcon(RyvIcon(working ? TRyvIcon::Stop : TRyvIcon::StopIdle));
    Action(TWindowCommand::acCompactMode)
        ->setIcon(RyvIcon(FCompact ? TRyvIcon::CompactLeave : TRyvIcon::Compact));
}

void TfrmRyvTracker::acCompactModeUpdate()
{
    FBottom->LayOut();
    FBottom2->LayOut();
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
    if (FCompact)
        return false;
    const TSecondaryPanel panel = FSecondary->Panel();
    if (list == TListKind::History && !(TwoPanes() && panel == TSecondaryPanel::History))
        return false;
    if (list == TListKind::Favs && !(TwoPanes() && panel == TSecondaryPanel::Favs))
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

// --- pin, placement ---------------------------------------------------------------

void TfrmRyvTracker::acPinToTopExecute()
{
    FPinned = !FPinned;
    // Toggling the hint on the native window keeps that window; changing the
    // widget's flags would hide it and create a new one.
    if (windowHandle() == nullptr)
        create();
    if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, FPinned);
    QAction* pin = Action(TWindowCommand::acPinToTop);
    pin->setIcon(RyvIcon(FPinned ? TRyvIcon::Unpin : TRyvIcon::Pin));
    pin->setChecked(FPinned);
    FTracker.SetPinned(FPinned);
}

TWindowPlacement TfrmRyvTracker::Placement() const
{
    TWindowPlacement p;
    p.max = isMaximized() || (FCompact && FCompactMax);
    if (FCompact) {
        p.bounds = FCompactRect;
        p.hasBounds = true;
    } else {
        const QRect normal = normalGeometry();
        p.bounds = normal.isValid() && !normal.isEmpty() ? normal : geometry();
        p.hasBounds = !p.bounds.isEmpty();
    }
    p.pinned = FPinned;
    p.compact = FCompact;
    return p;
}

void TfrmRyvTracker::ApplyPlacement(const TWindowPlacement& placement)
{
    setGeometry(placement.bounds);
    FormResize();
    if (placement.max)
        setWindowState(windowState() | Qt::WindowMaximized);
    if (placement.compact && !FCompact)
        RunAction(Action(TWindowCommand::acCompactMode));
    if (placement.pinned && !FPinned)
        acPinToTopExecute();
    FormResize();
}

// --- events, menus --------------------------------------------------------------

void TfrmRyvTracker::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!FShownOnce) {
        FShownOnce = true;
        FlvList->AdjustTimeColumn(FOptions.ListShowStop);
        FormResize();
        acCompactModeUpdate();
    }
}

void TfrmRyvTracker::closeEvent(QCloseEvent* event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

void TfrmRyvTracker::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        FormResize();
}

} // namespace ryv
