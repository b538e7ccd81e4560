#pragma once

#include "reports/reportports.h"

namespace ryv {

// Runs a program with QProcess and waits in a local event loop, so the
// window repaints and stays usable meanwhile. A program that has not ended
// after the time limit is killed and counts as failed.
class TProcessRunner final : public IProgramRunner {
public:
    explicit TProcessRunner(int timeoutMs = 120000) : FTimeoutMs(timeoutMs) {}
    int RunAndWait(const QString& program, const QStringList& arguments,
                   QString* errorText) override;

private:
    int FTimeoutMs;
};

} // namespace ryv
