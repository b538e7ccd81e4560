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
#include "reports/reportperiods.h"
#include "tracking/tracker.h"
#include "ui/clicklabel.h"
#include "ui/daylistdelegate.h"
#include "ui/daylistview.h"
#include "ui/drawhelpers.h"
#include "ui/favslistview.h"
#include "ui/icons.h"
#include "ui/windowgeometry.h"
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

struct TfrmRyvTracker::TCommandDef final {
    QAction* action = nullptr;
    std::function<bool(const TUiState&)> enabled;
    std::function<void(const TUiState&)> run;
};

namespace {

constexpr int LargeButton = 44;
constexpr int SmallButton = 36;
constexpr int IconSize = 32;

// The command table. Its order is the order in which keys are matched, so a
// key shared by several commands goes to the first one that is enabled.
struct TActionEntry {
    const char* name;
    const char* caption;
    const char* hint;
    const char* keys; // ";"-separated, first the primary key
    TRyvIcon icon;
    std::optional<TCommand> command; // none: a command of the window itself
};

const TActionEntry ActionTable[] = {
    { "acStart", "Start a new task", "Start a new task", "Ins;Ctrl+T;Ctrl+N", TRyvIcon::Start,
        TCommand::acStart },
    { "acStop", "Stop working", "Stop working", "Backspace", TRyvIcon::Stop, TCommand::acStop },
    { "acToggleStartStop", "Toggle start/stop", "", "Space", TRyvIcon::Start,
        TCommand::acToggleStartStop },
    { "acClose", "Close", "Close", "Esc", TRyvIcon::Close, std::nullopt },
    { "acAdd", "Add task", "Add new task", "Ctrl+Ins", TRyvIcon::Add, TCommand::acAdd },
    { "acEdit", "Edit task", "Edit selected task", "Ctrl+Enter;Enter;F2", TRyvIcon::Edit,
        TCommand::acEdit },
    { "acDelete", "Delete task", "Delete selected task", "Ctrl+Del", TRyvIcon::Delete,
        TCommand::acDelete },
    { "acClear", "Delete all tasks", "Clear the whole time-tracking log", "", TRyvIcon::Clear,
        TCommand::acClear },
    { "acTaskDone", "Task done", "Toggle the state of task", "Ctrl+Space", TRyvIcon::Done,
        TCommand::acTaskDone },
    { "acMoveBack", "Earlier start", "Move the start one minute earlier", "Ctrl+Up",
        TRyvIcon::Earlier, TCommand::acMoveBack },
    { "acMoveForw", "Later start", "Move the start one minute later", "Ctrl+Down", TRyvIcon::Later,
        TCommand::acMoveForw },
    { "acShortenTime", "Shorten time", "Shorten the time by one minute", "Ctrl+Left",
        TRyvIcon::Shorten, TCommand::acShortenTime },
    { "acExtendTime", "Extend time", "Extend the time by one minute", "Ctrl+Right",
        TRyvIcon::Extend, TCommand::acExtendTime },
    { "acOpenURL", "Open link", "Open the link associated with the task", "Shift+Enter;F3",
        TRyvIcon::OpenLink, TCommand::acOpenURL },
    { "acMoveUp", "Move up", "Move the task up", "Ctrl+Alt+Up", TRyvIcon::MoveUp,
        TCommand::acMoveUp },
    { "acMoveDn", "Move down", "Move the task down", "Ctrl+Alt+Down", TRyvIcon::MoveDown,
        TCommand::acMoveDn },
    { "acPinToTop", "Pin to top", "Pin window to top", "", TRyvIcon::Pin, std::nullopt },
    { "acCompactMode", "Compact mode", "Switch compact mode", "", TRyvIcon::Compact, std::nullopt },
    { "acExport", "Export", "Export tasks ...", "Ctrl+E", TRyvIcon::Export, std::nullopt },
    { "acCopyToClipboard", "Copy to clipboard", "Copy tasks to clipboard (Excel CSV format)",
        "Shift+Ctrl+C", TRyvIcon::Copy, std::nullopt },
    { "acFavs", "Favorites", "Favorites and recently used tasks", "", TRyvIcon::Favourites,
        std::nullopt },
    { "acHistory", "History", "History", "", TRyvIcon::History, std::nullopt },
    { "acPlans", "Plans", "Planned tasks", "", TRyvIcon::Plans, std::nullopt },
    { "acReports", "Reports", "Reports", "", TRyvIcon::Reports, std::nullopt },
    { "acShortcuts", "Shortcuts", "Shortcuts", "", TRyvIcon::Shortcuts, std::nullopt },
    { "acDelFav", "Remove", "Remove item", "Ctrl+Del", TRyvIcon::Delete, TCommand::acDelFav },
    { "acStartAs", "Start a new task", "Use the selected item to start a new task", "Enter",
        TRyvIcon::Start, TCommand::acStartAs },
    { "acOpenURL2", "Open link", "Open link ", "Shift+Enter;F3", TRyvIcon::OpenLink,
        TCommand::acOpenURL2 },
    { "acAddAs", "Add task", "Add as a new task", "Ctrl+Ins", TRyvIcon::Add, TCommand::acAddAs },
    { "acEdit2", "Edit item", "Edit selected item", "Ctrl+Enter;F2", TRyvIcon::Edit,
        TCommand::acEdit2 },
    { "acMoveFavUp", "Move up", "", "Ctrl+Up", TRyvIcon::MoveUp, TCommand::acMoveFavUp },
    { "acMoveFavDn", "Move down", "", "Ctrl+Down", TRyvIcon::MoveDown, TCommand::acMoveFavDn },
    { "acHistForw", "", "", "Ctrl+Tab", TRyvIcon::Forward, TCommand::acHistForw },
    { "acHistBack", "", "", "Shift+Ctrl+Tab", TRyvIcon::Back, TCommand::acHistBack },
    { "acDelHist", "Delete task", "Delete selected task", "Ctrl+Del", TRyvIcon::Delete,
        TCommand::acDelHist },
    { "acAddHist", "Add task", "Add task", "Ctrl+Ins", TRyvIcon::Add, TCommand::acAddHist },
    { "acMoveHistBack", "Earlier start", "Move the start one minute earlier", "Ctrl+Up",
        TRyvIcon::Earlier, TCommand::acMoveHistBack },
    { "acMoveHistForw", "Later start", "Move the start one minute later", "Ctrl+Down",
        TRyvIcon::Later, TCommand::acMoveHistForw },
    { "acHistShortenTime", "Shorten time", "Shorten the time by one minute", "Ctrl+Left",
        TRyvIcon::Shorten, TCommand::acHistShortenTime },
    { "acHistExtendTime", "Extend time", "Extend the time by one minute", "Ctrl+Right",
        TRyvIcon::Extend, TCommand::acHistExtendTime },
    { "acHistMoveUp", "Move up", "Move the task up", "Ctrl+Alt+Up", TRyvIcon::MoveUp,
        TCommand::acHistMoveUp },
    { "acHistMoveDown", "Move down", "Move the task down", "Ctrl+Alt+Down", TRyvIcon::MoveDown,
        TCommand::acHistMoveDown },
    // The history's hour commands get their keys only while the history list
    // has the focus; otherwise Shift+Ctrl+Up/Down belong to today's log.
    { "acMoveHistBackHour", "Earlier start", "Move the start one hour earlier", "",
        TRyvIcon::Earlier, TCommand::acMoveHistBackHour },
    { "acMoveHistForwHour", "Later start", "Move the start one hour later", "", TRyvIcon::Later,
        TCommand::acMoveHistForwHour },
    { "acMoveBackHour", "Earlier start", "Move the start one hour earlier", "Shift+Ctrl+Up",
        TRyvIcon::Earlier, TCommand::acMoveBackHour },
    { "acMoveForwHour", "Later start", "Move the start one hour later", "Shift+Ctrl+Down",
        TRyvIcon::Later, TCommand::acMoveForwHour },
};

QList<QKeySequence> ParseKeys(const char* keys)
{
    QList<QKeySequence> result;
    for (const QString& k : QString::fromLatin1(keys).split(u';', Qt::SkipEmptyParts))
        result.append(QKeySequence::fromString(k, QKeySequence::PortableText));
    return result;
}

// Return and the keypad's Enter are one key here, and Shift+Tab arrives as
// Backtab; both are folded so the table can name each key once.
QKeyCombination NormalizeKey(Qt::Key key, Qt::KeyboardModifiers mods)
{
    mods &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (key == Qt::Key_Return)
        key = Qt::Key_Enter;
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        mods |= Qt::ShiftModifier;
    }
    return QKeyCombination(mods, key);
}

