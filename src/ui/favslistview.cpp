#include "ui/favslistview.h"

#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace ryv {

namespace {

// The selection marks the row; a focus rectangle around it would only add
// noise, as in the day lists.
class TNoFocusRectDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        opt.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, opt, index);
    }
};

} // namespace

TFavsListView::TFavsListView(QWidget* parent)
    : TListDragView<QListWidget>(TListKind::Favs, parent)
{
    setItemDelegate(new TNoFocusRectDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int TFavsListView::SelectableRow(int row, bool down) const
{
    for (int r = row; r >= 0 && r < count(); r += down ? 1 : -1) {
        if (item(r)->flags() & Qt::ItemIsSelectable)
            return r;
    }
    return -1;
}

void TFavsListView::SelectOnlyRow(int row)
{
    if (row < 0 || row >= count())
        return;
    const int below = SelectableRow(row, true);
    row = below >= 0 ? below : SelectableRow(row, false);
    if (row < 0)
        return;
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row));
}

void TFavsListView::StepFocus(bool down)
{
    if (count() == 0)
        return;
    const int focused = currentRow();
    if (focused < 0) {
        SelectOnlyRow(down ? 0 : SelectableRow(count() - 1, false));
        return;
    }
    // Over the separator to the row beyond it; at the ends nothing moves.
    const int row = SelectableRow(focused + (down ? 1 : -1), down);
    SelectOnlyRow(row >= 0 ? row : focused);
}

void TFavsListView::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    emit focusEntered();
}

void TFavsListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && onDoubleClick) {
        onDoubleClick(index.row());
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
}

} // namespace ryv
