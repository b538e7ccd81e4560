#include "tracking/trackercontext.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/daylist.h"
#include "core/modalcount.h"
#include "core/ports.h"

namespace ryv {

TTrackerContext::TTrackerContext(TRyvOptions& options, TRyvItemList& favs, TRyvItemList& recent,
    TDayList& today, TDayList& history, TListStore& store, const TTrackerPorts& ports,
    QTimer& tmrCheck, TTrackerEvents events)
    : options(options)
    , favs(favs)
    , recent(recent)
    , today(today)
    , history(history)
    , store(store)
    , ports(ports)
    , tmrCheck(tmrCheck)
    , events(std::move(events))
{
}

TDateTime TTrackerContext::Now() const
{
    return ports.clock.Now();
}

int TTrackerContext::Today() const
{
    return DayOf(Now());
}

TDateTime TTrackerContext::CalendarMaxDate() const
{
    return MidnightOf(Now()) - 1.0;
}

TDayList& TTrackerContext::ListOf(TListKind list) const
{
    return list == TListKind::History ? history : today;
}

int TTrackerContext::SelectedRow(const TDayList& list)
{
    return list.Selected().isEmpty() ? -1 : list.Selected().first();
}

const TRyvItem* TTrackerContext::SelectedEntry(const TDayList& list)
{
    const int row = SelectedRow(list);
    return row >= 0 && row < list.Count() ? list.Item(row) : nullptr;
}

void TTrackerContext::SetDialogCaption(TCommand cmd, const QString& caption)
{
    switch (cmd) {
    case TCommand::acStart:
        FCapStart = caption;
        break;
    case TCommand::acAdd:
        FCapAdd = caption;
        break;
    case TCommand::acEdit:
        FCapEdit = caption;
        break;
    case TCommand::acEdit2:
        FCapEdit2 = caption;
        break;
    default:
        break;
    }
}

QString TTrackerContext::DialogCaption(TCommand cmd) const
{
    switch (cmd) {
    case TCommand::acStart:
        return FCapStart;
    case TCommand::acAdd:
        return FCapAdd;
    case TCommand::acEdit:
        return FCapEdit;
    case TCommand::acEdit2:
        return FCapEdit2;
    default:
        return {};
    }
}

bool TTrackerContext::RunDialog(TRyvItem& entry, TCommand captionOf, bool isNew, bool askDuration,
    const TRyvItem* previous, bool fromFavourite)
{
    const TModalCount::TScope modal(ports.modals);
    return ports.dialog.ExecuteTaskDialog(
        entry, DialogCaption(captionOf), isNew, askDuration, previous, fromFavourite);
}

bool TTrackerContext::Confirm(const QString& text)
{
    const TModalCount::TScope modal(ports.modals);
    return ports.messages.ConfirmYesNo(text);
}

void TTrackerContext::Warn(const QString& text)
{
    const TModalCount::TScope modal(ports.modals);
    ports.messages.Warning(text);
}

bool TTrackerContext::ModalOpen() const
{
    return ports.modals.IsOpen();
}

QString DefaultTaskTitle(int number)
{
    return AppTexts().str_tasknumb + QString::number(number);
}

TDateTime StartTimeAfter(TDateTime now, std::optional<TDateTime> previousStart)
{
    if (previousStart && MinuteOfDay(*previousStart) == MinuteOfDay(now))
        return now;
    return TruncToMinute(now);
}

} // namespace ryv
