#pragma once

#include <QWidget>

#include <vector>

class QToolButton;

namespace ryv {

class TClickLabel;
class TDayList;

// A bottom bar (pBottom under today's log, pBottom2 under the history day):
// the totals of its day list at the right, right-aligned from the bar's
// right edge, and a few buttons at the left. It follows the list's totals
// by itself.
class TTotalsBar final : public QWidget {
    Q_OBJECT
public:
    // suffix ends every object name: "" for today's bar, "2" for the
    // history's.
    TTotalsBar(const TDayList& list, const QString& suffix, QWidget* parent);
    ~TTotalsBar() override;

    // The buttons at the left, in this order. mayHide: they move out of
    // sight when the totals need the room (the compact-mode and export
    // buttons of today's bar).
    void SetButtons(std::vector<QToolButton*> buttons, bool mayHide);
    // Shows the list's totals: the day's total always, the selection's and
    // the task's while they apply.
    void ShowTotals();
    // Places the totals and the buttons for the bar's width.
    void LayOut();
    // Whether the task total reacts to clicks (it opens the task's link).
    void SetTaskTotalClickable(bool on);
    // The values at valueSize points, the captions at captionSize in the
    // colour of disabled text.
    void SetFontSizes(int valueSize, int captionSize);

signals:
    void taskTotalClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TDayList& FList;
    QWidget* FTotals = nullptr;
    TClickLabel* FTotCap = nullptr;
    TClickLabel* FTotal = nullptr;
    TClickLabel* FTotSelCap = nullptr;
    TClickLabel* FTotalSel = nullptr;
    TClickLabel* FTotTaskCap = nullptr;
    TClickLabel* FTotalTask = nullptr;
    std::vector<QToolButton*> FButtons;
    bool FButtonsMayHide = false;
};

} // namespace ryv
