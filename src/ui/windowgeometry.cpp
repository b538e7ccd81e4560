#include "ui/windowgeometry.h"

#include <algorithm>

namespace ryv {

namespace {

int RightOf(const QRect& r)
{
    return r.x() + r.width();
}
int BottomOf(const QRect& r)
{
    return r.y() + r.height();
}

// Nearer to the work area's bottom than to its top.
bool NearerBottom(const QRect& r, const QRect& wa)
{
    return BottomOf(wa) - BottomOf(r) < r.y() - wa.y();
}

bool NearerRight(const QRect& r, const QRect& wa)
{
    return RightOf(wa) - RightOf(r) < r.x() - wa.x();
}

} // namespace

TPaneLayout PaneLayoutFor(int windowWidth, int workWidth, int minWidth)
{
    TPaneLayout layout;
    layout.twoPanes = windowWidth > workWidth / 2 + workWidth / 16;
    layout.mainWidth = std::max(workWidth / 3, minWidth);
    return layout;
}

QRect CompactEnterRect(const QRect& current, const QRect& normal, const QRect& workArea,
    int compactHeight, int compactWidth)
{
    const int width = compactWidth > 0 ? compactWidth : current.width();
    int left = current.x();
    if (compactWidth > 0 && NearerRight(normal, workArea))
        left += current.width() - width;
    const int top = NearerBottom(normal, workArea) ? BottomOf(normal) - compactHeight : current.y();
    return QRect(left, top, width, compactHeight);
}

QRect CompactLeaveRect(const QRect& current, const QRect& normal, const QRect& workArea)
{
    const int width = normal.width();
    const int height = normal.height();
    const int top = NearerBottom(current, workArea) ? BottomOf(current) - height : current.y();
    int left = current.x();
    if (left + width > RightOf(workArea))
        left = RightOf(workArea) - width;
    return QRect(left, top, width, height);
}

bool BottomButtonsFit(
    bool selShown, int selCaptionLeft, bool taskShown, int taskCaptionLeft, int exportButtonWidth)
{
    if (!selShown && !taskShown)
        return true;
    if (taskShown && taskCaptionLeft > 2 * exportButtonWidth)
        return true;
    return selShown && selCaptionLeft > 2 * exportButtonWidth;
}

QSize FittedDialogSize(const QSize& stored, const QSize& minimum, const QSize& available)
{
    if (stored.isEmpty())
        return QSize();
    const QSize wanted = stored.expandedTo(minimum);
    return available.isEmpty() ? wanted : wanted.boundedTo(available);
}

QRect DefaultPlacement(const QRect& workArea, int mainMargin, int height)
{
    const int width = workArea.width() / 4 + 2 * mainMargin;
    const int centreX = (workArea.x() + RightOf(workArea)) / 2;
    const int centreY = (workArea.y() + BottomOf(workArea)) / 2;
    // The main pane fills a one-pane window from its left margin on, so
    // centring the pane with its margin centres the window.
    const int mainPaneWidth = width - mainMargin;
    return QRect(centreX - (mainPaneWidth + mainMargin) / 2, centreY - height / 2, width, height);
}

QRect VisiblePlacement(const QRect& stored, const QList<QRect>& workAreas)
{
    if (workAreas.isEmpty())
        return stored;
    // No larger than the desktop of all screens together.
    QRect desktop;
    for (const QRect& area : workAreas)
        desktop |= area;
    const QRect bounds(
        stored.topLeft(), stored.size().boundedTo(desktop.size()).expandedTo(QSize(1, 1)));
    // Enough of the header to see the window and take hold of it.
    constexpr int MinVisibleWidth = 100;
    constexpr int MinVisibleHeight = 40;
    for (const QRect& area : workAreas) {
        const QRect seen = area.intersected(bounds);
        if (seen.width() >= std::min(MinVisibleWidth, bounds.width())
            && seen.height() >= std::min(MinVisibleHeight, bounds.height()))
            return bounds;
    }
    const QRect& area = workAreas.first();
    QRect moved(QPoint(0, 0), bounds.size().boundedTo(area.size()));
    moved.moveCenter(area.center());
    return moved;
}

} // namespace ryv
