#include "ui/commandrouter.h"

#include "core/daylist.h"
#include "tracking/tracker.h"
#include "ui/daylistview.h"
#include "ui/drawhelpers.h"
#include "ui/favslistview.h"
#include "ui/favspanel.h"
#include "ui/historypanel.h"
#include "ui/secondarypane.h"
#include "ui/totalsbar.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

namespace ryv {

namespace {

constexpr bool Checkable = true;
constexpr bool Hidden = true;

constexpr TActionEntry Table[] = {
    { "acStart", "Start a new task", "Start a new task", "Ins;Ctrl+T;Ctrl+N", TRyvIcon::Start,
        TCommand::acStart },
    { "acStop", "Stop working", "Stop working", "Backspace", TRyvIcon::Stop, TCommand::acStop },
    { "acToggleStartStop", "Toggle start/stop", "", "Space", TRyvIcon::Start,
        TCommand::acToggleStartStop },
    { "acClose", "Close", "Close", "Esc", TRyvIcon::Close, TWindowCommand::acClose },
    { "acAdd", "Add task", "Add new task", "Ctrl+Ins", TRyvIcon::Add, TCommand::acAdd },
    { "acEdit", "Edit task", "Edit selected task", "Ctrl+Enter;Enter;F2", TRyvIcon::Edit,
        TCommand::acEdit },
    { "acDelete", "Delete task", "Delete selected task", "Ctrl+Del", TRyvIcon::Delete,
        TCommand::acDelete },
    { "acClear", "Delete all tasks", "Clear the whole time-tracking log", "", TRyvIcon::Clear,
        TCommand::acClear },
    { "acTaskDone", "Task done", "Toggle the state of task", "Ctrl+Space", TRyvIcon::Done,
        TCommand::acTaskDone, Checkable },
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
    { "acPinToTop", "Pin to top", "Pin window to top", "", TRyvIcon::Pin,
        TWindowCommand::acPinToTop, Checkable },
    { "acCompactMode", "Compact mode", "Switch compact mode", "", TRyvIcon::Compact,
        TWindowCommand::acCompactMode, Checkable },
    { "acExport", "Export", "Export tasks ...", "Ctrl+E", TRyvIcon::Export,
        TWindowCommand::acExport },
    { "acCopyToClipboard", "Copy to clipboard", "Copy tasks to clipboard (Excel CSV format)",
        "Shift+Ctrl+C", TRyvIcon::Copy, TWindowCommand::acCopyToClipboard },
    // The panels by their place among the pane's buttons, and the pane
    // itself by the key desktop programs give to their side panes.
    { "acFavs", "Favorites", "Favorites and recently used tasks", "Ctrl+1", TRyvIcon::Favourites,
        TWindowCommand::acFavs, Checkable },
    { "acHistory", "History", "History", "Ctrl+2", TRyvIcon::History, TWindowCommand::acHistory,
        Checkable },
    { "acPlans", "Plans", "Planned tasks", "", TRyvIcon::Plans, TWindowCommand::acPlans, Checkable,
        Hidden },
    { "acReports", "Reports", "Reports", "Ctrl+3", TRyvIcon::Reports, TWindowCommand::acReports,
        Checkable },
    { "acShortcuts", "Shortcuts", "Shortcuts", "", TRyvIcon::Shortcuts, TWindowCommand::acShortcuts,
        Checkable, Hidden },
    { "acSecondary", "Side pane", "Show or hide the pane of favorites, history and reports", "F9",
        TRyvIcon::SidePane, TWindowCommand::acSecondary, Checkable },
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

// Each command of the engine and of the window has exactly one action, so
// the typed look-ups below never miss.
template <class TEnum> constexpr int CountOf()
{
    int n = 0;
    for (const TActionEntry& entry : Table)
        n += std::holds_alternative<TEnum>(entry.id) ? 1 : 0;
    return n;
}

template <class TEnum> constexpr bool EachOnce()
{
    constexpr int n = CountOf<TEnum>();
    for (int value = 0; value < n; ++value) {
        int seen = 0;
        for (const TActionEntry& entry : Table) {
            if (std::holds_alternative<TEnum>(entry.id)
                && static_cast<int>(std::get<TEnum>(entry.id)) == value)
                ++seen;
        }
        if (seen != 1)
            return false;
    }
    return true;
}

static_assert(EachOnce<TCommand>() && EachOnce<TWindowCommand>());
static_assert(CountOf<TCommand>() == CommandCount, "every command of the engine needs its action");
static_assert(CountOf<TWindowCommand>() == static_cast<int>(TWindowCommand::acSecondary) + 1,
    "every command of the window needs its action");

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

bool HasKey(const QAction& action, QKeyCombination key)
{
    for (const QKeySequence& seq : action.shortcuts()) {
        if (seq.count() == 1 && seq[0] == key)
            return true;
    }
    return false;
}

} // namespace

std::span<const TActionEntry> ActionTable()
{
    return Table;
}

TCommandRouter::TCommandRouter(TTracker& tracker, QWidget& window,
    std::function<TUiState()> uiState, std::function<void()> updateActions)
    : QObject(&window)
    , FTracker(tracker)
    , FWindow(window)
    , FUiState(std::move(uiState))
    , FUpdateActions(std::move(updateActions))
{
    CreateActions();
    qApp->installEventFilter(this);
}

TCommandRouter::~TCommandRouter()
{
    qApp->removeEventFilter(this);
}

void TCommandRouter::CreateActions()
{
    FEngineActions.resize(CountOf<TCommand>());
    FWindowActions.resize(CountOf<TWindowCommand>());
    for (const TActionEntry& entry : Table) {
        auto* action = new QAction(QString::fromUtf8(entry.caption), &FWindow);
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
        action->setCheckable(entry.checkable);
        if (entry.hidden)
            action->setVisible(false);

        TCommandDef def;
        def.action = action;
        if (const auto* command = std::get_if<TCommand>(&entry.id)) {
            const TCommand c = *command;
            FEngineActions[static_cast<std::size_t>(c)] = action;
            def.enabled = [this, c](const TUiState& ui) { return FTracker.Enabled(c, ui); };
            def.run = [this, c](const TUiState& ui) { FTracker.Execute(c, ui); };
            if (c == TCommand::acStart || c == TCommand::acAdd || c == TCommand::acEdit
                || c == TCommand::acEdit2) {
                // The task dialog's caption follows the (translated) caption.
                FTracker.SetDialogCaption(c, action->text());
                connect(action, &QAction::changed, this,
                    [this, c, action] { FTracker.SetDialogCaption(c, action->text()); });
            }
        } else {
            const auto w = std::get<TWindowCommand>(entry.id);
            FWindowActions[static_cast<std::size_t>(w)] = action;
            def.enabled = [](const TUiState&) { return true; };
        }
        FCommands.push_back(std::move(def));
        connect(action, &QAction::triggered, this, [this, action] { Run(action); });
    }
}

QAction* TCommandRouter::Action(TCommand command) const
{
    const auto i = static_cast<std::size_t>(command);
    return i < FEngineActions.size() ? FEngineActions[i] : nullptr;
}

QAction* TCommandRouter::Action(TWindowCommand command) const
{
    const auto i = static_cast<std::size_t>(command);
    return i < FWindowActions.size() ? FWindowActions[i] : nullptr;
}

QAction* TCommandRouter::Action(const TActionId& id) const
{
    return std::visit([this](auto command) { return Action(command); }, id);
}

void TCommandRouter::SetWindowCommand(TWindowCommand command, std::function<void()> run)
{
    QAction* action = Action(command);
    for (TCommandDef& def : FCommands) {
        if (def.action == action)
            def.run = [run = std::move(run)](const TUiState&) { run(); };
    }
}

const TCommandRouter::TCommandDef* TCommandRouter::FindDef(const QAction* action) const
{
    for (const TCommandDef& def : FCommands) {
        if (def.action == action)
            return &def;
    }
    return nullptr;
}

bool TCommandRouter::IsEnabled(const TCommandDef& def, const TUiState& ui) const
{
    return def.enabled && def.enabled(ui);
}

bool TCommandRouter::Run(QAction* action)
{
    const TCommandDef* def = FindDef(action);
    if (def == nullptr)
        return false;
    // The rule is asked again at this moment: the state may have changed
    // since the program was last idle.
    const TUiState ui = FUiState();
    if (!IsEnabled(*def, ui) || !def->run) {
        action->setEnabled(false);
        return false;
    }
    def->run(ui);
    FUpdateActions();
    return true;
}

bool TCommandRouter::HandleKey(QKeyCombination key)
{
    const TUiState ui = FUiState();
    for (const TCommandDef& def : FCommands) {
        if (HasKey(*def.action, key) && IsEnabled(def, ui)) {
            Run(def.action);
            return true;
        }
    }
    return false;
}

bool TCommandRouter::TakesKey(QKeyCombination key) const
{
    const TUiState ui = FUiState();
    for (const TCommandDef& def : FCommands) {
        if (HasKey(*def.action, key) && IsEnabled(def, ui))
            return true;
    }
    return false;
}

void TCommandRouter::UpdateEnabled(const TUiState& ui)
{
    for (const TCommandDef& def : FCommands)
        def.action->setEnabled(IsEnabled(def, ui));
    // Whether the task totals react to clicks follows the open-link rules.
    if (FViews.todayBar)
        FViews.todayBar->SetTaskTotalClickable(FTracker.TaskTotalClickable(TListKind::Today, ui));
    if (FViews.secondary)
        FViews.secondary->History()->Bar()->SetTaskTotalClickable(
            FTracker.TaskTotalClickable(TListKind::History, ui));
}

bool TCommandRouter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &FWindow || QApplication::activePopupWidget())
        return QObject::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const QKeyCombination key
        = NormalizeKey(static_cast<Qt::Key>(keyEvent->key()), keyEvent->modifiers());
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the key from Qt's shortcut map when one of our commands will
        // take it; the key press that follows then runs it.
        if (TakesKey(key)) {
            event->accept();
            return true;
        }
    } else if (HandleKey(key)) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// --- the mouse paths ------------------------------------------------------------