QFrame* MakeLine(QWidget* parent, const QString& name, bool vertical)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    line->setBackgroundRole(QPalette::Mid);
    if (vertical)
        line->setFixedWidth(1);
    else
        line->setFixedHeight(1);
    return line;
}

QToolButton* MakeButton(QWidget* parent, const QString& name, int size)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setFixedSize(size, size);
    button->setIconSize(
        QSize(size == LargeButton ? IconSize : 24, size == LargeButton ? IconSize : 24));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

// The large buttons show their command's image only; its caption serves as
// menu text and tool tip.
QToolButton* MakeActionButton(QWidget* parent, const QString& name, int size, QAction* action)
{
    QToolButton* button = MakeButton(parent, name, size);
    button->setDefaultAction(action);
    button->setText(QString());
    return button;
}

int Round(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

void SetPointSize(QWidget* w, int size)
{
    QFont f = w->font();
    f.setPointSize(std::max(1, size));
    w->setFont(f);
}

void SetTextColor(
    QWidget* w, QPalette::ColorRole from, QPalette::ColorGroup group = QPalette::Active)
{
    QPalette pal = w->palette();
    const QColor c = pal.color(group, from);
    for (QPalette::ColorGroup g : { QPalette::Active, QPalette::Inactive })
        pal.setColor(g, QPalette::WindowText, c);
    w->setPalette(pal);
}

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
    CreateActions();
    UpdateStateImages();
    CreateComponents();
    CreateMenus();
    ConnectModel();
    qApp->installEventFilter(this);
    // A session that ends without closing the window still saves everything.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TfrmRyvTracker::FormClose);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TfrmRyvTracker::OnIdle);
}

TfrmRyvTracker::~TfrmRyvTracker()
{
    // The children are destroyed after this body and may still signal (focus
    // leaving, selections cleared); nothing of the window may react then.
    qApp->removeEventFilter(this);
    for (QObject* source : std::initializer_list<QObject*> {
             &FToday, &FHistory, &FStore, &FTracker, qApp, FlvList, FlvHistory, FlvFavs })
        disconnect(source, nullptr, this, nullptr);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        disconnect(dispatcher, nullptr, this, nullptr);
    for (const TCommandDef& def : FCommands)
        disconnect(def.action, nullptr, this, nullptr);
}

void TfrmRyvTracker::CreateActions()
{
    for (const TActionEntry& entry : ActionTable) {
        auto* action = new QAction(QString::fromUtf8(entry.caption), this);
        action->setObjectName(QString::fromLatin1(entry.name));
        action->setToolTip(QString::fromUtf8(entry.hint));
        action->setStatusTip(QString::fromUtf8(entry.hint));
        action->setIcon(RyvIcon(entry.icon));
        // Keys are routed by HandleKey, never by Qt's shortcut map, which would
        // refuse keys that several commands share. The shortcuts stay on the
        // actions for the menus to show and for the routing to read.
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcuts(ParseKeys(entry.keys));
        action->setIconVisibleInMenu(true);

        TCommandDef def;
        def.action = action;
        if (entry.command) {
            const TCommand c = *entry.command;
            def.enabled = [this, c](const TUiState& ui) { return FTracker.Enabled(c, ui); };
            def.run = [this, c](const TUiState& ui) { FTracker.Execute(c, ui); };
            if (c == TCommand::acStart || c == TCommand::acAdd || c == TCommand::acEdit
                || c == TCommand::acEdit2) {
                // The task dialog's caption follows the (translated) caption.
                FTracker.SetDialogCaption(c, action->text());
                connect(action, &QAction::changed, this,
                    [this, c, action] { FTracker.SetDialogCaption(c, action->text()); });
            }
        }
        FCommands.push_back(std::move(def));
        connect(action, &QAction::triggered, this, [this, action] { RunAction(action); });
    }

    auto windowCommand = [this](const char* name, std::function<void(const TUiState&)> run,
                             std::function<bool(const TUiState&)> enabled = nullptr) {
        for (TCommandDef& def : FCommands) {
            if (def.action->objectName() == QLatin1String(name)) {
                def.run = std::move(run);
                def.enabled = enabled ? std::move(enabled) : [](const TUiState&) { return true; };
            }
        }
    };
    windowCommand("acClose", [this](const TUiState&) { acCloseExecute(); });
    windowCommand("acPinToTop", [this](const TUiState&) { acPinToTopExecute(); });
    windowCommand("acCompactMode", [this](const TUiState&) { acCompactModeExecute(); });
    windowCommand("acExport", [this](const TUiState&) {
        if (FReports)
            FReports->acExportExecute(
                ExportList(false), Action(QStringLiteral("acExport"))->toolTip());
    });
    windowCommand("acCopyToClipboard", [this](const TUiState&) {
        if (FReports)
            FReports->acCopyToClipboardExecute(ExportList(false));
    });
    for (const char* name : { "acFavs", "acHistory", "acPlans", "acReports", "acShortcuts" }) {
        QAction* sender = Action(QString::fromLatin1(name));
        windowCommand(name, [this, sender](const TUiState&) { ShowSecondaryPanel(sender); });
    }
    Action(QStringLiteral("acPlans"))->setVisible(false);
    Action(QStringLiteral("acShortcuts"))->setVisible(false);
    Action(QStringLiteral("acPinToTop"))->setCheckable(true);
    Action(QStringLiteral("acCompactMode"))->setCheckable(true);
    Action(QStringLiteral("acTaskDone"))->setCheckable(true);
    // The panel buttons show which panel is on show.
    for (const char* name : { "acFavs", "acHistory", "acPlans", "acReports", "acShortcuts" })
        Action(QLatin1String(name))->setCheckable(true);
}

