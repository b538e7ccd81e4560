#pragma once

#include "core/datetime.h"
#include "core/ryvitem.h"

#include <QString>

#include <vector>

namespace ryv {

class TRyvOptions;

// Writes entries of today's log to the file of an earlier day without losing
// what that file already holds: entries added to the day through the history
// stay. An entry of the file is replaced by a written one of the same kind,
// the same start (to the second, as the file stores it), title and link, so
// writing the same entries twice (a crash between moving a day and saving
// today's log) gives no duplicates, while an entry of another task that starts
// at the same moment is kept. The result is ordered by start; entries of equal start keep
// their order. A file that exists but cannot be read is left alone and the
// write fails, since replacing it could lose its entries.
bool WriteDayEntriesMerged(const TRyvOptions& options, TDateTime day,
    const std::vector<const TRyvItem*>& entries, QString* errorText = nullptr);

} // namespace ryv
