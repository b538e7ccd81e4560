#include "core/clock.h"

#include <QDateTime>

namespace ryv {

TDateTime TSystemClock::Now() const
{
    return FromQDateTime(QDateTime::currentDateTime());
}

} // namespace ryv