QAction* TfrmRyvTracker::Action(const QString& name) const
{
    for (const TCommandDef& def : FCommands) {
        if (def.action->objectName() == name)
            return def.action;
    }
    return nullptr;
}

void TfrmRyvTracker::CreateBottomBar(TTotalsBar& bar, QWidget* parent, const QString& suffix)
{
    bar.bar = new QWidget(parent);
    bar.bar->setFixedHeight(design::BottomHeight);
    MakeLine(bar.bar, suffix.isEmpty() ? QStringLiteral("Shape1") : QStringLiteral("Shape3"), false)
        ->setGeometry(0, 0, 4000, 1);
    bar.totals = new QWidget(bar.bar);
    bar.totals->setObjectName(QStringLiteral("pTotals") + suffix);
    auto* layout = new QHBoxLayout(bar.totals);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto label = [&](const char* name, const char* text, bool spaceAfter) {
        auto* l = new TClickLabel(bar.totals);
        l->setObjectName(QString::fromLatin1(name) + suffix);
        l->SetFullText(QString::fromUtf8(text));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        layout->addWidget(l);
        if (spaceAfter)
            layout->addSpacing(8);
        return l;
    };
    // Right-aligned from the bar's right edge; an extra total sits just left
    // of "Total:".
    bar.totTaskCap = label("lbTotTaskCap", "Task total:", false);
    bar.totalTask = label("lbTotalTask", "", true);
    bar.totSelCap = label("lbTotSelCap", "Selected:", false);
    bar.totalSel = label("lbTotalSel", "", true);
    label("lbTotCap", "Total:", false);
    bar.total = label("lbTotal", "0:00", false);
    bar.bar->installEventFilter(this);
    bar.totals->installEventFilter(this);
}

