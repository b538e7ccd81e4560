#pragma once

#include "tracking/uistate.h"
#include "ui/icons.h"

#include <QKeyCombination>
#include <QObject>

#include <functional>
#include <span>
#include <variant>
#include <vector>

class QAction;
class QWidget;

namespace ryv {

class TDayListView;
class TFavsListView;
class TSecondaryPane;
class TTotalsBar;
class TTracker;

// The window's own commands: they act on the window, not on the lists.
enum class TWindowCommand {
    acClose,
    acPinToTop,
    acCompactMode,
    acExport,
    acCopyToClipboard,
    acFavs,
    acHistory,
    acPlans,
    acReports,
    acShortcuts,
    acSecondary, // shows or hides the secondary pane
};

// An action of the window: a command of the engine or one of the window's.
using TActionId = std::variant<TCommand, TWindowCommand>;

// One row of the command table.
struct TActionEntry final {
    const char* name; // the action's object name; language files address it
    const char* caption;
    const char* hint;
    const char* keys; // ";"-separated, first the primary key
    TRyvIcon icon;
    TActionId id;
    bool checkable = false;
    bool hidden = false; // a command that is not offered yet
};

// The command table, in the order in which keys are matched: a key shared by
// several commands goes to the first one that is enabled.
std::span<const TActionEntry> ActionTable();

// The views whose mouse paths (clicks, double-clicks, drags) lead into the
// engine.
struct TRoutedViews final {
    TDayListView* today = nullptr;
    TTotalsBar* todayBar = nullptr;
    TSecondaryPane* secondary = nullptr;
};

// Every way the user's input reaches the engine: the actions of the command
// table with their keys and enabled rules, and the mouse paths of the views.
// A command runs only when its rule allows it at that moment, whichever way
// it was asked for (menu, button, key, double-click). The window is asked
// for the UI state the rules look at, and told to update its actions after
// a command ran.
class TCommandRouter final : public QObject {
    Q_OBJECT
public:
    // Creates the actions as children of window, where language files find
    // them by name, and routes the keys pressed in the window.
    TCommandRouter(TTracker& tracker, QWidget& window, std::function<TUiState()> uiState,
        std::function<void()> updateActions);
    ~TCommandRouter() override;

    QAction* Action(TCommand command) const;
    QAction* Action(TWindowCommand command) const;
    QAction* Action(const TActionId& id) const;
    // What a command of the window does; those are always enabled.
    void SetWindowCommand(TWindowCommand command, std::function<void()> run);

    // Runs the action's command when its rule allows it at this moment.
    bool Run(QAction* action);
    // Runs the first command, in the order of the table, that has the key
    // and is enabled; false when none takes it (it then goes to the focused
    // control).
    bool HandleKey(QKeyCombination key);
    // Whether an enabled command has the key.
    bool TakesKey(QKeyCombination key) const;
    // Evaluates every command's enabled rule again, and whether the task
    // totals react to clicks.
    void UpdateEnabled(const TUiState& ui);

    void ConnectViews(const TRoutedViews& views);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TCommandDef {
        QAction* action = nullptr;
        std::function<bool(const TUiState&)> enabled;
        std::function<void(const TUiState&)> run;
    };

    void CreateActions();
    const TCommandDef* FindDef(const QAction* action) const;
    bool IsEnabled(const TCommandDef& def, const TUiState& ui) const;

    TTracker& FTracker;
    QWidget& FWindow;
    std::function<TUiState()> FUiState;
    std::function<void()> FUpdateActions;
    TRoutedViews FViews;
    // In the order of the table.
    std::vector<TCommandDef> FCommands;
    std::vector<QAction*> FEngineActions; // indexed by TCommand
    std::vector<QAction*> FWindowActions; // indexed by TWindowCommand
};

} // namespace ryv
