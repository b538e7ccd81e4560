#include "core/durationtext.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(DurationText, TruncatesMinutesAndSeconds_CountsWholeDays)
{
    struct Case {
        const char* name;
        TDateTime d;
        const char* text;
        const char* textSec;
    };
    const Case cases[] = {
        { "zero", 0, "0:00", "0:00:00" },
        { "59.9 seconds", 59.9 * OneSecond, "0:00", "0:00:59" },
        { "five minutes", 5 * OneMinute, "0:05", "0:05:00" },
        { "8:40:25", 8 * OneHour + 40 * OneMinute + 25 * OneSecond, "8:40", "8:40:25" },
        { "2:05:40 truncated", 2 * OneHour + 5 * OneMinute + 40 * OneSecond, "2:05", "2:05:40" },
        { "22:00 to 01:30 next day",
            EncodeDateTime(2022, 1, 8, 1, 30) - EncodeDateTime(2022, 1, 7, 22, 0), "3:30",
            "3:30:00" },
        { "25:15", 25 * OneHour + 15 * OneMinute, "25:15", "25:15:00" },
        { "exactly one day", 1.0, "24:00", "24:00:00" },
        { "a hair under two days", 2.0 - 1e-10, "48:00", "48:00:00" },
        { "half a millisecond rounds up", 0.5 / MsPerDay + 59.9995 * OneSecond, "0:01", "0:01:00" },
        { "negative within a day shows its size", -(45 * OneMinute), "0:45", "0:45:00" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DurationText(c.d), QString::fromLatin1(c.text));
        EXPECT_EQ(DurationTextSec(c.d), QString::fromLatin1(c.textSec));
    }
}

} // namespace
} // namespace ryv
