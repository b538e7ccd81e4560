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

    void SelectOnlyRow(int row);
    void StepFocus(bool down);

    std::function<void(int row)> onDoubleClick;

signals:
    void focusEntered();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace ryv
