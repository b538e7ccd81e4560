#include "ui/windowmodes.h"

#include "core/inifile.h"
#include "ui/windowdesign.h"
#include "ui/windowgeometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSizePolicy>
#include <QWindow>

namespace ryv {

namespace {

// How long compact mode waits for the window manager to restore a maximized
// window (then it starts from the bounds there are), and how long the
// window's bounds must stay still before the restore counts as done.
constexpr int RestoreWaitMs = 1000;
constexpr int RestoreSettleMs = 100;
// How long after showing the window manager may take to frame the window.
constexpr int FrameWaitMs = 1000;

} // namespace

TWindowModes::TWindowModes(const TWindowModesParts& parts)
    : QObject(&parts.window)
    , FParts(parts)
{
    FRestoreTimer.setSingleShot(true);
    connect(&FRestoreTimer, &QTimer::timeout, this, &TWindowModes::FinishRestore);
    FFrameTimer.setSingleShot(true);
    connect(&FFrameTimer, &QTimer::timeout, this, [this] {
        FAwaitingFrame = false;
        KeepOnScreen();
    });
    parts.window.installEventFilter(this);
    // A monitor that goes, or a panel that grows, may leave the window where
    // it cannot be seen or taken hold of.
    auto keep = [this] { QTimer::singleShot(0, this, &TWindowModes::KeepOnScreen); };
    auto watch = [this, keep](QScreen* screen) {
        connect(screen, &QScreen::availableGeometryChanged, this, keep);
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, watch);
    connect(qApp, &QGuiApplication::screenRemoved, this, keep);
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

QList<QRect> TWindowModes::WorkAreas() const
{
    QList<QRect> areas { WorkArea() };
    if (!FWorkArea) {
        for (const QScreen* s : QGuiApplication::screens())
            areas.append(s->availableGeometry());
    }
    return areas;
}

// --- panes -------------------------------------------------------------------------

int TWindowModes::MainPaneMinWidth() const
{
    // The date heading whole, but never wider than the work area.
    const int need = FParts.mainNeed ? FParts.mainNeed() : 0;
    return std::max(design::MinWidth, std::min(need, WorkArea().width()));
}

TPaneLayout TWindowModes::PaneLayout(int windowWidth) const
{
    // A window too narrow to show the date beside the secondary pane's
    // buttons keeps one pane.
    return PaneLayoutFor(windowWidth, WorkArea().width(), MainPaneMinWidth(),
        FParts.secondaryMin ? FParts.secondaryMin() : 0);
}

bool TWindowModes::TwoPanes() const
{
    return !FParts.secondary->isHidden();
}

void TWindowModes::FitPanes()
{
    const TPaneLayout layout = PaneLayout(FParts.window.width());
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
    QMainWindow& window = FParts.window;
    const QRect area = WorkArea();
    const int mainWidth = PaneLayout(0).mainWidth;
    const int secondaryNeed = FParts.secondaryNeed ? FParts.secondaryNeed() : 0;
    const int width = TwoPaneWidth(window.width(), area.width(), mainWidth, secondaryNeed);
    // Widened to the left where the work area ends on the right.
    const QRect frame = window.frameGeometry();
    const int frameExtra = frame.width() - window.width();
    const int overflow = frame.x() + width + frameExtra - (area.x() + area.width());
    if (overflow > 0 && window.isVisible() && !window.isMaximized())
        window.move(std::max(area.x(), frame.x() - overflow), frame.y());
    window.resize(width, window.height());
    FitPanes();
}

void TWindowModes::CloseSecondaryPane()
{
    if (!TwoPanes())
        return;
    const int workWidth = WorkArea().width();
    // The main pane's width, but surely below the width of two panes.
    const int oneWidth = std::min(FParts.mainPane->width(), workWidth / 2 + workWidth / 16);
    FParts.window.resize(oneWidth, FParts.window.height());
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
    if (FAwaitingRestore)
        FinishRestore();
    QMainWindow& window = FParts.window;
    FCompact = !FCompact;
    // Compact mode keeps only the header and the bottom bar in sight. Today's
    // list stays, cut off by the window's height, so it keeps the focus and
    // its selection and every list command works by its keys; its minimum
    // height is given up meanwhile, so it does not hold the layout open.
    QSizePolicy policy = FParts.list->sizePolicy();
    policy.setVerticalPolicy(FCompact ? QSizePolicy::Ignored : QSizePolicy::Preferred);
    FParts.list->setSizePolicy(policy);
    if (FCompact) {
        FCompactMax = window.isMaximized();
        // The bounds to return to; for a window the window manager restores
        // later they are taken again from the restored window.
        const QRect normal = window.normalGeometry();
        FCompactRect = normal.isValid() && !normal.isEmpty() ? normal : window.geometry();
        FMaximizedRect = QRect();
        if (FCompactMax && window.isVisible()) {
            // A window maximized on screen is restored first. The window
            // manager knows its normal bounds, which Qt's normalGeometry may
            // not (on X11 it can hold the maximized bounds when the window
            // manager maximized the window), and restores it on its own time:
            // compact mode follows once it has.
            FMaximizedRect = window.geometry();
            window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
            if (window.geometry() == FMaximizedRect) {
                FAwaitingRestore = true;
                FRestoreTimer.start(RestoreWaitMs);
            } else {
                EnterCompact();
            }
        } else {
            EnterCompact();
        }
    } else {
        if (FCompactMax) {
            // Maximized again, with the normal bounds it had before.
            SetBounds(FCompactRect);
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
        } else {
            SetBounds(CompactLeaveRect(window.geometry(), FCompactRect, WorkArea()));
        }
    }
    emit compactChanged(FCompact);
    FParts.focusTarget->setFocus();
}

void TWindowModes::EnterCompact()
{
    QMainWindow& window = FParts.window;
    // Still maximized: not on screen yet, or a window manager that did not
    // restore it in time; the normal bounds known before stand for it then.
    const bool maximized
        = window.isMaximized() || (FMaximizedRect.isValid() && window.geometry() == FMaximizedRect);
    const TCompactEntry entry = CompactEnterBounds(maximized, window.geometry(),
        maximized ? FCompactRect : window.normalGeometry(), WorkArea(), CompactHeight(),
        MainPaneMinWidth(), FParts.secondaryMin ? FParts.secondaryMin() : 0);
    FCompactRect = entry.normal;
    FMaximizedRect = QRect();
    // A window that is not on screen yet (compact mode from the settings)
    // is only marked normal; it shows with the compact bounds.
    if (window.isMaximized())
        window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
    SetBounds(entry.compact);
}

void TWindowModes::FinishRestore()
{
    FAwaitingRestore = false;
    FRestoreTimer.stop();
    if (FCompact)
        EnterCompact();
}

bool TWindowModes::eventFilter(QObject* watched, QEvent* event)
{
    // The window manager frames a window after it has shown: once the frame
    // is known, frame and title bar are kept on the screen.
    if (watched == &FParts.window) {
        if (event->type() == QEvent::Show && !FAwaitingFrame) {
            FAwaitingFrame = true;
            FFrameTimer.start(FrameWaitMs);
        } else if (FAwaitingFrame
            && (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            && FParts.window.frameGeometry() != FParts.window.geometry()) {
            FAwaitingFrame = false;
            FFrameTimer.stop();
            QTimer::singleShot(0, this, &TWindowModes::KeepOnScreen);
        }
    }
    // The restore may come in steps (a resize, then a move); compact mode
    // follows once they have stopped for a moment.
    if (FAwaitingRestore && watched == &FParts.window
        && (event->type() == QEvent::Resize || event->type() == QEvent::Move)
        && !FParts.window.isMaximized() && FParts.window.geometry() != FMaximizedRect)
        FRestoreTimer.start(RestoreSettleMs);
    return QObject::eventFilter(watched, event);
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
    const QRect defaults = DefaultPlacement(WorkArea(), design::MainMargin, FParts.window.height(),
        FParts.mainNeed ? FParts.mainNeed() : 0);
    TWindowPlacement placement = ReadWindowPlacement(ini, defaults);
    // Bounds from a monitor that is no longer there would hide the window;
    // bounds larger than the screen (a scale factor set since) would put its
    // title bar out of reach.
    placement.bounds = VisiblePlacement(placement.bounds, WorkAreas());
    ApplyPlacement(placement);
}

void TWindowModes::KeepOnScreen()
{
    QMainWindow& window = FParts.window;
    if (!window.isVisible() || window.isMaximized() || window.isFullScreen())
        return;
    const QRect frame = window.frameGeometry();
    const QRect fitted = VisiblePlacement(frame, WorkAreas());
    if (fitted == frame)
        return;
    // The frame is the window's bounds with the window manager's border and
    // title bar; the client keeps the rest.
    const QSize border = frame.size() - window.size();
    window.resize(fitted.size() - border);
    window.move(fitted.topLeft());
    FitPanes();
}

void TWindowModes::SavePlacement(TIniFile& ini) const
{
    WriteWindowPlacement(ini, Placement());
}

} // namespace ryv
