#pragma once

#include "core/inifile.h"
#include "core/ryvoptions.h"

namespace ryv {

// The two check boxes of the reports panel, kept in [misc].
struct TReportChecks {
    bool daily = true; // repDaily
    bool groups = false; // repGroups
};

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
