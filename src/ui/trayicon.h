#pragma once

#include "tracking/favspanelmodel.h"
#include "tracking/uistate.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>
#include <vector>

class QAction;
class QWidget;

namespace ryv {

class TDayList;
class TTracker;

// What the tray icon works with; all of it outlives the icon.
struct TTrayIconParts final {
    TTracker& tracker;
    TDayList& today;
    // The main window, which the icon shows, raises and hides.
    QWidget& window;
    // The window's state, for the commands that look at it (a new task
    // starts from the focused task of today's log, as from the window).
    std::function<TUiState()> uiState;
    // "Exit": the program's normal end, with every save.
    std::function<void()> exit;
    // Whether the desktop has a tray; tests pretend.
    std::function<bool()> trayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
};

// The icon of the program in the desktop's tray: the idle or the working
// image, the running task and its time as the window title shows them in the
// tool tip, a click to show or hide the window, and a menu that starts and
// stops tasks. The menu's commands run through the engine's command table,
// under the same rules as from the window, and not while a dialog of ours is
// open (the icon brings it to the front instead: it must be answered first).
class TTrayIcon final : public QObject {
    Q_OBJECT
public:
    // The recent tasks the menu offers, newest first.
    static constexpr int RecentInMenu = 5;

    // The menu is a child of the window (pumTray), where language files and
    // tests find it.
    explicit TTrayIcon(TTrayIconParts parts, QObject* parent = nullptr);
    ~TTrayIcon() override;

    // Shows the icon when the desktop has a tray (now: a tray may come up
    // after the program). True while the icon is shown.
    bool Dock();
    bool IsDocked() const { return FDocked; }

    QSystemTrayIcon& Icon() const { return *FIcon; }
    QMenu* Menu() const { return FMenu; }
    QString ToolTip() const;
    // The images of the two states.
    static QIcon IdleImage();
    static QIcon WorkingImage();

    // Builds the menu anew from the lists, the running state and the texts in
    // force; done when it opens, and by tmrRefresh after a change of the
    // lists, of the running state or of the language.
    void RefreshMenu();
    QTimer tmrRefresh; // 0 ms, single shot
    // A click on the icon: shows and raises the window, or hides it while it
    // is the active window.
    void Activate(QSystemTrayIcon::ActivationReason reason);
    // "Show Ryv Tracker".
    void ShowWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateState();
    void Run(TCommand command, const TUiState& ui);
    void StartTask(TFavsRow row);

    TTrayIconParts FParts;
    QSystemTrayIcon* FIcon = nullptr;
    QPointer<QMenu> FMenu; // a child of the window, which may go first
    bool FDocked = false;
};

} // namespace ryv
