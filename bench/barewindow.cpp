// A bare Qt window that ends at its first paint, the yardstick of the
// program's start-up (bench/startupprobe.cpp is the program's side):
//   ryv_bare_window          an empty window
//   ryv_bare_window --text   a window with one line of text
// Prints nothing; time and memory are the whole process's.
#include "barewindow.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[])
{
    const TBareWindow kind = argc > 1 && std::strcmp(argv[1], "--text") == 0 ? TBareWindow::WithText
                                                                             : TBareWindow::Empty;
    int appArgc = 1;
    return RunBareWindow(appArgc, argv, kind, [](QWidget&) { std::_Exit(0); });
}
