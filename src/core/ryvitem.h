#pragma once

#include "core/datetime.h"

#include <QString>

namespace ryv {

// Stored in the list files as their ordinals.
enum TRyvItemKind { ryvkTask = 0, ryvkPause = 1 };
enum TRyvItemState { ryvsNone = 0, ryvsDone = 1 };

// One entry of a time log: a stretch of work on a task, or a break. The
// favourites and the recent list use only the three texts.
class TRyvItem final {
public:
    TRyvItemKind kind = ryvkTask;
    TDateTime start = 0;
    TDateTime stop = 0; // for the running entry: the time of the last refresh
    TRyvItemState state = ryvsNone;
    QString title;
    QString url;
    QString descr;

    void Clear();
    // Copies all seven fields; a null source clears.
    void Assign(const TRyvItem* source);

    // Only tasks count in totals; a break's duration never does.
    TDateTime Duration() const { return stop - start; }
    bool IsTask() const { return kind == ryvkTask; }
    bool IsPause() const { return kind == ryvkPause; }
};

} // namespace ryv
