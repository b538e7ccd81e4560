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
    : TListDragView<QListWidget>(parent)
{
    SetListKind(*this, TListKind::Favs);
    setItemDelegate(new TNoFocusRectDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    QPalette pal = palette();
    for (QPalette::ColorRole role : { QPalette::Highlight, QPalette::HighlightedText })
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    setPalette(pal);
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
