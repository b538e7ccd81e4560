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

void TFavsListView::SelectOnlyRow(int row)
{
    if (row < 0 || row >= count())
        return;
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row));
}

void TFavsListView::StepFocus(bool down)
{
    if (count() == 0)
        return;
    const int focused = currentRow();
    const int row = focused < 0 ? (down ? 0 : count() - 1)
                                : std::clamp(focused + (down ? 1 : -1), 0, count() - 1);
    SelectOnlyRow(row);
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
