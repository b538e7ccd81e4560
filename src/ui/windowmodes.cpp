#include "ui/windowmodes.h"

#include "core/inifile.h"
#include "ui/windowdesign.h"
#include "ui/windowgeometry.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWindow>

namespace ryv {

TWindowModes::TWindowModes(const TWindowModesParts& parts)
    : QObject(&parts.window)
    , FParts(parts)
{
}

QRect TWindowModes::WorkArea() const
{
    if (FWorkArea)
        return *FWorkArea;
    const QScreen* window = FParts.window.screen();
    const QScreen* s = window ? window : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry()
             : QRect(0, 0, design::FallbackScreenWidth, design::FallbackScreenHeight);
}

// --- panes -------------------------------------------------------------------------

bool TWindowModes::TwoPanes() const
{
    return !FParts.secondary->isHidden();
}

void TWindowModes::FitPanes()
{
    const TPaneLayout layout = PaneLayoutFor(FParts.window.width(), WorkArea().width());
    if (layout.twoPanes) {
        FParts.mainPane->setFixedWidth(layout.mainWidth);
        FParts.secondary->show();
    } else {
        FParts.secondary->hide();
        FParts.mainPane->setMinimumWidth(0);
        FParts.mainPane->setMaximumWidth(QWIDGETSIZE_MAX);
        QWidget* focus = FParts.focusTarget;
        if (FParts.window.isVisible() && !focus->hasFocus() && focus->isVisible())
            focus->setFocus();
    }
}

void TWindowModes::OpenSecondaryPane()
{
    if (TwoPanes())
        return;
    FParts.window.resize(FParts.window.width() * 2, FParts.window.height());
    FitPanes();
}

void TWindowModes::SetBounds(const QRect& r)
{
    FParts.window.setGeometry(r);
    FitPanes();
}

// --- compact mode --------------------------------------------------------------------

int TWindowModes::CompactHeight() const
{
    return FParts.header->height() + FParts.bottom->height() + 2 * design::MainMargin - 1;
}

void TWindowModes::ToggleCompact()
{
    QMainWindow& window = FParts.window;
    FCompact = !FCompact;
    // Compact mode keeps only the header and the bottom bar; the list would
    // otherwise hold the layout open at its own minimum height.
    FParts.list->setVisible(!FCompact);
    const QRect workArea = WorkArea();
    if (FCompact) {
        FCompactMax = window.isMaximized();
        const QRect normal = window.normalGeometry();
        FCompactRect = normal.isValid() && !normal.isEmpty() ? normal : window.geometry();
        if (window.isMaximized())
            window.showNormal();
        const QRect current = window.isMaximized() || window.geometry().isEmpty()
            ? FCompactRect
            : window.geometry();
        const int compactWidth = TwoPanes()
            ? PaneLayoutFor(window.width(), workArea.width()).mainWidth + design::MainMargin
            : 0;
        SetBounds(CompactEnterRect(current, FCompactRect, workArea, CompactHeight(), compactWidth));
    } else {
        SetBounds(CompactLeaveRect(window.geometry(), FCompactRect, workArea));
        if (FCompactMax)
            window.showMaximized();
    }
    emit compactChanged(FCompact);
    FParts.focusTarget->setFocus();
}

// --- pin -----------------------------------------------------------------------------

void TWindowModes::TogglePinned()
{
    FPinned = !FPinned;
    // Toggling the hint on the native window keeps that window; changing the
    // widget's flags would hide it and create a new one.
    QMainWindow& window = FParts.window;
    if (window.windowHandle() == nullptr)
        window.winId(); // creates the native window
    if (QWindow* handle = window.windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, FPinned);
    emit pinnedChanged(FPinned);
}

// --- placement -------------------------------------------------------------------------

TWindowPlacement TWindowModes::Placement() const
{
    const QMainWindow& window = FParts.window;
    TWindowPlacement p;
    p.max = window.isMaximized() || (FCompact && FCompactMax);
    if (FCompact) {
        p.bounds = FCompactRect;
        p.hasBounds = true;
    } else {
        const QRect normal = window.normalGeometry();
        p.bounds = normal.isValid() && !normal.isEmpty() ? normal : window.geometry();
        p.hasBounds = !p.bounds.isEmpty();
    }
    p.pinned = FPinned;
    p.compact = FCompact;
    return p;
}

void TWindowModes::ApplyPlacement(const TWindowPlacement& placement)
{
    QMainWindow& window = FParts.window;
    window.setGeometry(placement.bounds);
    FitPanes();
    if (placement.max)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    if (placement.compact && !FCompact)
        ToggleCompact();
    if (placement.pinned && !FPinned)
        TogglePinned();
    FitPanes();
}

void TWindowModes::LoadPlacement(const TIniFile& ini)
{
    const QRect defaults = DefaultPlacement(WorkArea(), design::MainMargin, FParts.window.height());
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

void TWindowModes::SavePlacement(TIniFile& ini) const
{
    WriteWindowPlacement(ini, Placement());
}

} // namespace ryv