void TfrmRyvTracker::CreateComponents()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pClient"));
    setCentralWidget(central);
    // The top line sets the window off from a flat white title bar of one
    // particular desktop; IsWindows10OrLater says whether it applies here.
    QFrame* topLine = MakeLine(central, QStringLiteral("Shape5"), false);
    topLine->setGeometry(0, 0, 4000, 1);
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
    headerRow->setContentsMargins(4, 0, 8, 0);
    FsbMenu = MakeButton(FpMainHeader, QStringLiteral("sbMenu"), LargeButton);
    FsbMenu->setIcon(AppIcon());
    FsbMenu->setToolTip(QStringLiteral("Main menu"));
    FlbToday = new TClickLabel(FpMainHeader, true);
    FlbToday->setObjectName(QStringLiteral("lbToday"));
    headerRow->addWidget(FsbMenu);
    headerRow->addSpacing(4);
    headerRow->addWidget(FlbToday, 1);
    headerRow->addWidget(MakeActionButton(
        FpMainHeader, QStringLiteral("sbStart"), LargeButton, Action(QStringLiteral("acStart"))));
    headerRow->addWidget(MakeActionButton(
        FpMainHeader, QStringLiteral("sbStop"), LargeButton, Action(QStringLiteral("acStop"))));
    header->addLayout(headerRow, 1);
    header->addWidget(MakeLine(FpMainHeader, QStringLiteral("Shape6"), false));
    mainCol->addWidget(FpMainHeader);

    auto* pList = new QWidget(FpMain);
    FpList = pList;
    pList->setObjectName(QStringLiteral("pList"));
    auto* listLayout = new QVBoxLayout(pList);
    listLayout->setContentsMargins(4, 7, 8, 7);
    FlvList = new TDayListView(FToday, TListKind::Today, pList);
    FlvList->setObjectName(QStringLiteral("lvList"));
    listLayout->addWidget(FlvList);
    mainCol->addWidget(pList, 1);

    CreateBottomBar(FBottom, FpMain, QString());
    FpBottom = FBottom.bar;
    FpBottom->setObjectName(QStringLiteral("pBottom"));
    FBottom.buttons = { MakeActionButton(FpBottom, QStringLiteral("sbCompactMode"), SmallButton,
                            Action(QStringLiteral("acCompactMode"))),
        MakeActionButton(FpBottom, QStringLiteral("sbExport"), SmallButton,
            Action(QStringLiteral("acExport"))) };
    FBottom.buttonsMayHide = true;
    mainCol->addWidget(FpBottom);

    // Secondary pane: heading with the panel buttons, five panels, history bar.
    FpSecondary = new QWidget(central);
    FpSecondary->setObjectName(QStringLiteral("pSecondary"));
    auto* secRow = new QHBoxLayout(FpSecondary);
    secRow->setContentsMargins(0, 0, 0, 0);
    secRow->setSpacing(0);
    secRow->addWidget(MakeLine(FpSecondary, QStringLiteral("Shape4"), true));
    secRow->addSpacing(8);
    auto* secCol = new QVBoxLayout;
    secCol->setContentsMargins(0, design::MainMargin, 4, design::MainMargin);
    secCol->setSpacing(0);
    secRow->addLayout(secCol, 1);
    row->addWidget(FpSecondary, 1);

    FPanel1 = new QWidget(FpSecondary);
    FPanel1->setObjectName(QStringLiteral("Panel1"));
    FPanel1->setFixedHeight(design::HeaderHeight);
    auto* p1 = new QVBoxLayout(FPanel1);
    p1->setContentsMargins(0, 0, 0, 0);
    p1->setSpacing(0);
    auto* p1Row = new QHBoxLayout;
    p1Row->setContentsMargins(4, 0, 4, 0);
    FlbSecondary = new TClickLabel(FPanel1, true);
    FlbSecondary->setObjectName(QStringLiteral("lbSecondary"));
    p1Row->addWidget(FlbSecondary, 1);
    for (const char* name : { "Favs", "History", "Plans", "Reports", "Shortcuts" }) {
        QAction* action = Action(QStringLiteral("ac") + QLatin1String(name));
        QToolButton* button = MakeActionButton(
            FPanel1, QStringLiteral("sb") + QLatin1String(name), LargeButton, action);
        button->setVisible(action->isVisible());
        p1Row->addWidget(button);
    }
    p1->addLayout(p1Row, 1);
    p1->addWidget(MakeLine(FPanel1, QStringLiteral("Shape2"), false));
    secCol->addWidget(FPanel1);

    FpFavs = new QWidget(FpSecondary);
    FpFavs->setObjectName(QStringLiteral("pFavs"));
    auto* favsLayout = new QVBoxLayout(FpFavs);
    favsLayout->setContentsMargins(0, 7, 0, 0);
    FlvFavs = new TFavsListView(FpFavs);
    FlvFavs->setObjectName(QStringLiteral("lvFavs"));
    favsLayout->addWidget(FlvFavs);

    FpHistory = new QWidget(FpSecondary);
    FpHistory->setObjectName(QStringLiteral("pHistory"));
    auto* histLayout = new QVBoxLayout(FpHistory);
    histLayout->setContentsMargins(0, 7, 0, 7);
    FcalHistory = new QCalendarWidget(FpHistory);
    FcalHistory->setObjectName(QStringLiteral("calHistory"));
    FcalHistory->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    FcalHistory->setFirstDayOfWeek(Qt::Monday);
    FcalHistory->setGridVisible(false);
    FcalHistory->hide();
    FcalHistory->installEventFilter(this);
    FlvHistory = new TDayListView(FHistory, TListKind::History, FpHistory);
    FlvHistory->setObjectName(QStringLiteral("lvHistory"));
    histLayout->addWidget(FcalHistory);
    histLayout->addWidget(FlvHistory, 1);

    FpReports = new QWidget(FpSecondary);
    FpReports->setObjectName(QStringLiteral("pReports"));
    auto* repLayout = new QVBoxLayout(FpReports);
    repLayout->setContentsMargins(0, 12, 0, 0);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    int i = 0;
    for (const TReportPeriodDef& period : ReportPeriods) {
        const int tag = period.tag;
        auto* button = new QToolButton(FpReports);
        button->setObjectName(QStringLiteral("sbRep%1").arg(tag));
        button->setText(QString::fromUtf8(period.caption));
        button->setIcon(RyvIcon(TRyvIcon::Reports));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(40);
        button->setProperty("tag", tag);
        connect(button, &QToolButton::clicked, this, [this, tag, button] {
            if (FReports)
                FReports->sbRep0Click(tag, button->text(), button->toolTip(),
                    FcbRepDaily->isChecked(), FcbRepGroups->isChecked());
        });
        grid->addWidget(button, i % 4, i / 4);
        ++i;
    }
    repLayout->addLayout(grid);
    repLayout->addSpacing(12);
    FcbRepDaily = new QCheckBox(QStringLiteral(" Daily"), FpReports);
    FcbRepDaily->setObjectName(QStringLiteral("cbRepDaily"));
    FcbRepDaily->setChecked(true);
    FcbRepGroups = new QCheckBox(QStringLiteral(" By groups"), FpReports);
    FcbRepGroups->setObjectName(QStringLiteral("cbRepGroups"));
    repLayout->addWidget(FcbRepDaily);
    repLayout->addWidget(FcbRepGroups);
    FlbGroups = new TClickLabel(FpReports);
    FlbGroups->setObjectName(QStringLiteral("lbGroups"));
    FlbGroups->SetFullText(QStringLiteral("Manage groups ..."));
    FlbGroups->SetClickable(true);
    connect(FlbGroups, &TClickLabel::clicked, this, &TfrmRyvTracker::lbGroupsClick);
    repLayout->addWidget(FlbGroups);
    repLayout->addStretch(1);

    FpPlans = new QWidget(FpSecondary);
    FpPlans->setObjectName(QStringLiteral("pPlans"));
    FpShortcuts = new QWidget(FpSecondary);
    FpShortcuts->setObjectName(QStringLiteral("pShortcuts"));
    for (QWidget* panel : { FpFavs, FpHistory, FpReports, FpPlans, FpShortcuts }) {
        secCol->addWidget(panel, 1);
        panel->hide();
    }
    FpFavs->show();

    CreateBottomBar(FBottom2, FpSecondary, QStringLiteral("2"));
    FpBottom2 = FBottom2.bar;
    FpBottom2->setObjectName(QStringLiteral("pBottom2"));
    QToolButton* back = MakeButton(FpBottom2, QStringLiteral("sbHistBack"), SmallButton);
    back->setIcon(RyvIcon(TRyvIcon::Back));
    back->setToolTip(QStringLiteral("Previous day"));
    QToolButton* forw = MakeButton(FpBottom2, QStringLiteral("sbHistForw"), SmallButton);
    forw->setIcon(RyvIcon(TRyvIcon::Forward));
    forw->setToolTip(QStringLiteral("Next day"));
    // The history bar's export button exports the history day even while
    // today's list has the focus.
    QToolButton* export2 = MakeButton(FpBottom2, QStringLiteral("sbExport2"), SmallButton);
    QAction* exportAction = Action(QStringLiteral("acExport"));
    export2->setIcon(exportAction->icon());
    export2->setToolTip(exportAction->toolTip());
    connect(exportAction, &QAction::changed, export2, [export2, exportAction] {
        export2->setEnabled(exportAction->isEnabled());
        export2->setToolTip(exportAction->toolTip());
    });
    connect(export2, &QToolButton::clicked, this, [this] {
        if (FReports)
            FReports->acExportExecute(
                ExportList(true), Action(QStringLiteral("acExport"))->toolTip());
    });
    FBottom2.buttons = { back, forw, export2 };
    connect(back, &QToolButton::clicked, this,
        [this] { FTracker.Execute(TCommand::acHistBack, UiState()); });
    connect(forw, &QToolButton::clicked, this,
        [this] { FTracker.Execute(TCommand::acHistForw, UiState()); });
    secCol->addWidget(FpBottom2);
    FpBottom2->hide();

    for (QWidget* w : { FpMainHeader, FPanel1 })
        w->installEventFilter(this);
    for (QWidget* view : { static_cast<QWidget*>(FlvList), static_cast<QWidget*>(FlvHistory),
             static_cast<QWidget*>(FlvFavs) }) {
        view->setContextMenuPolicy(Qt::DefaultContextMenu);
        static_cast<QAbstractScrollArea*>(view)->viewport()->installEventFilter(this);
    }
    FlvList->SetEmptyText(AppTexts().str_newtaskonclick);
    FlvHistory->SetEmptyText(AppTexts().str_notasksthisday);
    FlvList->Delegate().SetDoneIcon(RyvIcon(TRyvIcon::Done));
    FlvHistory->Delegate().SetDoneIcon(RyvIcon(TRyvIcon::Done));
    FlvList->setFocus();
    topLine->raise();
}

