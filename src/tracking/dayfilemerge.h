#pragma once

#include "core/datetime.h"
#include "core/ryvitem.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace ryv {

class TRyvOptions;

// The entries of today's log that started on one earlier day, in log order.
struct TDayEntries final {
    int day = 0; // the day number (DayOf)
    std::vector<const TRyvItem*> entries;
};

// What became of a write of several days.
struct TDaysWritten final {
    std::vector<bool> written; // per day, in the order given
    // Files that could not be read and were renamed to keep them, each with
    // the message that says where it went (str_file_setaside).
    QStringList notices;
    // Why days were not written, each naming its file.
    QStringList failures;
};

// Writes entries of today's log to the files of earlier days without losing
// what those files already hold: entries added to a day through the history
// stay. An entry of the file is replaced by a written one of the same kind,
// the same start (to the second, as the file stores it), title and link, so
// writing the same entries twice (a crash between moving a day and saving
// today's log) gives no duplicates, while an entry of another task that starts
// at the same moment is kept. Each result is ordered by start; entries of equal
// start keep their order.
//
// A day file that exists but cannot be read (it ends inside an open quote, it
// may not be opened) is renamed to <name>.unreadable-<yyyymmdd-hhmmss>
// (stamped with now) so that nothing in it is lost, as the list store does
// with the files it could not load, and the day's entries go to a new file.
// When it cannot be renamed, that day is not written and its entries stay
// where they are.
//
// All the files are written with one sync to the disk (WriteDayFileTexts):
// moving a thousand days at start-up waits for one flush, not a thousand.
TDaysWritten WriteDaysMerged(
    const TRyvOptions& options, const std::vector<TDayEntries>& days, TDateTime now);

} // namespace ryv
