#include "ui/historypanel.h"

#include "core/apptexts.h"
#include "core/daylist.h"
#include "lang/langtemplate.h"
#include "ui/daylistdelegate.h"
#include "ui/daylistview.h"
#include "ui/icons.h"
#include "ui/totalsbar.h"
#include "ui/widgetparts.h"
#include "ui/windowdesign.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace ryv {

THistoryPanel::THistoryPanel(TDayList& history, QAction* exportAction, QWidget* parent)
    : QWidget(parent)
    , FHistory(history)
{
    setObjectName(QStringLiteral("pHistory"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    FLists = new QVBoxLayout;
    FLists->setContentsMargins(0, design::ListGap, 0, design::ListGap);
    FList = new TDayListView(FHistory, TListKind::History, this);
    FList->setObjectName(QStringLiteral("lvHistory"));
    FList->SetEmptyText(AppTexts().str_notasksthisday);
    FList->Delegate().SetDoneIcon(RyvIcon(TRyvIcon::Done));
    FLists->addWidget(FList, 1);
    column->addLayout(FLists, 1);

    FBar = new TTotalsBar(FHistory, QStringLiteral("2"), this);
    QToolButton* back = MakeButton(FBar, QStringLiteral("sbHistBack"), design::SmallButton);
    back->setIcon(RyvIcon(TRyvIcon::Back));
    back->setToolTip(QStringLiteral("Previous day"));
    QToolButton* forw = MakeButton(FBar, QStringLiteral("sbHistForw"), design::SmallButton);
    forw->setIcon(RyvIcon(TRyvIcon::Forward));
    forw->setToolTip(QStringLiteral("Next day"));
    // The bar's export button exports the history day even while today's
    // list has the focus.
    QToolButton* export2 = MakeButton(FBar, QStringLiteral("sbExport2"), design::SmallButton);
    export2->setIcon(exportAction->icon());
    export2->setToolTip(exportAction->toolTip());
    SetTextsFromCode(export2); // the export command's
    connect(exportAction, &QAction::changed, export2, [export2, exportAction] {
        export2->setEnabled(exportAction->isEnabled());
        export2->setToolTip(exportAction->toolTip());
    });
    FBar->SetButtons({ back, forw, export2 }, false);
    connect(back, &QToolButton::clicked, this, &THistoryPanel::backClicked);
    connect(forw, &QToolButton::clicked, this, &THistoryPanel::forwardClicked);
    connect(export2, &QToolButton::clicked, this, &THistoryPanel::exportClicked);
    column->addWidget(FBar);

    connect(&FHistory, &TDayList::historyDateChanged, this, &THistoryPanel::ShowDay);
}

THistoryPanel::~THistoryPanel()
{
    // The list may still change while the window's other parts go.
    disconnect(&FHistory, nullptr, this, nullptr);
}

QCalendarWidget* THistoryPanel::Calendar()
{
    // Made when first opened: a calendar is one of the dearest widgets to
    // build, and most runs never open it.
    if (FCalendar != nullptr)
        return FCalendar;
    FCalendar = new QCalendarWidget(this);
    FCalendar->setObjectName(QStringLiteral("calHistory"));
    FCalendar->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    FCalendar->setFirstDayOfWeek(Qt::Monday);
    FCalendar->setGridVisible(false);
    FCalendar->hide();
    if (FLatestDay.isValid())
        FCalendar->setMaximumDate(FLatestDay);
    if (FShownDay.isValid())
        FCalendar->setSelectedDate(FShownDay);
    // The calendar's keys and focus arrive at its inner parts.
    FCalendar->installEventFilter(this);
    for (QWidget* part : FCalendar->findChildren<QWidget*>())
        part->installEventFilter(this);
    FLists->insertWidget(0, FCalendar);
    connect(FCalendar, &QCalendarWidget::clicked, this,
        [this](QDate date) { emit dayClicked(FromQDate(date)); });
    return FCalendar;
}

void THistoryPanel::ShowDay(TDateTime day)
{
    FShownDay = ToQDate(day);
    if (FCalendar != nullptr)
        FCalendar->setSelectedDate(FShownDay);
    emit dayShown();
}

void THistoryPanel::SetLatestDay(TDateTime day)
{
    FLatestDay = ToQDate(day);
    if (FCalendar != nullptr)
        FCalendar->setMaximumDate(FLatestDay);
}

void THistoryPanel::ToggleCalendar()
{
    QCalendarWidget* calendar = Calendar();
    calendar->setVisible(!calendar->isVisible());
    calendar->setSelectedDate(ToQDate(FHistory.HistoryDate()));
    if (calendar->isVisible())
        calendar->setFocus();
}

bool THistoryPanel::CloseCalendar()
{
    if (FCalendar == nullptr || !FCalendar->isVisible())
        return false;
    FCalendar->hide();
    return true;
}

bool THistoryPanel::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr)
        return QWidget::eventFilter(watched, event);
    const QWidget* focus = QApplication::focusWidget();
    if (event->type() == QEvent::KeyRelease) {
        if (widget == focus)
            emit dayKeyUp(FromQDate(FCalendar->selectedDate()));
    } else if (event->type() == QEvent::FocusOut) {
        // Focus gone elsewhere than into the calendar closes it.
        if (focus != FCalendar && !FCalendar->isAncestorOf(focus))
            FCalendar->hide();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ryv
