#include "ui/daylistmodel.h"

#include "core/clock.h"
#include "core/daylist.h"
#include "core/regional.h"
#include "core/ryvoptions.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace ryv {
namespace {

TDateTime At(int h, int m)
{
    return EncodeDateTime(2022, 1, 7, h, m);
}

std::unique_ptr<TRyvItem> Task(const QString& title, TDateTime start, TDateTime stop)
{
    auto e = std::make_unique<TRyvItem>();
    e->title = title;
    e->start = start;
    e->stop = stop;
    return e;
}

// The model holds no texts of its own: whatever changes an entry through the
// list, the view is told and reads the new cells.
TEST(DayListModelTest, ChangeOfAnEntry_ShowsInTheViewsCells)
{
    const TRegionalScope regional("en_GB");
    TRyvOptions options(QStringLiteral("/nonexistent/ryv-test/"));
    TManualClock clock(At(12, 0));
    TDayList list(TDayListRole::History, options, clock);
    TDayListModel model(list);
    list.Append(Task(QStringLiteral("Mail"), At(8, 0), At(9, 0)));
    list.Append(Task(QStringLiteral("Docs"), At(9, 0), At(9, 30)));
    auto cell = [&](int row, int column) {
        return model.data(model.index(row, column), Qt::DisplayRole).toString();
    };
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(cell(1, TDayListModel::colTime), QStringLiteral("09:00 - 09:30"));

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    list.SetTimes(1, At(9, 15), At(10, 0));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex().row(), 1);
    EXPECT_EQ(cell(1, TDayListModel::colTime), QStringLiteral("09:15 - 10:00"));
    EXPECT_EQ(cell(1, TDayListModel::colHours), QStringLiteral("0:45"));

    list.MakeBreak(0);
    EXPECT_EQ(cell(0, TDayListModel::colTask), QStringLiteral("Break:  08:00 - 09:00  (1:00)"));
    EXPECT_EQ(cell(0, TDayListModel::colHours), QString());
}

} // namespace
} // namespace ryv
