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

void TFavsPanel::ShowRows(const std::vector<TFavsRow>& rows)
{
    FList->clear();
    for (const TFavsRow& row : rows) {
        auto* item = new QListWidgetItem(FList);
        if (row.item == nullptr) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setSizeHint(QSize(1, FRowHeight / 2));
            continue;
        }
        item->setText(row.item->title);
        item->setIcon(RyvIcon(row.recent ? TRyvIcon::Recent : TRyvIcon::Favourite));
        item->setSizeHint(QSize(1, FRowHeight));
    }
}

} // namespace ryv