void TfrmRyvTracker::CreateMenus()
{
    auto add = [this](QMenu* menu, const char* name, bool withImage = true) {
        QAction* action = Action(QString::fromLatin1(name));
        if (withImage) {
            menu->addAction(action);
            return;
        }
        // The export entries of the list menus show no image; a twin entry
        // runs the same command.
        QAction* twin = menu->addAction(action->text());
        twin->setShortcut(action->shortcut());
        twin->setShortcutContext(Qt::WidgetShortcut);
        connect(twin, &QAction::triggered, action, [this, action] { RunAction(action); });
        connect(action, &QAction::changed, twin, [twin, action] {
            twin->setText(action->text());
            twin->setEnabled(action->isEnabled());
        });
    };

    FpumMain = new QMenu(this);
    FpumMain->setObjectName(QStringLiteral("pumMain"));
    add(FpumMain, "acStart");
    add(FpumMain, "acStop");
    add(FpumMain, "acToggleStartStop");
    FpumMain->addSeparator();
    add(FpumMain, "acPinToTop");
    QMenu* settings = FpumMain->addMenu(RyvIcon(TRyvIcon::Settings), QStringLiteral("Settings"));
    settings->menuAction()->setObjectName(QStringLiteral("miSettings"));
    auto item = [this](QMenu* menu, const char* name, const char* text, const char* hint = "") {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(QString::fromUtf8(hint));
        a->setCheckable(true);
        return a;
    };
    connect(item(settings, "miListShowStop", "Show end time in lists"), &QAction::triggered, this,
        [this] {
            FOptions.ListShowStop = !FOptions.ListShowStop;
            FToday.UpdateAllRows();
            FlvList->AdjustTimeColumn(FOptions.ListShowStop);
            // The history day on show follows at once too, not only at its
            // next loading.
            FHistory.UpdateAllRows();
            FlvHistory->AdjustTimeColumn(FOptions.ListShowStop);
        });
    connect(item(settings, "miAutoShowSuggest", "Show suggestions on new task"),
        &QAction::triggered, this,
        [this] { FOptions.AutoShowSuggest = !FOptions.AutoShowSuggest; });
    connect(item(settings, "miReportsTitle", "Reports title", "Title for reports"),
        &QAction::triggered, this, &TfrmRyvTracker::miReportsTitleClick);
    QMenu* winTitle = settings->addMenu(QStringLiteral("Window title"));
    winTitle->menuAction()->setObjectName(QStringLiteral("miWindowTitle"));
    auto* winGroup = new QActionGroup(winTitle);
    int pos = 0;
    for (const auto& [name, text] : { std::pair { "miWinTitCurrent", "Current task" },
             std::pair { "miWinTitTotal", "Total duration" } }) {
        QAction* a = item(winTitle, name, text);
        winGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, pos] {
            FOptions.WindowTitleType = static_cast<TWindowTitleType>(pos);
            FToday.UpdateWindowTitle();
        });
        ++pos;
    }
    QMenu* spend = settings->addMenu(QStringLiteral("Copy spent time to clipboard"));
    spend->menuAction()->setObjectName(QStringLiteral("miSpendToClipboard"));
    spend->menuAction()->setToolTip(QStringLiteral("Copy spent time to clipboard on opening link"));
    auto* spendGroup = new QActionGroup(spend);
    pos = 0;
    for (const auto& [name, text] : { std::pair { "miSpendToClipboardDisabled", "Disabled" },
             std::pair { "miSpendToClipboardStd", "Standard format" },
             std::pair { "miSpendToClipboardGit", "Git format" } }) {
        QAction* a = item(spend, name, text);
        spendGroup->addAction(a);
        connect(a, &QAction::triggered, this,
            [this, pos] { FOptions.SpendToClipboard = static_cast<TSpendToClipboard>(pos); });
        ++pos;
    }
    settings->addSeparator();
    QMenu* langs = settings->addMenu(RyvIcon(TRyvIcon::Languages), QStringLiteral("Languages"));
    langs->setObjectName(QStringLiteral("miLanguagesMenu"));
    langs->menuAction()->setObjectName(QStringLiteral("miLanguages"));
    FpumMain->addSeparator();
    QAction* about = FpumMain->addAction(RyvIcon(TRyvIcon::About), QStringLiteral("About"));
    about->setObjectName(QStringLiteral("miAbout"));
    connect(about, &QAction::triggered, this, &TfrmRyvTracker::miAboutClick);
    connect(FpumMain, &QMenu::aboutToShow, this, &TfrmRyvTracker::pumMainPopup);
    connect(FsbMenu, &QToolButton::clicked, this,
        [this] { FpumMain->popup(FsbMenu->mapToGlobal(QPoint(0, FsbMenu->height()))); });

    FpumList = new QMenu(this);
    FpumList->setObjectName(QStringLiteral("pumList"));
    for (const char* name : { "acStart", "acStop", "acToggleStartStop", "-", "acAdd", "acEdit",
             "acDelete", "acClear", "-", "acOpenURL", "acTaskDone", "-", "acMoveBack", "acMoveForw",
             "acShortenTime", "acExtendTime", "acMoveUp", "acMoveDn", "-" }) {
        if (qstrcmp(name, "-") == 0)
            FpumList->addSeparator();
        else
            add(FpumList, name);
    }
    add(FpumList, "acExport", false);
    add(FpumList, "acCopyToClipboard", false);

    FpumFavs = new QMenu(this);
    FpumFavs->setObjectName(QStringLiteral("pumFavs"));
    for (const char* name : { "acStartAs", "acAddAs", "-", "acOpenURL2", "-", "acEdit2", "acDelFav",
             "-", "acMoveFavUp", "acMoveFavDn" }) {
        if (qstrcmp(name, "-") == 0)
            FpumFavs->addSeparator();
        else
            add(FpumFavs, name);
    }

    FpumHistory = new QMenu(this);
    FpumHistory->setObjectName(QStringLiteral("pumHistory"));
    for (const char* name : { "acOpenURL2", "-", "acAddHist", "acEdit2", "acDelHist", "-",
             "acMoveHistBack", "acMoveHistForw", "acHistShortenTime", "acHistExtendTime",
             "acHistMoveUp", "acHistMoveDown", "-" }) {
        if (qstrcmp(name, "-") == 0)
            FpumHistory->addSeparator();
        else
            add(FpumHistory, name);
    }
    add(FpumHistory, "acExport", false);
    add(FpumHistory, "acCopyToClipboard", false);

    const std::pair<QWidget*, QMenu*> menus[]
        = { { FlvList, FpumList }, { FlvFavs, FpumFavs }, { FlvHistory, FpumHistory } };
    for (const auto& [view, menu] : menus) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        QMenu* m = menu;
        QWidget* v = view;
        connect(view, &QWidget::customContextMenuRequested, this, [this, m, v](const QPoint& p) {
            UpdateActions();
            m->popup(static_cast<QAbstractScrollArea*>(v)->viewport()->mapToGlobal(p));
        });
    }
}

