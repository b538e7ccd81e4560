#include "ui/listdrag.h"

#include "core/modalcount.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>

namespace ryv {

namespace {

const char* const KindProperty = "ryvListKind";
const QString MimeType = QStringLiteral("application/x-ryvtracker-row");

} // namespace

void SetListKind(QWidget& view, TListKind kind)
{
    view.setProperty(KindProperty, static_cast<int>(kind));
}

TListKind ListKindOf(const QWidget& view)
{
    const QVariant v = view.property(KindProperty);
    return v.isValid() ? static_cast<TListKind>(v.toInt()) : TListKind::None;
}

void StartListDrag(QWidget& view, const TListDragHooks& hooks)
{
    if (!hooks.canStartDrag || !hooks.canStartDrag())
        return;
    auto* mime = new QMimeData;
    mime->setData(MimeType, QByteArray::number(static_cast<int>(ListKindOf(view))));
    auto* drag = new QDrag(&view);
    drag->setMimeData(mime);
    std::optional<TModalCount::TScope> modal;
    if (hooks.modals)
        modal.emplace(*hooks.modals);
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

std::optional<TListKind> DragSource(const QDropEvent& event)
{
    if (!event.mimeData() || !event.mimeData()->hasFormat(MimeType))
        return std::nullopt;
    // Only drags from this program's lists count; the source widget says which.
    const auto* source = qobject_cast<const QWidget*>(event.source());
    if (source == nullptr)
        return std::nullopt;
    const TListKind kind = ListKindOf(*source);
    if (kind == TListKind::None)
        return std::nullopt;
    return kind;
}

bool AcceptListDrag(QDropEvent& event, const TListDragHooks& hooks)
{
    const std::optional<TListKind> source = DragSource(event);
    if (source && hooks.canDrop && hooks.canDrop(*source)) {
        event.setDropAction(Qt::CopyAction);
        event.accept();
        return true;
    }
    event.ignore();
    return false;
}

bool HandleListDrop(QDropEvent& event, const TListDragHooks& hooks)
{
    if (!AcceptListDrag(event, hooks))
        return false;
    if (hooks.drop)
        hooks.drop(*DragSource(event));
    return true;
}

} // namespace ryv
