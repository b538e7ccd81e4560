#pragma once

#include <QAbstractTableModel>

namespace ryv {

class TDayList;

// Shows a TDayList in a view: three columns Time, Task and Hours. Holds no
// rules and no texts: data() asks the list, which formats each cell from its
// entry, so every change made through the list shows at once. The list
// reports its changes after the fact, so a change of the rows resets the
// model and the view takes the selection back from the list (see
// TDayListView).
class TDayListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { colTime = 0, colTask = 1, colHours = 2 };

    explicit TDayListModel(TDayList& list, QObject* parent = nullptr);

    TDayList& List() const { return FList; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The column titles ("Time", "Task", "Hours"); the views hide them, but
    // language files set them like any list's (Columns[i].Caption).
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(
        int section, Qt::Orientation orientation, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // After a reset: the view restores selection and focus from the list.
    void rowsReset();

private:
    void Reset();

    TDayList& FList;
    QString FColumnCaptions[3]
        = { QStringLiteral("Time"), QStringLiteral("Task"), QStringLiteral("Hours") };
};

} // namespace ryv
