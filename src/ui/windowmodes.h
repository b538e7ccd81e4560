#pragma once

#include "ui/windowsettings.h"

#include <QObject>
#include <QRect>

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
    QWidget* list; // pList, hidden in compact mode
    QWidget* bottom; // pBottom
    QWidget* secondary; // pSecondary
    QWidget* focusTarget; // lvList, which takes the focus back
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

    // One pane or two for the window's present width.
    void FitPanes();
    bool TwoPanes() const;
    // A window of one pane doubles its width to show the secondary pane.
    void OpenSecondaryPane();

    void ToggleCompact();
    bool IsCompact() const { return FCompact; }
    // The bounds compact mode returns to.
    QRect CompactRect() const { return FCompactRect; }

    void TogglePinned();
    bool IsPinned() const { return FPinned; }

    // Placement as the settings file keeps it.
    TWindowPlacement Placement() const;
    void ApplyPlacement(const TWindowPlacement& placement);
    // [window] of the settings file: stored bounds that no screen shows any
    // more are centred on the work area; a missing placement gives a quarter
    // of the work area in the middle.
    void LoadPlacement(const TIniFile& ini);
    void SavePlacement(TIniFile& ini) const;

signals:
    void compactChanged(bool compact);
    void pinnedChanged(bool pinned);

private:
    void SetBounds(const QRect& r);
    int CompactHeight() const;

    TWindowModesParts FParts;
    std::optional<QRect> FWorkArea;
    bool FCompact = false;
    bool FCompactMax = false; // maximized before compact mode
    QRect FCompactRect;
    bool FPinned = false;
};

} // namespace ryv
