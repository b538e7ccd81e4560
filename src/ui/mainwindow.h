#pragma once

#include "tracking/uistate.h"
#include "ui/commandrouter.h"
#include "ui/textwidths.h"
#include "ui/windowdesign.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>

class QAction;
class QCalendarWidget;
class QCheckBox;
class QMenu;
class QToolButton;

namespace ryv {

class TClickLabel;
class TDayList;
class TDayListView;
class TFavsListView;
class TListStore;
class TRyvItemList;
class TReportCommands;
class TRyvOptions;
class TSecondaryPane;
class TTotalsBar;
class TTracker;
class TWindowMenus;
class TWindowLanguage;
class TWindowModes;
class IUserMessages;
struct TProgramLanguage;

// What the window works with; built by the entry point (or a test) and alive
// for longer than the window.
struct TMainWindowParts final {
    TRyvOptions& options;
    TRyvItemList& favs;
    TRyvItemList& recent;
    TDayList& today;
    TDayList& history;
    TListStore& store;
    TTracker& tracker;
    IUserMessages& messages;
    // The export and report commands; without them their buttons do nothing.
    TReportCommands* reports = nullptr;
    // The program's language; without it the window keeps its built-in
    // English texts and has no Languages menu entries.
    TProgramLanguage* language = nullptr;
};

// The program's one window: today's log in the main pane (pMain) and the
// secondary pane (favourites, history, reports) beside it. It places its
// parts and joins them: the command routing (commandrouter.h) carries every
// command as an action and leads the user's input into the engine, the menus
// (windowmenus.h) offer them, the window modes (windowmodes.h) decide panes,
// compact mode, pin and placement. What the commands do is the engine's
// (TTracker).
class TfrmRyvTracker final : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window's components; FormCreate then runs the start-up.
    explicit TfrmRyvTracker(const TMainWindowParts& parts, QWidget* parent = nullptr);
    ~TfrmRyvTracker() override;

    // --- start-up and closing ------------------------------------------------
    // Fonts, sizes, images and panels; then the settings, the favourites and
    // recent lists, today's log with a task left running, and the clock.
    void FormCreate();
    // The start-up's rest, which the first paint of the window need not wait
    // for: the window's icon and the history's calendar. Runs once, queued
    // after the first paint (or a second after showing, for a window not
    // painted by then); tests run it at once.
    void CompleteStartUp();
    // Pending saves at once, then the favourites and recent lists, then the
    // settings. Runs once, from the close event.
    void FormClose();
    // When the options ask for it, the user's close (the window's close
    // button, Close) calls dock(): true means the tray holds the program, and
    // the window hides instead of closing while tracking goes on. Exit and
    // the application's quit (a session's end, a termination signal) close
    // it and end the program with every save.
    void SetCloseToTray(std::function<bool()> dock) { FDockToTray = std::move(dock); }
    // Exit (main menu, tray): the program ends with the normal closing order,
    // hidden in the tray or not.
    void Exit();
    // The settings file: the options, the report check boxes and [window].
    // Loading places the window; a missing file gives the defaults.
    void LoadSettings();
    void SaveSettings();
    // The settings are written a moment after each change, as the lists are,
    // so a crash loses none and a report from the command line reads the
    // groups as they are: whenever the program is idle the window compares
    // what it would write with what it saw last, and a change (re)starts
    // tmrSaveSettings. FlushSettings writes a change still waiting at once.
    void FlushSettings();
    QTimer tmrSaveSettings;
    void tmrSaveSettingsTimer();

    // --- commands ------------------------------------------------------------
    QAction* Action(TCommand command) const;
    QAction* Action(TWindowCommand command) const;
    // The UI state the engine's rules look at.
    TUiState UiState() const;
    // Evaluates every command's enabled rule again (done when idle) and the
    // states the actions show.
    void UpdateActions();
    // Runs the first command, in the order of the command table, that has the
    // key and is enabled; false when none takes it (it then goes to the
    // focused control).
    bool HandleKey(QKeyCombination key);
    // Runs a command when its rule allows it at this moment.
    bool RunAction(QAction* action);

