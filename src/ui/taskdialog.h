#pragma once

#include "core/datetime.h"
#include "core/ports.h"
#include "core/ryvitem.h"
#include "suggest/suggestlist.h"

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QPointer>
#include <QRect>

#include <optional>

class QCheckBox;
class QLabel;
class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolButton;
class QTreeWidget;

namespace ryv {

class TLanguageManager;
class TqlxController;
class TRyvItemList;
class TRyvOptions;
class TSuggestDelegate;
struct TSuggestSources;

// The task editor: title, duration (when a task is added afterwards),
// description, link and done mark of one entry, and a star that adds the task
// to the favourites or removes it at once. Modal and on top of other windows.
// Under the title a drop-down list (lvSuggest) offers suggested tasks,
// gathered from the sources the first time it opens and filtered by the text
// before the caret; its context menu hides the suggestions of a source.
class TfrmRyvTask final : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxTitleLength = 255;
    static constexpr int DesignWidth = 547;
    static constexpr int DesignHeight = 400;
    static constexpr int MinWidth = 480;
    static constexpr int MinHeight = 320;

    // mainWindow may be null (then the dialog is centred on the screen).
    // languages: the program's language, which the dialog takes when made
    // and again at every change while it is open; null: built-in English.
    TfrmRyvTask(TRyvOptions& options, TRyvItemList& favorites, const TSuggestSources& sources,
        IClipboard& clipboard, IShell& shell, QWidget* mainWindow,
        TLanguageManager* languages = nullptr);
    // Puts the main window back on top if it was pinned.
    ~TfrmRyvTask() override;

    // Fills the dialog for entry and places it; see ExecuteTaskDialog.
    void Prepare(const TRyvItem& entry, const QString& caption, bool isNew, bool askDuration,
        const TRyvItem* previous, bool fromFavourite);
    // Writes the confirmed values into entry (title cut to 255 characters;
    // with the hours field also the duration into stop).
    void ApplyTo(TRyvItem& entry) const;
    // The caption above the title is the command's (action's) caption, in
    // the language in force even when it changes while the dialog is open.
    void FollowCaption(QAction* action);
    QString NameCaption() const;

    // The duration typed into the hours field, in days: a positive number is
    // hours ("2", "1.5", "1,5"), else a time of day ("0:45"); anything else,
    // and zero, means one hour.
    static TDateTime ParseDuration(const QString& text);

    // Where the dialog goes: centred on the main window, then moved so that
    // its right and bottom edges stay within the work area and its left and
    // top edges are not beyond the work area's; centred in the work area when
    // the main window is not on show.
    static QPoint Placement(
        const QRect& mainFrame, bool mainOnShow, const QSize& dialogSize, const QRect& workArea);

    bool MainWasPinned() const { return FMainPinToTop; }

    // The item data roles of lvSuggest's rows: the suggestion's index in the
    // gathered list, and the index of the image shown.
    static constexpr int SuggestionRole = Qt::UserRole;
    static constexpr int ImageRole = Qt::UserRole + 1;

public slots:
    // Escape and Cancel: first close the suggestion list, then the dialog.
    // Every other request to close (the window manager's close button, the
    // application's quit at a session's end, which closes each window and
    // gives up at the first that stays open) closes the dialog at once.
    void sbCancelClick();
    void sbOKClick();
    void sbOpenLinkClick();
    void sbFavoriteClick();
    void sbSuggestClick();
    void timerSuggestTimer();
    void miExcludeSrcClick();

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    // The texts set in code: the caption above the title and the suggestion
    // list's menu, from the application texts.
    void ShowCodeTexts();
    void BuildSuggestMenu();
    void UpdateFavoriteImage();
    void UpdateOpenLinkEnabled();
    void ShowSuggestions(const QString& filter);
    void HideSuggestions();
    void PlaceSuggestions();
    // The image of the suggestion at index, written back into its _imgIdx.
    int SuggestionImage(int index);
    // Up, Down, Page Up and Page Down from the title field.
    void MoveSuggestion(int key);
    void SelectSuggestion(int row);
    // A wheel turn over the list or while the title has the focus.
    bool WheelSuggestion(QObject* watched, QEvent* event);
    void pumSuggestPopup();
    void ExcludedSourceClick(const QString& name);
    static bool MainIsPinned(QWidget* window);
    static void SetMainPinned(QWidget* window, bool pinned);

    TRyvOptions& FOptions;
    TRyvItemList& FFavorites;
    const TSuggestSources& FSources;
    IClipboard& FClipboard;
    IShell& FShell;
    QPointer<QWidget> FMainWindow;

    bool FMainPinToTop = false;
    TqlxController* FController = nullptr;
    QString FCaption;
    QPointer<QAction> FCaptionAction;
    TSuggestList FSuggests;
    QString FLastSuggFlt;
    QString FClipText;
    bool FShowSuggestOnStart = true;
    // A copy: the caller's entry may be moved or freed while the dialog
    // runs (the clock ticks on inside it).
    std::optional<TRyvItem> FPrevious;
    bool FAskDuration = false;
    // The fixed source images first, then the suggestions' own icons.
    QList<QIcon> FImages;
    int FRowHeight = 27;
    TSuggestDelegate* FSuggestDelegate = nullptr;

    QLabel* lbName = nullptr;
    QLineEdit* edName = nullptr;
    QLabel* lbHours = nullptr;
    QLineEdit* edHours = nullptr;
    QToolButton* sbSuggest = nullptr;
    QToolButton* sbOpenLink = nullptr;
    QToolButton* sbFavorite = nullptr;
    QTreeWidget* lvSuggest = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* mDescr = nullptr;
    QLabel* lbUrl = nullptr;
    QLineEdit* edUrl = nullptr;
    QCheckBox* cbTaskDone = nullptr;
    QPushButton* sbOK = nullptr;
    QPushButton* sbCancel = nullptr;
    QTimer* timerSuggest = nullptr;
    QMenu* pumSuggest = nullptr;
    QAction* miExcludeSrc = nullptr;
    QMenu* miExcluded = nullptr;
};

// The engine's way to the task editor.
class TTaskDialog final : public ITaskDialog {
public:
    TTaskDialog(TRyvOptions& options, TRyvItemList& favorites, const TSuggestSources& sources,
        IClipboard& clipboard, IShell& shell, QWidget* mainWindow,
        TLanguageManager* languages = nullptr);

    // Shows the editor for entry; true when confirmed with OK, and entry then
    // holds the edited values. On Cancel entry is unchanged (the star acts at
    // once either way).
    bool ExecuteTaskDialog(TRyvItem& entry, const QString& caption, bool isNew, bool askDuration,
        const TRyvItem* previous, bool fromFavourite) override;

private:
    TRyvOptions& FOptions;
    TRyvItemList& FFavorites;
    const TSuggestSources& FSources;
    IClipboard& FClipboard;
    IShell& FShell;
    QPointer<QWidget> FMainWindow;
    TLanguageManager* FLanguages;
};

} // namespace ryv
