#include "reports/shellprogramrunner.h"

#include "platform/shell.h"

namespace ryv {

int TShellProgramRunner::RunAndWait(
    const QString& program, const QStringList& arguments, QString* errorText)
{
    const TRunResult result = ShellOpenAndWait(program, arguments);
    if (!result.Started || result.Crashed) {
        if (errorText)
            *errorText = result.Error;
        return -1;
    }
    return result.ExitCode;
}

} // namespace ryv
