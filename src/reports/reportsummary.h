#pragma once

#include "core/ryvitem.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace ryv {

// Turns the task entries of a period (breaks already removed) into one entry
// per task, or per group with byGroups, and per day with daily. Afterwards an
// entry's stop - start is the summed time; start is the midnight of its day
// with daily, otherwise 0.
//
// Two entries are the same task when their titles are equal ignoring case, or
// when the earlier one has a link and the later one has the same link
// ignoring case; with daily they must also start on the same day. A later
// entry is folded into the earliest entry that is the same task and has not
// itself been folded, which keeps the title, link and description of that
// earliest entry.
//
// With byGroups every title becomes the name of the first group whose name
// and " - " start it (the loader renamed matching titles so), or othersText,
// and links are cleared.
//
// Order: by total, the largest first; with daily the days keep their order
// and only entries of the same day are ordered. Equal totals are left in the
// order a plain exchange sort leaves them, which users know from earlier
// reports, so the sort below is that exchange sort and nothing else.
void SummarizeReport(std::vector<TRyvItem>& entries, bool daily, bool byGroups,
    const QStringList& groupMasks, const QString& othersText);

} // namespace ryv
