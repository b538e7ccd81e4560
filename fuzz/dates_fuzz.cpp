// The date readers on any text: a date-time read from a list file, or typed
// by the user, is written in the stored form and must read back the same.
#include "fuzzcheck.h"

#include "core/datetime.h"

#include <QLocale>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

using namespace ryv;

void CheckStoredForm(TDateTime t, const QString& input)
{
    RYV_FUZZ_CHECK(std::isfinite(t), input);
    // Day 0 also stands for "not set" (a time alone reads onto it): only
    // dates are held to the round trip.
    if (DayOf(t) == 0)
        return;
    const QString text = DateTimeToText(t);
    const TDateTime again = ParseStoredDateTime(text, 0);
    RYV_FUZZ_CHECK(DateTimeToText(again) == text, input + QStringLiteral(" -> ") + text);
    // The day file names its file after the date.
    RYV_FUZZ_CHECK(DateToText(again) == DateToText(t), input);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text
        = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckStoredForm(ParseStoredDateTime(text, 0), text);
    CheckStoredForm(ParseDateTimeLenient(text, 0), text);
    return 0;
}
