#pragma once

// Placement rules of the main window as pure functions of rectangles, so the
// numbers can be checked without a screen. Rectangles are the window's client
// bounds in screen coordinates; "right" and "bottom" below mean the first
// pixel past the rectangle (x + width, y + height), as the window system
// reports edges.

#include "ui/windowdesign.h"

#include <QList>
#include <QRect>

namespace ryv {

struct TPaneLayout final {
    bool twoPanes = false;
    int mainWidth = 0; // the main pane's width when twoPanes
};

// One pane or two by the window's width against the work area's width: two
// panes when the window is wider than workWidth / 2 + workWidth / 16 and
// leaves the secondary pane at least secondaryMin beside the main pane; the
// main pane is then a third of the work area, but at least minWidth.
TPaneLayout PaneLayoutFor(
    int windowWidth, int workWidth, int minWidth = design::MinWidth, int secondaryMin = 0);

// Bounds on entering compact mode. current: the window's bounds after a
// maximized window was restored; normal: its normal bounds (FCompactRect);
// compactHeight: what keeps only the header and the bottom bar visible;
// compactWidth: the main pane with its margin when the secondary pane shows,
// else 0 (width unchanged).
QRect CompactEnterRect(const QRect& current, const QRect& normal, const QRect& workArea,
    int compactHeight, int compactWidth);

// What entering compact mode decides from the window as it is: normal, the
// bounds to return to (FCompactRect), and compact, the window's bounds in
// compact mode.
struct TCompactEntry final {
    QRect normal;
    QRect compact;
};

// Entering compact mode from the window's bounds (geometry), its normal
// bounds as the window system reports them (normalGeometry, empty when it
// reports none) and whether it is maximized. A maximized window is restored
// first, but the window system moves it only later: the rectangles and the
// choice of one pane or two are taken from its normal bounds, never from the
// maximized ones.
// mainMinWidth and secondaryMin: the panes' least widths, as PaneLayoutFor
// takes them.
TCompactEntry CompactEnterBounds(bool maximized, const QRect& geometry, const QRect& normalGeometry,
    const QRect& workArea, int compactHeight, int mainMinWidth = design::MinWidth,
    int secondaryMin = 0);

// Bounds on leaving compact mode: the size of normal (FCompactRect), keeping
// the edge of current that lies nearer to the work area's top or bottom, and
// pulled back left when it would pass the work area's right edge.
QRect CompactLeaveRect(const QRect& current, const QRect& normal, const QRect& workArea);

// Whether the compact-mode and export buttons fit at the left of the bottom
// bar. A caption's left edge is measured from the bar's left edge.
bool BottomButtonsFit(
    bool selShown, int selCaptionLeft, bool taskShown, int taskCaptionLeft, int exportButtonWidth);

// The width of a window of two panes when the program opens the secondary
// pane: twice the window's width, but at least what shows two panes and
// gives the secondary pane the width it needs beside the main pane
// (mainWidth), and at most the work area's width.
int TwoPaneWidth(int windowWidth, int workWidth, int mainWidth, int secondaryNeed);

// The placement on a first start: a quarter of the work area wide plus twice
// the main pane's margin, or minWidth when that is wider (what the date
// heading needs), height unchanged; no larger than the work area and centred
// on it.
QRect DefaultPlacement(const QRect& workArea, int mainMargin, int height, int minWidth = 0);

// bounds no larger than area (and at least 1 x 1), moved as little as needed
// to lie within it.
QRect ClampToArea(const QRect& bounds, const QRect& area);

// Bounds as the window takes them (stored ones at start-up, the window's
// frame when it has shown or a monitor went): clamped to the work area it
// lands on, the one that holds the largest part of it; when it lies on none,
// as when its monitor is gone, the same size centred on the first work area
// (the primary screen's) and clamped to it. Rectangles are in the same
// (logical) pixels as the work areas, so this holds at any scale factor.
// The stored edges must not overflow (ReadWindowPlacement sees to it).
QRect VisiblePlacement(const QRect& stored, const QList<QRect>& workAreas);

// The size a dialog takes from a stored one: none (an invalid size) when
// nothing was stored; else at least minimum and, when available is known, at
// most available (the screen's work area wins over the minimum).
QSize FittedDialogSize(const QSize& stored, const QSize& minimum, const QSize& available);

} // namespace ryv
