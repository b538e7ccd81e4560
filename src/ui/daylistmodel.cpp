#include "ui/daylistmodel.h"

#include "core/daylist.h"

namespace ryv {

TDayListModel::TDayListModel(TDayList& list, QObject* parent)
    : QAbstractTableModel(parent)
    , FList(list)
{
    connect(&FList, &TDayList::rowsInserted, this, &TDayListModel::Reset);
    connect(&FList, &TDayList::rowsRemoved, this, &TDayListModel::Reset);
    connect(&FList, &TDayList::rowsMoved, this, &TDayListModel::Reset);
    connect(&FList, &TDayList::listReset, this, &TDayListModel::Reset);
    connect(&FList, &TDayList::rowsChanged, this, [this](int first, int last) {
        if (first < 0 || last < first || first >= rowCount())
            return;
        emit dataChanged(index(first, 0), index(std::min(last, rowCount() - 1), colHours));
    });
}

void TDayListModel::Reset()
{
    beginResetModel();
    endResetModel();
    emit rowsReset();
}

int TDayListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FList.Count();
}

int TDayListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant TDayListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= FList.Count())
        return {};
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case colTime:
            return FList.TimeText(index.row());
        case colTask:
            return FList.TaskText(index.row());
        default:
            return FList.HoursText(index.row());
        }
    }
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment h = index.column() == colHours ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    return {};
}

QVariant TDayListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section > colHours)
        return QAbstractTableModel::headerData(section, orientation, role);
    return FColumnCaptions[section];
}

bool TDayListModel::setHeaderData(
    int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::EditRole)
        || section < 0 || section > colHours)
        return false;
    FColumnCaptions[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags TDayListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

} // namespace ryv
