#include "ui/daylistdelegate.h"

#include "core/datetime.h"
#include "core/daylist.h"
#include "ui/daylistmodel.h"
#include "ui/drawhelpers.h"
#include "ui/textwidths.h"

#include <QApplication>
#include <QPainter>

#include <cmath>

namespace ryv {

namespace {

constexpr int MarkSize = 16;
constexpr int MarkAreaWidth = 20;
constexpr int TextPadding = 4;
// Pixels beyond a text's measured advance, for the rounding of its glyphs.
constexpr int SafetyMargin = 2;
constexpr double DefaultListPointSize = 10.0;
constexpr double HoursScale = 1.2;
constexpr double BreakScale = 1 / 1.1;

int ScaledPointSize(double size, double factor)
{
    // Half-way sizes go to the even neighbour, as everywhere in the layout.
    return static_cast<int>(std::nearbyint(size * factor));
}

} // namespace

TDayListDelegate::TDayListDelegate(const TDayList& list, QObject* parent)
    : QStyledItemDelegate(parent)
    , FList(list)
{
}

QRect TDayListDelegate::DoneMarkRect(const QRect& cell)
{
    return QRect(cell.x() + 2, cell.y() + (cell.height() - MarkSize) / 2, MarkSize, MarkSize);
}

QFont TDayListDelegate::HoursFont(const QFont& listFont)
{
    QFont font = listFont;
    const double listSize = font.pointSizeF() > 0 ? font.pointSizeF() : DefaultListPointSize;
    font.setPointSize(std::max(1, ScaledPointSize(listSize, HoursScale)));
    return font;
}

QFont TDayListDelegate::RunningFont(const QFont& font)
{
    QFont bold = font;
    bold.setBold(true);
    return bold;
}

QRect TDayListDelegate::TextRect(const QRect& cell, int column)
{
    QRect rect = cell;
    if (column == TDayListModel::colTime)
        rect.setLeft(rect.left() + MarkAreaWidth);
    return rect.adjusted(TextPadding, 0, -TextPadding, 0);
}

int TDayListDelegate::TimeColumnWidth(const QFont& listFont, bool showStop, bool running)
{
    // The locale's time separator may be wider than ":" ("23 h 59").
    const QString time = FormatDateTime(QStringLiteral("hh:mm"), 23 * OneHour + 59 * OneMinute);
    const QString sample = showStop ? time + QStringLiteral(" - ") + time : time;
    const QFontMetrics metrics(running ? RunningFont(listFont) : listFont);
    return MarkAreaWidth + 2 * TextPadding
        + metrics.horizontalAdvance(WithWidestDigits(metrics, sample)) + SafetyMargin;
}

int TDayListDelegate::HoursColumnWidth(const QFont& listFont, bool running)
{
    const QFont hours = HoursFont(listFont);
    const QFontMetrics metrics(running ? RunningFont(hours) : hours);
    const QString widest = running ? QStringLiteral("999:59:59") : QStringLiteral("999:59");
    return 2 * TextPadding + metrics.horizontalAdvance(WithWidestDigits(metrics, widest))
        + SafetyMargin;
}

void TDayListDelegate::PaintDoneMark(
    QPainter* painter, const QRect& rect, const QColor* selectedText) const
{
    if (selectedText == nullptr) {
        FDoneIcon.paint(painter, rect);
        return;
    }
    // The mark's own colour is lost on the selection colour; on a selected
    // row it takes the colour of the row's texts, so toggling it stays seen.
    QPixmap mark = FDoneIcon.pixmap(rect.size(), painter->device()->devicePixelRatioF());
    QPainter tint(&mark);
    tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
    tint.fillRect(mark.rect(), *selectedText);
    tint.end();
    painter->drawPixmap(rect, mark);
}

QSize TDayListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(FRowHeight);
    return size;
}

void TDayListDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    // The lists never show a focus rectangle; the selection marks the rows.
    opt.state &= ~QStyle::State_HasFocus;
    if (index.row() == FHotRow)
        opt.state |= QStyle::State_MouseOver;
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const int row = index.row();
    if (row < 0 || row >= FList.Count())
        return;
    const TRyvItem* item = FList.Item(row);
    const bool isTask = item != nullptr && item->IsTask();
    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette& pal = opt.palette;
    const QColor textColor
        = pal.color(QPalette::Active, selected ? QPalette::HighlightedText : QPalette::WindowText);
    const QColor hot = pal.color(QPalette::Active, QPalette::Link);
    const QColor grey = pal.color(QPalette::Disabled, QPalette::WindowText);
    const QColor background
        = selected ? pal.color(QPalette::Active, QPalette::Highlight) : pal.color(QPalette::Base);

    QFont font = opt.font;
    const double listSize = font.pointSizeF() > 0 ? font.pointSizeF() : DefaultListPointSize;
    QColor color = textColor;
    const QRect rect = TextRect(opt.rect, index.column());
    switch (index.column()) {
    case TDayListModel::colTime:
        if (isTask && FList.DoneMark(row))
            PaintDoneMark(painter, DoneMarkRect(opt.rect), selected ? &textColor : nullptr);
        if (!selected)
            color = BlendColors(hot, BlendColors(hot, textColor));
        break;
    case TDayListModel::colTask:
        if (!isTask) {
            color = BlendColors(grey, background);
            font.setItalic(true);
            font.setPointSize(std::max(1, ScaledPointSize(listSize, BreakScale)));
        }
        break;
    default:
        if (isTask)
            font = HoursFont(font);
        break;
    }
    if (FList.IsToday() && FList.IsWorking() && row == FList.Count() - 1)
        font = RunningFont(font);

    painter->save();
    painter->setFont(font);
    painter->setPen(color);
    const Qt::Alignment align
        = (index.column() == TDayListModel::colHours ? Qt::AlignRight : Qt::AlignLeft)
        | Qt::AlignVCenter;
    painter->drawText(rect, int(align | Qt::TextSingleLine),
        painter->fontMetrics().elidedText(text, Qt::ElideRight, rect.width()));
    painter->restore();
}

} // namespace ryv
