#pragma once

#include <QWidget>

namespace ryv {

class TFavsListView;
class TTracker;

// The favourites panel (pFavs): lvFavs with the favourites, a separator row
// and the recent tasks, rebuilt from the engine's rows.
class TFavsPanel final : public QWidget {
    Q_OBJECT
public:
    explicit TFavsPanel(QWidget* parent);

    TFavsListView* List() const { return FList; }
    // The height of a task row; the separator row is half as high.
    void SetRowHeight(int height) { FRowHeight = height; }
    // The engine's rows, each with its item's title and icon.
    void ShowRows(const TTracker& tracker);

private:
    TFavsListView* FList = nullptr;
    int FRowHeight;
};

} // namespace ryv
