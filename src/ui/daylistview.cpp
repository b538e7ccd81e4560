#include "ui/daylistview.h"

#include "core/daylist.h"
#include "ui/daylistdelegate.h"
#include "ui/daylistmodel.h"
#include "ui/drawhelpers.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace ryv {

TDayListView::TDayListView(TDayList& list, TListKind kind, QWidget* parent)
    : TListDragView<QTreeView>(kind, parent)
    , FList(list)
    , FModel(new TDayListModel(list, this))
    , FDelegate(new TDayListDelegate(list, this))
{
    setModel(FModel);
    setItemDelegate(FDelegate);
    header()->hide();
    // The code sets the widths of Time and Hours and the window that of Task.
    // Qt's own least width measures the widest glyph of every font the
    // header might fall back to, a large part of the program's start-up.
    header()->setMinimumSectionSize(0);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Fixed);
    header()->setSectionResizeMode(TDayListModel::colTask, QHeaderView::Stretch);
    header()->resizeSection(
        TDayListModel::colHours, TDayListDelegate::HoursColumnWidth(font(), list.IsToday()));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &TDayListView::PushSelection);
    connect(
        selectionModel(), &QItemSelectionModel::currentChanged, this, &TDayListView::PushSelection);
    connect(FModel, &TDayListModel::rowsReset, this, &TDayListView::PullSelection);
    connect(&FList, &TDayList::selectionChanged, this, &TDayListView::PullSelection);
    connect(&FList, &TDayList::focusChanged, this, &TDayListView::PullSelection);
    connect(&FList, &TDayList::scrollToRow, this, [this](int row) {
        if (row >= 0 && row < FModel->rowCount())
            scrollTo(FModel->index(row, 0));
    });
}

TDayListView::~TDayListView()
{
    // The list outlives the view; it must not reach a half-destroyed view.
    disconnect(&FList, nullptr, this, nullptr);
    disconnect(selectionModel(), nullptr, this, nullptr);
    disconnect(FModel, nullptr, this, nullptr);
}

void TDayListView::SetRowHeight(int height)
{
    FDelegate->SetRowHeight(height);
    doItemsLayout();
}

void TDayListView::AdjustTimeColumn(bool showStop)
{
    FShowStop = showStop;
    AdjustTimeColumns();
}

void TDayListView::AdjustTimeColumns()
{
    // The widest times in the list's font, so no font, style or language
    // cuts one, also not in the bold running row.
    // Only today's list has a running task, bold with its seconds.
    const bool running = FList.IsToday();
    header()->resizeSection(
        TDayListModel::colTime, TDayListDelegate::TimeColumnWidth(font(), FShowStop, running));
    header()->resizeSection(
        TDayListModel::colHours, TDayListDelegate::HoursColumnWidth(font(), running));
    doItemsLayout();
}

void TDayListView::changeEvent(QEvent* event)
{
    TListDragView<QTreeView>::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::LanguageChange:
        AdjustTimeColumns();
        break;
    default:
        break;
    }
}

void TDayListView::SetEmptyText(const QString& text)
{
    FEmptyText = text;
    viewport()->update();
}

void TDayListView::PushSelection()
{
    if (FSyncing)
        return;
    FSyncing = true;
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    FList.SetFocused(currentIndex().isValid() ? currentIndex().row() : -1);
    FList.SetSelection(rows);
    FSyncing = false;
}

void TDayListView::PullSelection()
{
    if (FSyncing)
        return;
    FSyncing = true;
    QItemSelection selection;
    for (int row : FList.Selected()) {
        if (row >= 0 && row < FModel->rowCount())
            selection.select(FModel->index(row, 0), FModel->index(row, TDayListModel::colHours));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const int focused = FList.Focused();
    if (focused >= 0 && focused < FModel->rowCount())
        selectionModel()->setCurrentIndex(FModel->index(focused, 0), QItemSelectionModel::NoUpdate);
    else
        selectionModel()->clearCurrentIndex();
    FSyncing = false;
}

void TDayListView::SelectOnlyRow(int row)
{
    if (row < 0 || row >= FModel->rowCount())
        return;
    const QModelIndex index = FModel->index(row, 0);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void TDayListView::StepFocus(bool down)
{
    const int count = FModel->rowCount();
    if (count == 0)
        return;
    const int focused = currentIndex().isValid() ? currentIndex().row() : -1;
    int row;
    if (focused < 0)
        row = down ? 0 : count - 1;
    else
        row = std::clamp(focused + (down ? 1 : -1), 0, count - 1);
    SelectOnlyRow(row);
}

int TDayListView::DoneMarkRowAt(const QPoint& pos) const
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || index.column() != TDayListModel::colTime)
        return -1;
    return TDayListDelegate::DoneMarkRect(visualRect(index)).contains(pos) ? index.row() : -1;
}

void TDayListView::SetHotRow(int row)
{
    if (FDelegate->HotRow() == row)
        return;
    FDelegate->SetHotRow(row);
    viewport()->update();
}

void TDayListView::paintEvent(QPaintEvent* event)
{
    if (FModel->rowCount() > 0 || FEmptyText.isEmpty()) {
        QTreeView::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.setFont(font());
    DrawTextInRect(painter, FEmptyText, viewport()->rect().adjusted(8, 8, -8, -8), true);
}

void TDayListView::mousePressEvent(QMouseEvent* event)
{
    FEmptyPress = FModel->rowCount() == 0 && event->button() == Qt::LeftButton;
    if (FModel->rowCount() == 0) {
        QTreeView::mousePressEvent(event);
        return;
    }
    const int markRow
        = event->button() == Qt::LeftButton ? DoneMarkRowAt(event->position().toPoint()) : -1;
    QTreeView::mousePressEvent(event);
    if (markRow >= 0 && onDoneMarkClick)
        onDoneMarkClick(markRow);
}

void TDayListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeView::mouseReleaseEvent(event);
    // The click into an empty list counts when the button comes up, so the
    // task dialog it opens does not swallow the release.
    const bool click = FEmptyPress && event->button() == Qt::LeftButton
        && viewport()->rect().contains(event->position().toPoint());
    FEmptyPress = false;
    if (click && FModel->rowCount() == 0 && onEmptyClick)
        onEmptyClick();
}

void TDayListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()
        && DoneMarkRowAt(event->position().toPoint()) < 0 && onDoubleClick) {
        onDoubleClick(index.row());
        return;
    }
    QTreeView::mouseDoubleClickEvent(event);
}

void TDayListView::mouseMoveEvent(QMouseEvent* event)
{
    if (FModel->rowCount() > 0) {
        const int row = DoneMarkRowAt(event->position().toPoint());
        SetHotRow(row);
        viewport()->setCursor(row >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    QTreeView::mouseMoveEvent(event);
}

void TDayListView::leaveEvent(QEvent* event)
{
    SetHotRow(-1);
    QTreeView::leaveEvent(event);
}

void TDayListView::focusInEvent(QFocusEvent* event)
{
    QTreeView::focusInEvent(event);
    emit focusEntered();
}

void TDayListView::focusOutEvent(QFocusEvent* event)
{
    QTreeView::focusOutEvent(event);
    emit focusLeft();
}

void TDayListView::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    if (FModel->rowCount() == 0)
        viewport()->update();
}

} // namespace ryv
