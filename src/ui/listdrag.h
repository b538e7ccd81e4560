#pragma once

// Dragging rows between the three lists of the main window. The drag carries
// only which list it came from; what is dragged is that list's selected row,
// as the engine sees it when the drop arrives.

#include "tracking/uistate.h"

#include <QAbstractItemView>
#include <QDropEvent>
#include <QWidget>

#include <functional>
#include <optional>

class QDropEvent;
class QMimeData;

namespace ryv {

class TModalCount;

// The window's answers for one list view.
struct TListDragHooks final {
    // A drag runs a nested event loop, like a modal window: while it lasts
    // the change of date waits, so the drop acts on the rows the drag began
    // with.
    TModalCount* modals = nullptr;
    std::function<bool()> canStartDrag;
    std::function<bool(TListKind source)> canDrop;
    std::function<void(TListKind source)> drop;
};

// Marks a view as the list of the given kind, so a drop can tell its source.
void SetListKind(QWidget& view, TListKind kind);
TListKind ListKindOf(const QWidget& view);

// Runs a drag of the view's selected row; no drag image is shown.
void StartListDrag(QWidget& view, const TListDragHooks& hooks);
// The source list of a drag that came from one of our lists.
std::optional<TListKind> DragSource(const QDropEvent& event);
// Accepts or ignores a drag over a list; true when accepted.
bool AcceptListDrag(QDropEvent& event, const TListDragHooks& hooks);
// Handles a drop; true when it was taken.
bool HandleListDrop(QDropEvent& event, const TListDragHooks& hooks);

// An item view whose drags and drops go through the hooks only; the view's
// own moving of items is never used.
template <class TView> class TListDragView : public TView {
public:
    // The set-up the window's lists share: no frame, no editing in place,
    // drags through the hooks, and a selection that stays visible when the
    // list loses the focus.
    explicit TListDragView(TListKind kind, QWidget* parent = nullptr)
        : TView(parent)
    {
        SetListKind(*this, kind);
        this->setEditTriggers(QAbstractItemView::NoEditTriggers);
        this->setFrameShape(QFrame::NoFrame);
        this->setDragEnabled(true);
        this->setAcceptDrops(true);
        this->viewport()->setAcceptDrops(true);
        this->setDragDropMode(QAbstractItemView::DragDrop);
        this->setDropIndicatorShown(false);
        QPalette pal = this->palette();
        for (QPalette::ColorRole role : { QPalette::Highlight, QPalette::HighlightedText })
            pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
        this->setPalette(pal);
    }

    TListDragHooks dragHooks;

protected:
    void startDrag(Qt::DropActions) override { StartListDrag(*this, dragHooks); }
    void dragEnterEvent(QDragEnterEvent* event) override { AcceptListDrag(*event, dragHooks); }
    void dragMoveEvent(QDragMoveEvent* event) override { AcceptListDrag(*event, dragHooks); }
    void dropEvent(QDropEvent* event) override { HandleListDrop(*event, dragHooks); }
};

} // namespace ryv
