// The program's start-up as a whole process: the window program exactly as
// the entry point runs it, ending at the first paint of its main window.
//   ryv_startup_probe [FOLDER]        runs it on the files in FOLDER
//   ryv_startup_probe --write-year FOLDER
//                                     writes a year of use into FOLDER
// Without FOLDER the program takes this user's folders. Each run takes a
// single-instance name of its own (give it an XDG_RUNTIME_DIR of its own),
// so it starts as the first instance would after a clean exit. Compare with
// ryv_bare_window.
#include "startupdata.h"
#include "ui/windowprogram.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--write-year") == 0) {
        if (argc < 3 || !ryv::bench::WriteYearOfUse(QString::fromLocal8Bit(argv[2]))) {
            std::fputs(
                "usage: ryv_startup_probe --write-year FOLDER (a folder we can write)\n", stderr);
            return 1;
        }
        return 0;
    }
    ryv::TWindowProgramHooks hooks;
    if (argc > 1)
        hooks.folderApp = QString::fromLocal8Bit(argv[1]);
    hooks.instanceName = QStringLiteral("RyvTrackerProbe%1").arg(::getpid());
    // Ends without the closing sequence: the figure is the way to the first
    // paint, and the files stay as they were for the next run.
    hooks.firstPaint = [](QWidget&) { std::_Exit(0); };
    int appArgc = 1;
    return ryv::RunWindowProgram(appArgc, argv, hooks);
}
