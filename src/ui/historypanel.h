#pragma once

#include "core/datetime.h"

#include <QWidget>

class QAction;
class QCalendarWidget;

namespace ryv {

class TDayList;
class TDayListView;
class TTotalsBar;

// The history panel (pHistory): the day on show in lvHistory, the calendar
// (calHistory) that opens above it from the panel's heading, and the bar
// below it (pBottom2) with the day's totals and the buttons to the previous
// and the next day and to export the day. What the buttons and the calendar
// do is left to whoever listens to the signals.
class THistoryPanel final : public QWidget {
    Q_OBJECT
public:
    // exportAction: the export command whose image, hint and enabled state
    // the bar's export button (sbExport2) takes over.
    THistoryPanel(TDayList& history, QAction* exportAction, QWidget* parent);
    ~THistoryPanel() override;

    TDayListView* List() const { return FList; }
    QCalendarWidget* Calendar() const { return FCalendar; }
    TTotalsBar* Bar() const { return FBar; }

    // The history list now holds day: the calendar marks it.
    void ShowDay(TDateTime day);
    // The latest day the calendar offers.
    void SetLatestDay(TDateTime day);
    // Opens the calendar on the day on show, or closes it.
    void ToggleCalendar();
    // Closes the calendar; false when it was not open.
    bool CloseCalendar();

signals:
    void backClicked();
    void forwardClicked();
    void exportClicked();
    // A day was clicked in the calendar, or a key let go in it.
    void dayClicked(TDateTime day);
    void dayKeyUp(TDateTime day);
    // A day was shown (after ShowDay or a change of the list's day).
    void dayShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TDayList& FHistory;
    QCalendarWidget* FCalendar = nullptr;
    TDayListView* FList = nullptr;
    TTotalsBar* FBar = nullptr;
};

} // namespace ryv
