#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QSpinBox;
class QToolButton;
class QWidget;

namespace ryv {

class TCommandRouter;
class TDayList;
class TDayListView;
class TFavsListView;
class TModalCount;
class TRyvOptions;

// What the menus work with; all of it outlives them.
struct TWindowMenusParts final {
    QWidget& window; // owns the menus; the parent of their dialogs
    QString caption; // the caption of their dialogs
    TRyvOptions& options;
    TDayList& today;
    TDayList& history;
    TCommandRouter& router;
    QToolButton* menuButton; // sbMenu, which opens the main menu
    TDayListView* todayList;
    TDayListView* historyList;
    TFavsListView* favsList;
    TModalCount& modals; // the boxes of the menus count as modal windows of ours
};

// The window's menus: the main menu (pumMain) with the settings, the About
// box and Exit, and the context menus of the three lists (pumList, pumHistory,
// pumFavs). Their command entries are the router's actions, so a command runs
// from a menu under the same rule as from a key.
class TWindowMenus final : public QObject {
    Q_OBJECT
public:
    explicit TWindowMenus(const TWindowMenusParts& parts);

    QMenu* pumMain() const { return FpumMain; }
    QAction* miCloseToTray() const { return FmiCloseToTray; }
    QSpinBox* seAwayMinutes() const { return FseAwayMinutes; }
    // The Languages submenu (miLanguages), which the window's language fills.
    QMenu* miLanguages() const { return FmiLanguages; }

    // The About box text: "Version: 1.0.0" and Qt's version, an empty line,
    // the copyright, the licence and the home page.
    static QString AboutText();

signals:
    // A menu is about to show: its entries' enabled states are due.
    void aboutToShow();
    // Exit (miExit): the program ends, also when it would close to the tray.
    void exitClicked();

private:
    void CreateMainMenu();
    void CreateAwayMinutes(QMenu* menu);
    void CreateListMenus();
    // The settings entries checked as the options stand.
    void pumMainPopup();
    void miListShowStopClick();
    void miReportsTitleClick();
    void miAboutClick();

    TWindowMenusParts FParts;
    QMenu* FpumMain = nullptr;
    QMenu* FmiLanguages = nullptr;
    QAction* FmiListShowStop = nullptr;
    QAction* FmiAutoShowSuggest = nullptr;
    QAction* FmiReportsTitle = nullptr;
    QAction* FmiWinTitCurrent = nullptr;
    QAction* FmiWinTitTotal = nullptr;
    QAction* FmiSpendToClipboardDisabled = nullptr;
    QAction* FmiSpendToClipboardStd = nullptr;
    QAction* FmiSpendToClipboardGit = nullptr;
    QAction* FmiCloseToTray = nullptr;
    QSpinBox* FseAwayMinutes = nullptr;
};

} // namespace ryv
