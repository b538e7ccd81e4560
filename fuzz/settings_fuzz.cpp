// The settings reader on any bytes: the file is read as the program reads
// it, its options and window bounds are written to a new file and read back,
// and must come back the same; the file's own text, written and read again,
// must not change any more.
#include "fuzzcheck.h"

#include "core/inifile.h"
#include "core/settings.h"
#include "core/textfile.h"
#include "ui/windowgeometry.h"
#include "ui/windowsettings.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace ryv;

bool SameOptions(const TRyvOptions& a, const TRyvOptions& b)
{
    return a.TaskDlgSize == b.TaskDlgSize && a.ExcludedApps == b.ExcludedApps
        && a.ListShowStop == b.ListShowStop && a.ExportExt == b.ExportExt
        && a.ReportsTitle == b.ReportsTitle && a.SpendToClipboard == b.SpendToClipboard
        && a.GroupMasks == b.GroupMasks && a.WindowTitleType == b.WindowTitleType
        && a.AutoShowSuggest == b.AutoShowSuggest && a.LangCode == b.LangCode;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TIniFile ini;
    ini.SetText(DecodeText(bytes));

    TRyvOptions options(QStringLiteral("/nonexistent/"));
    TReportChecks checks;
    LoadSettings(ini, options, checks);
    const QRect defaults(716, 240, 488, 560);
    const TWindowPlacement placement = ReadWindowPlacement(ini, defaults);
    const QList<QRect> screens { QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1000) };
    const QRect shown = VisiblePlacement(placement.bounds, screens);
    RYV_FUZZ_CHECK(shown.width() >= 1 && shown.width() <= 3200 && shown.height() >= 1
            && shown.height() <= 1040,
        QStringLiteral("window size beyond the desktop"));

    // What the program writes back reads back the same.
    TIniFile written;
    WriteWindowPlacement(written, placement);
    SaveSettings(written, options, checks);
    TIniFile reread;
    reread.SetText(written.Text());
    TRyvOptions options2(QStringLiteral("/nonexistent/"));
    TReportChecks checks2;
    LoadSettings(reread, options2, checks2);
    RYV_FUZZ_CHECK(SameOptions(options, options2), written.Text());
    RYV_FUZZ_CHECK(checks.daily == checks2.daily && checks.groups == checks2.groups,
        QStringLiteral("report checks"));
    const TWindowPlacement placement2 = ReadWindowPlacement(reread, defaults);
    RYV_FUZZ_CHECK(placement2.bounds == placement.bounds && placement2.max == placement.max
            && placement2.pinned == placement.pinned && placement2.compact == placement.compact,
        written.Text());

    // The file's own text settles after one write.
    TIniFile once;
    once.SetText(ini.Text());
    TIniFile twice;
    twice.SetText(once.Text());
    RYV_FUZZ_CHECK(once.Text() == twice.Text(), once.Text());
    return 0;
}
