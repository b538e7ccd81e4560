#pragma once

#include "ui/windowgeometry.h"
#include "ui/windowsettings.h"

#include <QObject>
#include <QRect>
#include <QTimer>

#include <functional>
#include <optional>

class QMainWindow;
class QWidget;

namespace ryv {

class TIniFile;

// The parts of the window whose sizes the modes decide.
struct TWindowModesParts final {
    QMainWindow& window;
    QWidget* mainPane; // pMain
    QWidget* header; // pMainHeader
    QWidget* list; // pList, cut off by the window's height in compact mode
    QWidget* bottom; // pBottom
    QWidget* secondary; // pSecondary
    QWidget* focusTarget; // lvList, which takes the focus back
    // The widths the main pane and the secondary pane need to show their
    // headings whole, and the least width of the secondary pane (its
    // buttons); none: the design's least width.
    std::function<int()> mainNeed = {};
    std::function<int()> secondaryNeed = {};
    std::function<int()> secondaryMin = {};
};

// How the window is shown: one pane or two by its width, compact mode (only
// the header and the bottom bar), pinned on top, and its placement as the
// settings file keeps it, by the rules of windowgeometry.h.
class TWindowModes final : public QObject {
    Q_OBJECT
public:
    explicit TWindowModes(const TWindowModesParts& parts);

    // The screen's work area; tests set their own.
    QRect WorkArea() const;
    void SetWorkArea(const QRect& area) { FWorkArea = area; }
    // The work areas of every screen, the window's own first.
    QList<QRect> WorkAreas() const;

    // One pane or two for the window's present width.
    void FitPanes();
    bool TwoPanes() const;
    // A window of one pane doubles its width to show the secondary pane, or
    // widens further to show it with its heading whole (within the work
    // area).
    void OpenSecondaryPane();
    // A window of two panes narrows to the main pane.
    void CloseSecondaryPane();

    void ToggleCompact();
    bool IsCompact() const { return FCompact; }
    // The bounds compact mode returns to.
    QRect CompactRect() const { return FCompactRect; }

    void TogglePinned();
    bool IsPinned() const { return FPinned; }

    // Placement as the settings file keeps it.
    TWindowPlacement Placement() const;
    void ApplyPlacement(const TWindowPlacement& placement);
    // [window] of the settings file: stored bounds are clamped to the work
    // area they land on, and those that no screen shows any more are centred
    // on the work area; a missing placement gives a quarter of the work area
    // (or what the date heading needs) in the middle.
    void LoadPlacement(const TIniFile& ini);
    // Keeps the window with its frame within the work area it lands on:
    // once the window manager has framed it after showing, and when a
    // screen goes or changes.
    void KeepOnScreen();
    void SavePlacement(TIniFile& ini) const;

signals:
    void compactChanged(bool compact);
    void pinnedChanged(bool pinned);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int MainPaneMinWidth() const;
    TPaneLayout PaneLayout(int windowWidth) const;
    void SetBounds(const QRect& r);
    int CompactHeight() const;
    void EnterCompact();
    void FinishRestore();

    TWindowModesParts FParts;
    std::optional<QRect> FWorkArea;
    bool FCompact = false;
    bool FCompactMax = false; // maximized before compact mode
    QRect FCompactRect;
    // Compact mode entered from a maximized window waits until the window
    // system has restored it (X11 restores on its own time) or the timer
    // gives up; FMaximizedRect tells the restore from the maximized window.
    bool FAwaitingRestore = false;
    QRect FMaximizedRect;
    QTimer FRestoreTimer;
    bool FPinned = false;
    // From showing until the window manager has framed the window.
    bool FAwaitingFrame = false;
    QTimer FFrameTimer;
};

} // namespace ryv
