#include "reports/shellprogramrunner.h"

#include "platform/shell.h"

namespace ryv {

int TShellProgramRunner::RunAndWait(
    const QString& program, const QStringList& arguments, QString* errorText)
{
    // A converter that hangs is given up on; the caller then falls back to
    // its own writer.
    constexpr int ConverterTimeoutMs = 120000;
    const TRunResult result = ShellOpenAndWait(program, arguments, {}, ConverterTimeoutMs);
    if (!result.Started || result.Crashed || result.TimedOut) {
        if (errorText)
            *errorText = result.Error;
        return -1;
    }
    return result.ExitCode;
}

} // namespace ryv
