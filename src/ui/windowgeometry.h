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
// panes when the window is wider than workWidth / 2 + workWidth / 16; the
// main pane is then a third of the work area, but at least minWidth.
TPaneLayout PaneLayoutFor(int windowWidth, int workWidth, int minWidth = design::MinWidth);

// Bounds on entering compact mode. current: the window's bounds after a
// maximized window was restored; normal: its normal bounds (FCompactRect);
// compactHeight: what keeps only the header and the bottom bar visible;
// compactWidth: the main pane with its margin when the secondary pane shows,
// else 0 (width unchanged).
QRect CompactEnterRect(const QRect& current, const QRect& normal, const QRect& workArea,
    int compactHeight, int compactWidth);

// Bounds on leaving compact mode: the size of normal (FCompactRect), keeping
// the edge of current that lies nearer to the work area's top or bottom, and
// pulled back left when it would pass the work area's right edge.
QRect CompactLeaveRect(const QRect& current, const QRect& normal, const QRect& workArea);

// Whether the compact-mode and export buttons fit at the left of the bottom
// bar. A caption's left edge is measured from the bar's left edge.
bool BottomButtonsFit(
    bool selShown, int selCaptionLeft, bool taskShown, int taskCaptionLeft, int exportButtonWidth);

// The placement on a first start: a quarter of the work area wide plus twice
// the main pane's margin, height unchanged, centred on the work area.
QRect DefaultPlacement(const QRect& workArea, int mainMargin, int height);

// Stored bounds as the window takes them at start-up: the size at most that
// of the desktop all work areas span (and at least 1 x 1); the position
// unchanged while enough of the window lies on one of the work areas to see
// and move it; else, as when the monitor it was on is gone, the same size (at
// most the first work area's) centred on the first work area. The stored
// edges must not overflow (ReadWindowPlacement sees to it).
QRect VisiblePlacement(const QRect& stored, const QList<QRect>& workAreas);

// The size a dialog takes from a stored one: none (an invalid size) when
// nothing was stored; else at least minimum and, when available is known, at
// most available (the screen's work area wins over the minimum).
QSize FittedDialogSize(const QSize& stored, const QSize& minimum, const QSize& available);

} // namespace ryv
