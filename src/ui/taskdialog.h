#pragma once

#include "core/datetime.h"
#include "core/ports.h"
#include "core/ryvitem.h"

#include <QDialog>
#include <QPointer>
#include <QRect>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolButton;
class QTreeWidget;

namespace ryv {

class TRyvItemList;
class TRyvOptions;

// The task editor: title, duration (when a task is added afterwards),
// description, link and done mark of one entry, and a star that adds the task
// to the favourites or removes it at once. Modal and on top of other windows.
// The suggestion list under the title (lvSuggest, sbSuggest) stays empty here.
class TfrmRyvTask final : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxTitleLength = 255;
    static constexpr int DesignWidth = 547;
    static constexpr int DesignHeight = 400;
    static constexpr int MinWidth = 480;
    static constexpr int MinHeight = 320;

    // mainWindow may be null (then the dialog is centred on the screen).
    TfrmRyvTask(TRyvOptions& options, TRyvItemList& favorites, IClipboard& clipboard, IShell& shell,
        QWidget* mainWindow);
    // Puts the main window back on top if it was pinned.
    ~TfrmRyvTask() override;

    // Fills the dialog for entry and places it; see ExecuteTaskDialog.
    void Prepare(const TRyvItem& entry, const QString& caption, bool isNew, bool askDuration,
        const TRyvItem* previous, bool fromFavourite);
    // Writes the confirmed values into entry (title cut to 255 characters;
    // with the hours field also the duration into stop).
    void ApplyTo(TRyvItem& entry) const;

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

    // The clipboard text with blanks and control characters cut at both ends.
    static QString TrimClipText(const QString& text);
    // A text that starts like a web link: "://" or, failing that, "www."
    // within its first 23 characters.
    static bool IsLink(const QString& text);

    bool MainWasPinned() const { return FMainPinToTop; }

public slots:
    // Escape and Cancel: first close the suggestion list, then the dialog.
    void reject() override;
    void sbOKClick();
    void sbOpenLinkClick();
    void sbFavoriteClick();
    void sbSuggestClick();
    void timerSuggestTimer();

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void UpdateFavoriteImage();
    void UpdateOpenLinkEnabled();
    void ShowSuggestions(const QString& filter);
    void HideSuggestions();
    static bool MainIsPinned(QWidget* window);
    static void SetMainPinned(QWidget* window, bool pinned);

    TRyvOptions& FOptions;
    TRyvItemList& FFavorites;
    IClipboard& FClipboard;
    IShell& FShell;
    QPointer<QWidget> FMainWindow;

    bool FMainPinToTop = false;
    QString FLastSuggFlt;
    QString FClipText;
    bool FShowSuggestOnStart = true;
    const TRyvItem* FPrevious = nullptr;
    bool FAskDuration = false;

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
};

// The engine's way to the task editor.
class TTaskDialog final : public ITaskDialog {
public:
    TTaskDialog(TRyvOptions& options, TRyvItemList& favorites, IClipboard& clipboard, IShell& shell,
        QWidget* mainWindow);

    // Shows the editor for entry; true when confirmed with OK, and entry then
    // holds the edited values. On Cancel entry is unchanged (the star acts at
    // once either way).
    bool ExecuteTaskDialog(TRyvItem& entry, const QString& caption, bool isNew, bool askDuration,
        const TRyvItem* previous, bool fromFavourite) override;

private:
    TRyvOptions& FOptions;
    TRyvItemList& FFavorites;
    IClipboard& FClipboard;
    IShell& FShell;
    QPointer<QWidget> FMainWindow;
};

} // namespace ryv
