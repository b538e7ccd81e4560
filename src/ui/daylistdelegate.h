#pragma once

#include <QIcon>
#include <QStyledItemDelegate>

namespace ryv {

class TDayList;

// Draws the rows of a day list: the done mark at the left of the Time
// column, the times in a colour leaning to the hot-tracking colour, breaks in
// small grey italics, the hours a little larger, and the running task of
// today's log in bold.
class TDayListDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    TDayListDelegate(const TDayList& list, QObject* parent = nullptr);

    void SetRowHeight(int height) { FRowHeight = height; }
    int RowHeight() const { return FRowHeight; }
    void SetHotRow(int row) { FHotRow = row; }
    int HotRow() const { return FHotRow; }
    void SetDoneIcon(const QIcon& icon) { FDoneIcon = icon; }

    // The done-mark area of a row in the first column, relative to the cell.
    static QRect DoneMarkRect(const QRect& cell);
    // The narrowest Time column that shows a start ("09:00") or a start and
    // a stop ("09:00 - 10:30") whole, beside the done mark.
    static int MinTimeColumnWidth(const QFontMetrics& metrics, bool showStop);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // The done mark; in the given text colour on a selected row.
    void PaintDoneMark(QPainter* painter, const QRect& rect, const QColor* selectedText) const;

    const TDayList& FList;
    int FRowHeight = 27;
    int FHotRow = -1;
    QIcon FDoneIcon;
};

} // namespace ryv