void TfrmRyvTracker::ConnectModel()
{
    connect(&FToday, &TDayList::totalsChanged, this, [this] { RefreshTotals(TListKind::Today); });
    connect(
        &FHistory, &TDayList::totalsChanged, this, [this] { RefreshTotals(TListKind::History); });
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
            FcalHistory->setMaximumDate(ToQDate(calendarMax));
        });
    connect(&FHistory, &TDayList::historyDateChanged, this, [this](TDateTime day) {
        FcalHistory->setSelectedDate(ToQDate(day));
        UpdateHistoryHeading();
    });
    connect(&FStore, &TListStore::historyDayLoaded, this, [this](TDateTime day) {
        FcalHistory->setSelectedDate(ToQDate(day));
        UpdateHistoryHeading();
    });
    connect(&FTracker, &TTracker::RowSelected, this, &TfrmRyvTracker::SelectRow);
    connect(&FTracker, &TTracker::FavsPanelChanged, this, &TfrmRyvTracker::RebuildFavs);
    connect(&FStore, &TListStore::errorOccurred, this,
        [this](const QString& message) { FMessages.Warning(message); });

    // Mouse paths of the lists.
    FlvList->onEmptyClick = [this] {
        if (FToday.ClickStarts())
            FTracker.lvListClick(UiState());
    };
    FlvList->onDoneMarkClick = [this](int row) { FTracker.ToggleDoneMark(TListKind::Today, row); };
    FlvHistory->onDoneMarkClick
        = [this](int row) { FTracker.ToggleDoneMark(TListKind::History, row); };
    auto doubleClick = [this](const char* openName, const char* editName) {
        return [this, openName, editName](int) {
            const bool open = CurrentShiftState() & (Qt::ShiftModifier | Qt::ControlModifier);
            RunAction(Action(QString::fromLatin1(open ? openName : editName)));
        };
    };
    FlvList->onDoubleClick = doubleClick("acOpenURL", "acEdit");
    FlvHistory->onDoubleClick = doubleClick("acOpenURL2", "acEdit2");
    FlvFavs->onDoubleClick = [this](int) { RunAction(Action(QStringLiteral("acStartAs"))); };

    // Dragging between the lists goes through the engine's rules.
    auto hooks = [this](TListKind kind) {
        TListDragHooks h;
        h.canStartDrag = [this, kind] { return FTracker.CanStartDrag(kind, UiState()); };
        if (kind == TListKind::Favs) {
            h.canDrop = [this](TListKind src) { return FTracker.CanDropOnFavs(src, UiState()); };
            h.drop = [this](TListKind src) { FTracker.DropOnFavs(src, UiState()); };
        } else if (kind == TListKind::Today) {
            h.canDrop = [this](TListKind src) { return FTracker.CanDropOnToday(src, UiState()); };
            h.drop = [this](TListKind src) { FTracker.DropOnToday(src, UiState()); };
        }
        return h;
    };
    FlvList->dragHooks = hooks(TListKind::Today);
    FlvHistory->dragHooks = hooks(TListKind::History);
    FlvFavs->dragHooks = hooks(TListKind::Favs);

    // Focus: the history's hour commands carry their keys only meanwhile.
    connect(FlvHistory, &TDayListView::focusEntered, this, [this] {
        Action(QStringLiteral("acMoveHistBackHour"))
            ->setShortcut(QKeySequence(QStringLiteral("Shift+Ctrl+Up")));
        Action(QStringLiteral("acMoveHistForwHour"))
            ->setShortcut(QKeySequence(QStringLiteral("Shift+Ctrl+Down")));
        UpdateActions();
    });
    connect(FlvHistory, &TDayListView::focusLeft, this, [this] {
        Action(QStringLiteral("acMoveHistBackHour"))->setShortcuts({});
        Action(QStringLiteral("acMoveHistForwHour"))->setShortcuts({});
    });
    connect(FlvList, &TDayListView::focusEntered, this, &TfrmRyvTracker::UpdateActions);
    connect(FlvFavs, &TFavsListView::focusEntered, this, &TfrmRyvTracker::UpdateActions);

    // Totals that open the task's link.
    for (const auto& [kind, bar] :
        { std::pair { TListKind::Today, &FBottom }, std::pair { TListKind::History, &FBottom2 } }) {
        const TListKind k = kind;
        for (TClickLabel* label : { bar->totTaskCap, bar->totalTask })
            connect(label, &TClickLabel::clicked, this,
                [this, k] { FTracker.TaskTotalClick(k, UiState()); });
    }

    // History heading and calendar.
    connect(FlbSecondary, &TClickLabel::clicked, this, &TfrmRyvTracker::lbSecondaryClick);
    connect(FcalHistory, &QCalendarWidget::clicked, this,
        [this](QDate date) { FTracker.calHistoryClick(FromQDate(date)); });
}

// --- start-up ----------------------------------------------------------------

void TfrmRyvTracker::PrepareWindow()
{
    // Lists a tenth larger than the desktop font; the date, headings and
    // total values twice the window's font.
    const double windowSize = font().pointSizeF() > 0 ? font().pointSizeF() : 9.0;
    const int listSize = Round(
        1.1 * (FlvList->font().pointSizeF() > 0 ? FlvList->font().pointSizeF() : windowSize));
    const int bigSize = Round(2 * windowSize);
    for (QWidget* list : { static_cast<QWidget*>(FlvList), static_cast<QWidget*>(FlvHistory),
             static_cast<QWidget*>(FlvFavs) })
        SetPointSize(list, listSize);
    const int reportSize = Round(1.1 * listSize);
    SetPointSize(FpReports, reportSize);
    for (QCheckBox* box : { FcbRepDaily, FcbRepGroups })
        box->setFixedHeight(3 * reportSize);
    for (QWidget* label :
        { static_cast<QWidget*>(FlbToday), static_cast<QWidget*>(FlbSecondary) }) {
        SetPointSize(label, bigSize);
        SetTextColor(label, QPalette::Link);
    }
    for (const char* suffix : { "", "2" }) {
        for (const char* name : { "lbTotal", "lbTotalSel", "lbTotalTask" })
            SetPointSize(findChild<QWidget*>(QLatin1String(name) + QLatin1String(suffix)), bigSize);
        for (const char* name : { "lbTotCap", "lbTotSelCap", "lbTotTaskCap" }) {
            auto* caption = findChild<QWidget*>(QLatin1String(name) + QLatin1String(suffix));
            SetPointSize(caption, reportSize);
            SetTextColor(caption, QPalette::WindowText, QPalette::Disabled);
        }
    }
    FlbGroups->SetLinkStyle(true);

    const int dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    FRowHeight = dpi == 96 ? design::RowHeight : Round(design::RowHeight * dpi / 96.0);
    FlvList->SetRowHeight(FRowHeight);
    FlvHistory->SetRowHeight(FRowHeight);
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
        ShowPanel(Action(QStringLiteral("acFavs")));
    });
    FStore.LoadWorkspace();
    FTracker.StartUp();
    UpdateStateImages();
    RefreshTotals(TListKind::Today);
    // An empty history day never reports a change of its totals, so its bar
    // is set up here once; it would otherwise show captions without values.
    RefreshTotals(TListKind::History);
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
    FcbRepDaily->setChecked(checks.daily);
    FcbRepGroups->setChecked(checks.groups);
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
    TReportChecks checks;
    checks.daily = FcbRepDaily->isChecked();
    checks.groups = FcbRepGroups->isChecked();
    ::ryv::SaveSettings(ini, FOptions, checks);
    if (!ini.Save(&error))
        FMessages.Warning(QStringLiteral("Cannot save settings!\n\n") + error);
}

// --- commands ----------------------------------------------------------------

