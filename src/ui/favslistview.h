#pragma once

#include "ui/listdrag.h"

#include <QListWidget>

#include <functional>

namespace ryv {

// The favourites panel's list (lvFavs): one column, the favourites, a
// separator row and the recent tasks, newest first; each row with its mark.
// Its rows are rebuilt from the engine's rows and carry no data of their own.
class TFavsListView final : public TListDragView<QListWidget> {
    Q_OBJECT
public:
    explicit TFavsListView(QWidget* parent = nullptr);

    // Selects the row, or, for the separator row, the nearest row below it
    // (above it when none is below): the separator is never selected.
    void SelectOnlyRow(int row);
    void StepFocus(bool down);

    std::function<void(int row)> onDoubleClick;

signals:
    void focusEntered();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The first selectable row from row on, downwards or upwards; -1: none.
    int SelectableRow(int row, bool down) const;
};

} // namespace ryv
