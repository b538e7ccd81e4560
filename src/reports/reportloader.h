#pragma once

#include "core/datetime.h"
#include "core/ryvitem.h"

#include <QString>

#include <vector>

namespace ryv {

class TClock;
class TRyvOptions;

// Reads the entries, tasks and breaks, of the days from the day of first to
// the day of last from their day files, in day order and within a day in
// file order. Today's entries come from current.lst, so they are as recent
// as its last save; entries of an earlier day that are still in current.lst
// (the window has not been started since that day) count on their day,
// ordered by start among that day's file entries. A day without a file, or whose file is empty or
// cannot be read, adds nothing, save the lines before a quoted text that runs to the end of its
// file. Only the days that have a file, or entries in current.lst, are read: the time taken
// follows the data, not the length of the range. A task stored without a stop counts until now when
// it started today, otherwise until the end of its day. Task titles are renamed by the options'
// group masks.
//
// Returns false, with the mask's error in errorText and entries holding
// what was read until then, when a group mask is invalid.
bool LoadReportEntries(const TRyvOptions& options, const TClock& clock, TDateTime first,
    TDateTime last, std::vector<TRyvItem>& entries, QString* errorText);

// The entries of one day read the same way, titles as stored: what the
// window shows for that day.
std::vector<TRyvItem> LoadDayEntries(
    const TRyvOptions& options, const TClock& clock, TDateTime day);

} // namespace ryv
