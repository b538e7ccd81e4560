#pragma once

#include "ui/listdrag.h"

#include <QTreeView>

#include <functional>

namespace ryv {

class TDayList;
class TDayListDelegate;
class TDayListModel;

// A day list on screen (lvList, lvHistory): three columns without headers,
// whole rows selected, several at once; the selection stays visible without
// the focus. The view mirrors its selection and focused row into the
// TDayList and takes them back when the list changes them.
class TDayListView final : public TListDragView<QTreeView> {
    Q_OBJECT
public:
    TDayListView(TDayList& list, TListKind kind, QWidget* parent = nullptr);
    ~TDayListView() override;

    TDayList& List() const { return FList; }
    TDayListModel& Model() const { return *FModel; }
    TDayListDelegate& Delegate() const { return *FDelegate; }

    void SetRowHeight(int height);
    // The Time column for starts, or with showStop starts and end times, and
    // the Hours column, each as wide as the widest text it holds in the
    // list's font; again after every change of font, style or language.
    void AdjustTimeColumn(bool showStop);
    // Clears the selection, focuses and selects row and scrolls to it.
    void SelectOnlyRow(int row);
    // The text of an empty list, drawn centred in grey.
    void SetEmptyText(const QString& text);
    // The row under a point of the viewport whose done-mark area holds it, -1.
    int DoneMarkRowAt(const QPoint& pos) const;
    // The wheel: one row down (towards the user) or up, or the first or last
    // row without a focused row.
    void StepFocus(bool down);

    std::function<void(int row)> onDoneMarkClick;
    std::function<void()> onEmptyClick;
    std::function<void(int row)> onDoubleClick;

signals:
    void focusEntered();
    void focusLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void AdjustTimeColumns();
    void PushSelection();
    void PullSelection();
    void SetHotRow(int row);

    TDayList& FList;
    TDayListModel* FModel;
    TDayListDelegate* FDelegate;
    QString FEmptyText;
    bool FSyncing = false;
    bool FEmptyPress = false;
    bool FShowStop = false;
};

} // namespace ryv