    // --- panes and modes -----------------------------------------------------
    TWindowModes& Modes() const { return *FModes; }
    TSecondaryPanel ShownPanel() const;
    // Shows the panel, in two panes: a window of one pane doubles its width
    // (leaving compact mode first).
    void ShowSecondaryPanel(TSecondaryPanel panel);
    // The images that tell the window's state: start and stop differ while a
    // task runs and while idle, the compact-mode button while compact.
    void UpdateStateImages();
    // The wheel over a list: true when consumed.
    bool FormMouseWheel(TListKind list, int delta);

    // --- components, for the language controller and tests -------------------
    TDayListView* lvList() const { return FlvList; }
    TDayListView* lvHistory() const { return FlvHistory; }
    TFavsListView* lvFavs() const { return FlvFavs; }
    QCheckBox* cbRepDaily() const;
    QCheckBox* cbRepGroups() const;
    QCalendarWidget* calHistory() const;
    QMenu* pumMain() const;
    QMenu* miLanguages() const;
    // The window's language (null without one).
    TWindowLanguage* Language() const { return FLanguage; }
    // The texts the window sets in code, after a language was applied: the
    // base caption, the panel heading, the lists' hints and rows, the totals.
    void LanguageChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetWindowCommands();
    void CreateComponents();
    void CreateMainPane(QWidget* central);
    void CreateMenus();
    void ConnectModel();
    void ConnectEngine();
    void PrepareWindow();
    void LayOutBars();
    // The widths the main pane and the secondary pane need to show the
    // widest date of their headings whole, in the headings' font and the
    // current language; without the date, the secondary pane's buttons.
    int MainPaneNeed() const;
    int SecondaryPaneNeed(bool withDate = true) const;
    TDayListView* ViewOf(TListKind list) const;
    void SelectRow(TListKind list, int row);
    void acCloseExecute();
    // Export and copy act on the history day when it is on show and either
    // has the focus or the history bar's own button was used.
    const TDayList& ExportList(bool fromHistoryButton) const;
    void ExportDay(bool fromHistoryButton);
    void OnIdle();
    // The settings as SaveSettings would write them, without the file's
    // other contents.
    QString SettingsText() const;
    void NoteSettingsChange();

    TRyvOptions& FOptions;
    TRyvItemList& FFavs;
    TRyvItemList& FRecent;
    TDayList& FToday;
    TDayList& FHistory;
    TListStore& FStore;
    TTracker& FTracker;
    IUserMessages& FMessages;
    TReportCommands* FReports = nullptr;

    TCommandRouter* FRouter = nullptr;
    TWindowMenus* FMenus = nullptr;
    TWindowModes* FModes = nullptr;
    TWindowLanguage* FLanguage = nullptr;
    bool FClosed = false;
    std::function<bool()> FDockToTray;
    bool FExiting = false;
    bool FClosingByUser = false; // Close (acClose) is closing the window
    bool FShownOnce = false;
    bool FStartUpQueued = false;
    bool FStartUpCompleted = false;
    bool FUpdatingActions = false;
    int FRowHeight = design::RowHeight;
    mutable TWidestDateCache FMainDate;
    mutable TWidestDateCache FSecondaryDate;
    QString FDefCaption;
    // The settings as last seen by NoteSettingsChange (empty until loaded),
    // and whether the last write failed, so closing tries again.
    QString FSettingsSeen;
    bool FSettingsSaveFailed = false;

    // The main pane.
    QWidget* FpMain = nullptr;
    QWidget* FpMainHeader = nullptr;
    QWidget* FpList = nullptr;
    QToolButton* FsbMenu = nullptr;
    TClickLabel* FlbToday = nullptr;
    TDayListView* FlvList = nullptr;
    TTotalsBar* FBottom = nullptr;
    TSecondaryPane* FSecondary = nullptr;
    // The secondary pane's parts that the window reaches often.
    TDayListView* FlvHistory = nullptr;
    TFavsListView* FlvFavs = nullptr;
    TTotalsBar* FBottom2 = nullptr;
};

} // namespace ryv
