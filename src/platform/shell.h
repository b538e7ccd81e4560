#pragma once

#include "core/ports.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QProcess;

namespace ryv {

// Handing files, folders and links to the desktop, and running helper
// programs.

// What ShellOpen hands to the desktop for target: a text with a scheme
// ("https://...", "mailto:...", "file:///...") as the URL it is, "www.x.y"
// as an http link, anything else as a local path: "~" and "$VAR"/"${VAR}"
// expanded, made absolute and turned into a file URL. Empty for a blank text.
QUrl ShellTargetUrl(const QString& target);

// The file URL of path exactly as it stands (made absolute), nothing
// expanded: for paths that came from a file dialog or from the program.
// Empty for an empty path.
QUrl FileTargetUrl(const QString& path);

// "~" at the start and $VAR / ${VAR} anywhere replaced; unknown variables
// become empty, as in a shell. Only for texts the user typed as a link.
QString ExpandPath(const QString& path);

// Opens target (a link as ShellTargetUrl reads it) with the desktop's
// default handler (xdg-open underneath); true when the desktop accepted the
// request. Does not wait.
bool ShellOpen(const QString& target);

// IShell for the engine, through a replaceable opener so tests see the URL
// instead of launching a browser.
class TDesktopShell final : public IShell {
public:
    using TOpener = std::function<bool(const QUrl&)>;
    TDesktopShell();
    explicit TDesktopShell(TOpener opener);
    bool ShellOpen(const QString& target) override;
    bool OpenFile(const QString& path) override;

private:
    TOpener FOpener;
};

// Makes the program that process starts end with us, however we end (killed
// included): the kernel sends it SIGKILL when the thread that started it
// goes, so a converter never runs on as an orphan, writing files nobody
// removes. The program also gets SIGPIPE back at its default, which the
// command line ignores. Call before start(), from the thread that lives as
// long as the program runs (the main thread).
void EndWithThisProcess(QProcess& process);

struct TRunResult {
    bool Started = false; // false: the program could not be run at all
    bool Crashed = false; // ended by a signal
    bool TimedOut = false; // killed after the time limit
    int ExitCode = -1;
    QString Error; // why it failed to start or crashed
    bool Ok() const { return Started && !Crashed && !TimedOut && ExitCode == 0; }
};

// Runs program with arguments (never through a shell, so user texts in them
// are never interpreted; program and directory are taken as they stand, a
// "$" in a folder name included) in directory (empty: the current one) and waits for
// it to end. The wait runs a local event loop: the window repaints, timers
// fire and commands can run meanwhile. With timeoutMs >= 0 a program that
// has not ended by then is killed and the run counts as failed, so a hung
// helper cannot keep a command waiting forever.
TRunResult ShellOpenAndWait(const QString& program, const QStringList& arguments,
    const QString& directory = {}, int timeoutMs = -1);

} // namespace ryv
