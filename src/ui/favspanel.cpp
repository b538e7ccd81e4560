#include "ui/favspanel.h"

#include "tracking/tracker.h"
#include "ui/favslistview.h"
#include "ui/icons.h"
#include "ui/windowdesign.h"

#include <QVBoxLayout>

namespace ryv {

TFavsPanel::TFavsPanel(QWidget* parent)
    : QWidget(parent)
    , FRowHeight(design::RowHeight)
{
    setObjectName(QStringLiteral("pFavs"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, design::ListGap, 0, 0);
    FList = new TFavsListView(this);
    FList->setObjectName(QStringLiteral("lvFavs"));
    layout->addWidget(FList);
}

void TFavsPanel::ShowRows(const TTracker& tracker)
{
    FList->clear();
    const int rows = static_cast<int>(tracker.FavsRows().size());
    for (int i = 0; i < rows; ++i) {
        const TRyvItem* entry = tracker.FavsItemAt(i);
        auto* item = new QListWidgetItem(FList);
        if (entry == nullptr) {
            // The separator row only parts the favourites from the recent
            // tasks: no click, key or command selects it.
            item->setFlags(Qt::NoItemFlags);
            item->setSizeHint(QSize(1, FRowHeight / 2));
            continue;
        }
        const bool recent = tracker.FavsRows()[static_cast<size_t>(i)].recent;
        item->setText(entry->title);
        item->setIcon(RyvIcon(recent ? TRyvIcon::Recent : TRyvIcon::Favourite));
        item->setSizeHint(QSize(1, FRowHeight));
    }
}

} // namespace ryv
