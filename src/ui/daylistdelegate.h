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
    // Where a cell's text is drawn: the cell less the padding and, in the
    // Time column, the done-mark area.
    static QRect TextRect(const QRect& cell, int column);
    // The fonts of the Hours column of a task and of the running task, from
    // the list's font.
    static QFont HoursFont(const QFont& listFont);
    static QFont RunningFont(const QFont& font);
    // The Time column that shows the widest start ("23:59") or start and
    // stop ("23:59 - 23:59") whole beside the done mark, with running bold
    // as in the running row of today's list.
    static int TimeColumnWidth(const QFont& listFont, bool showStop, bool running);
    // The Hours column that shows the widest time whole at the Hours
    // column's size: with running, a running task's ("999:59:59" in bold),
    // else a finished task's ("999:59").
    static int HoursColumnWidth(const QFont& listFont, bool running);

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