TUiState TfrmRyvTracker::UiState() const
{
    TUiState ui;
    ui.secondaryShown = TwoPanes();
    ui.panel = FPanel;
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
    for (const TCommandDef& def : FCommands)
        def.action->setEnabled(def.enabled && def.enabled(ui));
    QAction* done = Action(QStringLiteral("acTaskDone"));
    const int sel = FToday.Selected().isEmpty() ? -1 : FToday.Selected().first();
    done->setChecked(done->isEnabled() && sel >= 0 && sel < FToday.Count()
        && FToday.Item(sel)->state == ryvsDone);
    Action(QStringLiteral("acPinToTop"))->setChecked(FPinned);
    Action(QStringLiteral("acCompactMode"))->setChecked(FCompact);
    const std::pair<const char*, TSecondaryPanel> panels[] = { { "acFavs", TSecondaryPanel::Favs },
        { "acHistory", TSecondaryPanel::History }, { "acPlans", TSecondaryPanel::Plans },
        { "acReports", TSecondaryPanel::Reports }, { "acShortcuts", TSecondaryPanel::Shortcuts } };
    for (const auto& [name, panel] : panels)
        Action(QLatin1String(name))->setChecked(ui.secondaryShown && ui.panel == panel);
    // Whether the task totals react to clicks follows the open-link rules.
    for (const auto& [kind, bar] :
        { std::pair { TListKind::Today, &FBottom }, std::pair { TListKind::History, &FBottom2 } }) {
        const bool clickable = FTracker.TaskTotalClickable(kind, ui);
        for (TClickLabel* label : { bar->totTaskCap, bar->totalTask }) {
            if (label->Clickable() != clickable)
                label->SetClickable(clickable);
        }
    }
    acCompactModeUpdate();
    FUpdatingActions = false;
}

bool TfrmRyvTracker::RunAction(QAction* action)
{
    for (const TCommandDef& def : FCommands) {
        if (def.action != action)
            continue;
        // The rule is asked again at this moment: the state may have changed
        // since the program was last idle.
        const TUiState ui = UiState();
        if (!def.enabled || !def.enabled(ui) || !def.run) {
            action->setEnabled(false);
            return false;
        }
        def.run(ui);
        UpdateActions();
        return true;
    }
    return false;
}

bool TfrmRyvTracker::HandleKey(QKeyCombination key)
{
    const TUiState ui = UiState();
    for (const TCommandDef& def : FCommands) {
        bool hasKey = false;
        for (const QKeySequence& seq : def.action->shortcuts())
            hasKey = hasKey || (seq.count() == 1 && seq[0] == key);
        if (!hasKey || !def.enabled || !def.enabled(ui))
            continue;
        RunAction(def.action);
        return true;
    }
    return false;
}

bool TfrmRyvTracker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget->window() != this || QApplication::activePopupWidget())
            break;
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const QKeyCombination key
            = NormalizeKey(static_cast<Qt::Key>(keyEvent->key()), keyEvent->modifiers());
        if (event->type() == QEvent::ShortcutOverride) {
            // Claim the key from Qt's shortcut map when one of our commands
            // will take it; the key press that follows then runs it.
            const TUiState ui = UiState();
            for (const TCommandDef& def : FCommands) {
                for (const QKeySequence& seq : def.action->shortcuts()) {
                    if (seq.count() == 1 && seq[0] == key && def.enabled && def.enabled(ui)) {
                        event->accept();
                        return true;
                    }
                }
            }
            break;
        }
        if (HandleKey(key))
            return true;
        break;
    }
    case QEvent::KeyRelease:
    case QEvent::FocusOut: {
        // The calendar's keys and focus arrive at its inner day table.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || (widget != FcalHistory && !FcalHistory->isAncestorOf(widget)))
            break;
        if (event->type() == QEvent::KeyRelease) {
            if (widget == QApplication::focusWidget())
                FTracker.calHistoryKeyUp(FromQDate(FcalHistory->selectedDate()));
        } else if (!FcalHistory->isAncestorOf(QApplication::focusWidget())
            && QApplication::focusWidget() != FcalHistory) {
            FcalHistory->hide();
        }
        break;
    }
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
        if (watched == FpBottom || watched == FpBottom2 || watched == FpMainHeader
            || watched == FPanel1 || watched->parent() == FpBottom
            || watched->parent() == FpBottom2)
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
    return s ? s->availableGeometry() : QRect(0, 0, 1920, 1080);
}

bool TfrmRyvTracker::TwoPanes() const
{
    return !FpSecondary->isHidden();
}

