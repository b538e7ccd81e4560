#include "cli/commandlineapp.h"
#include "ui/windowprogram.h"

int main(int argc, char* argv[])
{
    // Reports and exports from the command line; no arguments: the window.
    if (ryv::IsCommandLine(argc, argv))
        return ryv::RunCommandLine(argc, argv);
    return ryv::RunWindowProgram(argc, argv);
}
