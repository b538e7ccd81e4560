#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace ryv {

// What a caller other than the program's entry changes in a run of the
// window program: a benchmark of the start-up quits once the window has been
// painted, in folders of its own.
struct TWindowProgramHooks final {
    // Empty: the folders resolved for this user (portable or per user).
    QString folderApp;
    // Empty: the program's own single-instance name.
    QString instanceName;
    // Called once, when the main window has been painted for the first time.
    std::function<void(QWidget& window)> firstPaint;
};

// The window program: the application object, the single-instance rule, the
// engine, the main window with its start-up, and the event loop. Returns the
// exit code. argc must outlive the call (the application object keeps it).
int RunWindowProgram(int& argc, char* argv[], const TWindowProgramHooks& hooks = {});

} // namespace ryv
