#pragma once

#include "core/inifile.h"
#include "core/ryvoptions.h"

namespace ryv {

// The two check boxes of the reports panel, kept in [misc].
struct TReportChecks {
    bool daily = true; // repDaily
    bool groups = false; // repGroups
};

// The largest window size or coordinate a settings file may hold: the X
// Window System's limit, far beyond any real desktop. Larger values, and
// negative sizes, are read as missing.
constexpr int MaxStoredSize = 32767;

// Reads [taskDlg], [misc], [exclApps] and [groupMasks] into the options and
// the report check boxes. A missing key or one that is not a number leaves
// the current value. [window] belongs to the main window, which reads it from
// the same file.
void LoadSettings(const TIniFile& ini, TRyvOptions& options, TReportChecks& checks);

// Writes the same sections back, in the order [taskDlg], [misc], [exclApps],
// [groupMasks]. The main window writes its [window] keys before calling this,
// so that a new file begins with them.
void SaveSettings(TIniFile& ini, const TRyvOptions& options, const TReportChecks& checks);

} // namespace ryv
