#pragma once

#include "core/datetime.h"

namespace ryv {

// Source of "now" for the model and the engine. Nothing below the window reads
// the system clock directly, so every rule (midnight included) can be tested
// by setting the time by hand.
class TClock {
public:
    virtual ~TClock() = default;
    // The current local wall-clock time as a date-time (days since 1899-12-30).
    virtual TDateTime Now() const = 0;
};

class TSystemClock final : public TClock {
public:
    TDateTime Now() const override;
};

// A clock that stands still until told otherwise; for tests and benchmarks.
class TManualClock final : public TClock {
public:
    explicit TManualClock(TDateTime now = 0)
        : FNow(now)
    {
    }
    TDateTime Now() const override { return FNow; }
    void Set(TDateTime now) { FNow = now; }
    void AdvanceSeconds(double seconds) { FNow += seconds / 86400.0; }

private:
    TDateTime FNow;
};

} // namespace ryv
