#pragma once

#include "reports/reportports.h"

namespace ryv {

// Runs the PDF converter through the platform's ShellOpenAndWait, which
// keeps the window's events flowing while it waits.
class TShellProgramRunner final : public IProgramRunner {
public:
    int RunAndWait(
        const QString& program, const QStringList& arguments, QString* errorText) override;
};

} // namespace ryv
