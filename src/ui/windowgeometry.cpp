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

TPaneLayout PaneLayoutFor(int windowWidth, int workWidth, int minWidth, int secondaryMin)
{
    TPaneLayout layout;
    layout.mainWidth = std::max(workWidth / 3, minWidth);
    layout.twoPanes = windowWidth > workWidth / 2 + workWidth / 16
        && windowWidth - layout.mainWidth >= secondaryMin;
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

TCompactEntry CompactEnterBounds(bool maximized, const QRect& geometry, const QRect& normalGeometry,
    const QRect& workArea, int compactHeight, int mainMinWidth, int secondaryMin)
{
    TCompactEntry entry;
    entry.normal
        = normalGeometry.isValid() && !normalGeometry.isEmpty() ? normalGeometry : geometry;
    const QRect current = maximized ? entry.normal : geometry;
    const TPaneLayout panes
        = PaneLayoutFor(current.width(), workArea.width(), mainMinWidth, secondaryMin);
    const int compactWidth = panes.twoPanes ? panes.mainWidth + design::MainMargin : 0;
    entry.compact = CompactEnterRect(current, entry.normal, workArea, compactHeight, compactWidth);
    return entry;
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

int TwoPaneWidth(int windowWidth, int workWidth, int mainWidth, int secondaryNeed)
{
    const int twoPanes = workWidth / 2 + workWidth / 16 + 1;
    const int wanted = std::max({ 2 * windowWidth, twoPanes, mainWidth + secondaryNeed });
    return std::min(wanted, workWidth);
}

QRect DefaultPlacement(const QRect& workArea, int mainMargin, int height, int minWidth)
{
    const int width = std::max(workArea.width() / 4 + 2 * mainMargin, minWidth);
    const int centreX = (workArea.x() + RightOf(workArea)) / 2;
    const int centreY = (workArea.y() + BottomOf(workArea)) / 2;
    // The main pane fills a one-pane window from its left margin on, so
    // centring the pane with its margin centres the window.
    const int mainPaneWidth = width - mainMargin;
    return ClampToArea(
        QRect(centreX - (mainPaneWidth + mainMargin) / 2, centreY - height / 2, width, height),
        workArea);
}

QRect ClampToArea(const QRect& bounds, const QRect& area)
{
    const QSize size = bounds.size().boundedTo(area.size()).expandedTo(QSize(1, 1));
    // Right and bottom first, so that the top-left corner, with the title
    // bar, wins on an area smaller than the window.
    const int x = std::max(std::min(bounds.x(), RightOf(area) - size.width()), area.x());
    const int y = std::max(std::min(bounds.y(), BottomOf(area) - size.height()), area.y());
    return QRect(QPoint(x, y), size);
}

QRect VisiblePlacement(const QRect& stored, const QList<QRect>& workAreas)
{
    if (workAreas.isEmpty())
        return stored;
    const QRect bounds(stored.topLeft(), stored.size().expandedTo(QSize(1, 1)));
    const QRect* landing = nullptr;
    qint64 largest = 0;
    for (const QRect& area : workAreas) {
        const QRect seen = area.intersected(bounds);
        const qint64 part = seen.isEmpty() ? 0 : qint64(seen.width()) * seen.height();
        if (part > largest) {
            largest = part;
            landing = &area;
        }
    }
    if (landing)
        return ClampToArea(bounds, *landing);
    const QRect& area = workAreas.first();
    QRect moved(QPoint(0, 0), bounds.size().boundedTo(area.size()));
    moved.moveCenter(area.center());
    return ClampToArea(moved, area);
}

} // namespace ryv
