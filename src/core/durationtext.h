#pragma once

#include "core/datetime.h"

#include <QString>

namespace ryv {

// A duration broken into whole hours (days counted in), minutes and seconds.
// Minutes and seconds are truncated, never rounded: a task of 59.9 seconds
// shows "0:00", and while it runs "0:00:59".
struct TDurationParts final {
    qint64 h = 0;
    int m = 0;
    int s = 0;
};

TDurationParts SplitDuration(TDateTime d);
// "%d:%.2d": "0:05", "8:40", "27:15".
QString DurationText(TDateTime d);
// "%d:%.2d:%.2d": "8:40:25".
QString DurationTextSec(TDateTime d);

} // namespace ryv