void TfrmRyvTracker::FormResize()
{
    const TPaneLayout layout = PaneLayoutFor(width(), WorkArea().width());
    if (layout.twoPanes) {
        FpMain->setFixedWidth(layout.mainWidth);
        FpSecondary->show();
    } else {
        FpSecondary->hide();
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

void TfrmRyvTracker::ShowSecondaryPanel(QAction* sender)
{
    if (!TwoPanes()) {
        if (FCompact)
            RunAction(Action(QStringLiteral("acCompactMode")));
        if (!TwoPanes()) {
            resize(width() * 2, height());
            FormResize();
        }
    }
    ShowPanel(sender);
}

void TfrmRyvTracker::ShowPanel(QAction* sender)
{
    QWidget* shown = FpFavs;
    FPanel = TSecondaryPanel::Favs;
    const QString name = sender ? sender->objectName() : QString();
    if (name == QLatin1String("acHistory")) {
        FTracker.ShowHistory();
        shown = FpHistory;
        FPanel = TSecondaryPanel::History;
    } else if (name == QLatin1String("acPlans")) {
        shown = FpPlans;
        FPanel = TSecondaryPanel::Plans;
    } else if (name == QLatin1String("acReports")) {
        shown = FpReports;
        FPanel = TSecondaryPanel::Reports;
    } else if (name == QLatin1String("acShortcuts")) {
        shown = FpShortcuts;
        FPanel = TSecondaryPanel::Shortcuts;
    }
    for (QWidget* panel : { FpFavs, FpHistory, FpReports, FpPlans, FpShortcuts })
        panel->setVisible(panel == shown);
    const bool history = FPanel == TSecondaryPanel::History;
    FlbSecondary->SetClickable(history);
    if (history)
        UpdateHistoryHeading();
    else
        FlbSecondary->SetFullText(sender ? sender->text() : QString());
    if (!history)
        FcalHistory->hide();
    FpBottom2->setVisible(history);
    UpdateActions();
}

void TfrmRyvTracker::UpdateHistoryHeading()
{
    if (FPanel == TSecondaryPanel::History)
        FlbSecondary->SetFullText(LongDateText(FHistory.HistoryDate()));
}

void TfrmRyvTracker::lbSecondaryClick()
{
    if (FPanel != TSecondaryPanel::History)
        return;
    FcalHistory->setVisible(!FcalHistory->isVisible());
    FcalHistory->setSelectedDate(ToQDate(FHistory.HistoryDate()));
    if (FcalHistory->isVisible())
        FcalHistory->setFocus();
}

const TDayList& TfrmRyvTracker::ExportList(bool fromHistoryButton) const
{
    const bool history = TReportCommands::UsesHistoryList(
        TwoPanes(), FPanel == TSecondaryPanel::History, FlvHistory->hasFocus(), fromHistoryButton);
    return history ? FHistory : FToday;
}

void TfrmRyvTracker::lbGroupsClick()
{
    if (FReports == nullptr)
        return;
    if (FpumGroups == nullptr) {
        FpumGroups = new QMenu(this);
        FpumGroups->setObjectName(QStringLiteral("pumGroups"));
    }
    FpumGroups->clear();
    QAction* add = FpumGroups->addAction(QStringLiteral("Add group"));
    add->setObjectName(QStringLiteral("miAddGroup"));
    connect(
        add, &QAction::triggered, this, [this, add] { FReports->miAddGroupClick(add->text()); });
    const QStringList names = FReports->GroupNames();
    QMenu* edit = FpumGroups->addMenu(QStringLiteral("Edit group"));
    edit->menuAction()->setObjectName(QStringLiteral("miEditGroup"));
    QMenu* del = FpumGroups->addMenu(QStringLiteral("Delete group"));
    del->menuAction()->setObjectName(QStringLiteral("miDeleteGroup"));
    edit->setEnabled(!names.isEmpty());
    del->setEnabled(!names.isEmpty());
    for (int i = 0; i < names.size(); ++i) {
        connect(edit->addAction(names[i]), &QAction::triggered, this,
            [this, i, edit] { FReports->miGroupsEditClick(i, edit->title()); });
        connect(del->addAction(names[i]), &QAction::triggered, this,
            [this, i] { FReports->miGroupsDeleteClick(i); });
    }
    FpumGroups->popup(FlbGroups->mapToGlobal(QPoint(0, FlbGroups->height())));
}

void TfrmRyvTracker::acCloseExecute()
{
    if (FcalHistory->isVisible()) {
        FcalHistory->hide();
        return;
    }
    close();
}

void TfrmRyvTracker::SetBounds(const QRect& r)
{
    setGeometry(r);
    FormResize();
}

int TfrmRyvTracker::CompactHeight() const
{
    return FpMainHeader->height() + FpBottom->height() + 2 * design::MainMargin - 1;
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
    Action(QStringLiteral("acCompactMode"))->setChecked(FCompact);
    UpdateStateImages();
    FlvList->setFocus();
}

void TfrmRyvTracker::UpdateStateImages()
{
    const bool working = FToday.IsWorking();
    Action(QStringLiteral("acStart"))
        ->setIcon(RyvIcon(working ? TRyvIcon::StartSwitch : TRyvIcon::Start));
    Action(QStringLiteral("acStop"))
        ->setIcon(RyvIcon(working ? TRyvIcon::Stop : TRyvIcon::StopIdle));
    Action(QStringLiteral("acCompactMode"))
        ->setIcon(RyvIcon(FCompact ? TRyvIcon::CompactLeave : TRyvIcon::Compact));
}

void TfrmRyvTracker::acCompactModeUpdate()
{
    LayoutBottomBar(FBottom);
    LayoutBottomBar(FBottom2);
}

void TfrmRyvTracker::LayoutBottomBar(TTotalsBar& bar)
{
    const QSize hint = bar.totals->sizeHint();
    const int right = bar.bar->width() - 8;
    bar.totals->setGeometry(right - hint.width(), 0, hint.width(), bar.bar->height());
    auto leftOf = [&](const QWidget* caption) {
        return caption->isVisibleTo(bar.totals) ? bar.totals->x() + caption->x() : -1;
    };
    bool fit = true;
    if (bar.buttonsMayHide) {
        const int sel = leftOf(bar.totSelCap);
        const int task = leftOf(bar.totTaskCap);
        fit = BottomButtonsFit(sel >= 0, sel, task >= 0, task, SmallButton);
    }
    int x = 4;
    const int y = (bar.bar->height() - SmallButton) / 2;
    for (QToolButton* b : bar.buttons) {
        // Buttons that do not fit move out of sight past the bar's left edge.
        b->move(fit ? x : -SmallButton - 4, y);
        x += SmallButton;
    }
}

void TfrmRyvTracker::RefreshTotals(TListKind list)
{
    const TDayList& model = list == TListKind::History ? FHistory : FToday;
    TTotalsBar& bar = list == TListKind::History ? FBottom2 : FBottom;
    bar.total->SetFullText(model.TotalText());
    bar.totalSel->SetFullText(model.SelTotalText());
    bar.totalTask->SetFullText(model.TaskTotalText());
    bar.totSelCap->setVisible(model.SelTotalVisible());
    bar.totalSel->setVisible(model.SelTotalVisible());
    bar.totTaskCap->setVisible(model.TaskTotalVisible());
    bar.totalTask->setVisible(model.TaskTotalVisible());
    LayoutBottomBar(bar);
}

void TfrmRyvTracker::RebuildFavs()
{
    FlvFavs->clear();
    for (int i = 0; i < static_cast<int>(FTracker.FavsRows().size()); ++i) {
        const TFavsRow& row = FTracker.FavsRows()[static_cast<size_t>(i)];
        const TRyvItem* entry = FTracker.FavsItemAt(i);
        auto* item = new QListWidgetItem(FlvFavs);
        if (entry == nullptr) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setSizeHint(QSize(1, FRowHeight / 2));
            continue;
        }
        item->setText(entry->title);
        item->setIcon(RyvIcon(row.recent ? TRyvIcon::Recent : TRyvIcon::Favourite));
        item->setSizeHint(QSize(1, FRowHeight));
    }
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
    if (list == TListKind::History && !(TwoPanes() && FPanel == TSecondaryPanel::History))
        return false;
    if (list == TListKind::Favs && !(TwoPanes() && FPanel == TSecondaryPanel::Favs))
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
    QAction* pin = Action(QStringLiteral("acPinToTop"));
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
        RunAction(Action(QStringLiteral("acCompactMode")));
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

void TfrmRyvTracker::pumMainPopup()
{
    auto check = [this](const char* name, bool on) {
        if (auto* a = FpumMain->findChild<QAction*>(QLatin1String(name)))
            a->setChecked(on);
        else if (auto* b = findChild<QAction*>(QLatin1String(name)))
            b->setChecked(on);
    };
    check("miListShowStop", FOptions.ListShowStop);
    check("miReportsTitle", !FOptions.ReportsTitle.isEmpty());
    const TSpendToClipboard spend = FOptions.SpendToClipboard;
    check("miSpendToClipboardDisabled", spend == TSpendToClipboard::Disabled);
    check("miSpendToClipboardStd", spend == TSpendToClipboard::Standard);
    check("miSpendToClipboardGit", spend == TSpendToClipboard::Git);
    check("miWinTitTotal", FOptions.WindowTitleType == TWindowTitleType::TotalDuration);
    check("miWinTitCurrent", FOptions.WindowTitleType != TWindowTitleType::TotalDuration);
    check("miAutoShowSuggest", FOptions.AutoShowSuggest);
    UpdateActions();
}

void TfrmRyvTracker::miReportsTitleClick()
{
    bool ok = false;
    const QString hint = QStringLiteral("Title for reports");
    const QString text = QInputDialog::getText(
        this, FDefCaption, hint + QLatin1Char(':'), QLineEdit::Normal, FOptions.ReportsTitle, &ok);
    if (ok)
        FOptions.ReportsTitle = text;
}

QString TfrmRyvTracker::AboutText()
{
    const TVersionInfo info;
    return AppTexts().str_version + QStringLiteral(": ")
        + info.GetVerValue(QStringLiteral("FileVersion")) + QStringLiteral("\r\n\r\n")
        + info.GetVerValue(QStringLiteral("LegalCopyright"));
}

void TfrmRyvTracker::miAboutClick()
{
    LangMessageDlg(FDefCaption, AboutText(), mtInformation, mbOK, mbOK, -1, -1, QString(), this);
}

} // namespace ryv
