#include "ui/clicklabel.h"

#include <QApplication>
#include <QMouseEvent>

namespace ryv {

TClickLabel::TClickLabel(QWidget* parent, bool elide)
    : QLabel(parent)
    , FElide(elide)
{
    setTextFormat(Qt::PlainText);
    if (FElide) {
        setMinimumWidth(1);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
}

void TClickLabel::SetFullText(const QString& text)
{
    FFullText = text;
    if (FElide)
        Elide();
    else
        setText(text);
}

void TClickLabel::SetClickable(bool on)
{
    FClickable = on;
    setCursor(on ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TClickLabel::SetLinkStyle(bool on)
{
    FLinkStyle = on;
    ShowHover(false);
}

void TClickLabel::ShowHover(bool hover)
{
    if (!FLinkStyle)
        return;
    QPalette pal = palette();
    const QColor c = QApplication::palette().color(hover ? QPalette::Highlight : QPalette::Link);
    for (QPalette::ColorGroup g : { QPalette::Active, QPalette::Inactive })
        pal.setColor(g, QPalette::WindowText, c);
    setPalette(pal);
    QFont f = font();
    f.setUnderline(hover);
    setFont(f);
}

void TClickLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    ShowHover(true);
}

void TClickLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    ShowHover(false);
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (FClickable && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TClickLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (FElide)
        Elide();
}

void TClickLabel::Elide()
{
    setText(
        fontMetrics().elidedText(FFullText, Qt::ElideRight, std::max(1, contentsRect().width())));
    setToolTip(text() != FFullText ? FFullText : QString());
}

} // namespace ryv