void TCommandRouter::ConnectViews(const TRoutedViews& views)
{
    FViews = views;
    TDayListView* today = views.today;
    THistoryPanel* history = views.secondary->History();
    TDayListView* historyList = history->List();
    TFavsListView* favs = views.secondary->Favs()->List();

    today->onEmptyClick = [this, today] {
        if (today->List().ClickStarts())
            FTracker.lvListClick(FUiState());
    };
    today->onDoneMarkClick = [this](int row) { FTracker.ToggleDoneMark(TListKind::Today, row); };
    historyList->onDoneMarkClick
        = [this](int row) { FTracker.ToggleDoneMark(TListKind::History, row); };
    // A double-click edits the row; with Shift or Ctrl held it opens the link.
    auto doubleClick = [this](TCommand open, TCommand edit) {
        return [this, open, edit](int) {
            const bool opens = CurrentShiftState() & (Qt::ShiftModifier | Qt::ControlModifier);
            Run(Action(opens ? open : edit));
        };
    };
    today->onDoubleClick = doubleClick(TCommand::acOpenURL, TCommand::acEdit);
    historyList->onDoubleClick = doubleClick(TCommand::acOpenURL2, TCommand::acEdit2);
    favs->onDoubleClick = [this](int) { Run(Action(TCommand::acStartAs)); };

    // Dragging between the lists goes through the engine's rules.
    auto hooks = [this](TListKind kind) {
        TListDragHooks h;
        h.modals = &FTracker.Modals();
        h.canStartDrag = [this, kind] { return FTracker.CanStartDrag(kind, FUiState()); };
        if (kind == TListKind::Favs) {
            h.canDrop = [this](TListKind src) { return FTracker.CanDropOnFavs(src, FUiState()); };
            h.drop = [this](TListKind src) { FTracker.DropOnFavs(src, FUiState()); };
        } else if (kind == TListKind::Today) {
            h.canDrop = [this](TListKind src) { return FTracker.CanDropOnToday(src, FUiState()); };
            h.drop = [this](TListKind src) { FTracker.DropOnToday(src, FUiState()); };
        }
        return h;
    };
    today->dragHooks = hooks(TListKind::Today);
    historyList->dragHooks = hooks(TListKind::History);
    favs->dragHooks = hooks(TListKind::Favs);

    // Focus: the history's hour commands carry their keys only meanwhile,
    // the keys of today's hour commands (as the language has them).
    connect(historyList, &TDayListView::focusEntered, this, [this] {
        Action(TCommand::acMoveHistBackHour)
            ->setShortcuts(Action(TCommand::acMoveBackHour)->shortcuts());
        Action(TCommand::acMoveHistForwHour)
            ->setShortcuts(Action(TCommand::acMoveForwHour)->shortcuts());
        FUpdateActions();
    });
    connect(historyList, &TDayListView::focusLeft, this, [this] {
        Action(TCommand::acMoveHistBackHour)->setShortcuts({});
        Action(TCommand::acMoveHistForwHour)->setShortcuts({});
    });
    connect(today, &TDayListView::focusEntered, this, [this] { FUpdateActions(); });
    connect(favs, &TFavsListView::focusEntered, this, [this] { FUpdateActions(); });

    // Totals that open the task's link.
    connect(views.todayBar, &TTotalsBar::taskTotalClicked, this,
        [this] { FTracker.TaskTotalClick(TListKind::Today, FUiState()); });
    connect(history->Bar(), &TTotalsBar::taskTotalClicked, this,
        [this] { FTracker.TaskTotalClick(TListKind::History, FUiState()); });

    // The history panel's day.
    connect(views.secondary, &TSecondaryPane::panelShowing, this, [this](TSecondaryPanel panel) {
        if (panel == TSecondaryPanel::History)
            FTracker.ShowHistory();
    });
    // The day buttons are the commands acHistBack and acHistForw.
    connect(
        history, &THistoryPanel::backClicked, this, [this] { Run(Action(TCommand::acHistBack)); });
    connect(history, &THistoryPanel::forwardClicked, this,
        [this] { Run(Action(TCommand::acHistForw)); });
    connect(history, &THistoryPanel::dayClicked, this,
        [this](TDateTime day) { FTracker.calHistoryClick(day); });
    connect(history, &THistoryPanel::dayKeyUp, this,
        [this](TDateTime day) { FTracker.calHistoryKeyUp(day); });
}

} // namespace ryv
