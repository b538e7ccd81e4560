#include "suggest/desktopwindowsource.h"

#include "suggest/desktopentries.h"
#include "suggest/x11windowlist.h"

#include <optional>

namespace ryv {

TDesktopWindowSource::TDesktopWindowSource(const QString& displayName, int iconSize,
    const QString& localeName, const QStringList& applicationFolders, qint64 ownPid,
    const TProcessInfo& processes)
    : FDisplayName(displayName)
    , FIconSize(iconSize)
    , FLocaleName(localeName)
    , FApplicationFolders(applicationFolders)
    , FOwnPid(ownPid)
    , FProcesses(processes)
{
}

std::vector<TOpenWindow> TDesktopWindowSource::OpenWindows()
{
    std::vector<TOpenWindow> windows;
    std::optional<TDesktopEntries> entries;
    for (TX11Window& x : TX11WindowList::Read(FDisplayName, FIconSize, FOwnPid)) {
        const QString executable = FProcesses.Executable(x.pid);
        if (executable.isEmpty())
            continue;
        if (!entries)
            entries.emplace(FApplicationFolders, FLocaleName);
        const TProcessInfo::TSandbox sandbox = FProcesses.Sandbox(x.pid, executable);
        const TDesktopEntry* entry = entries->Find(TProgramKeys {
            sandbox.flatpakId, sandbox.snapName, x.applicationId, x.wmClass, executable });
        TOpenWindow window;
        window.caption = std::move(x.caption);
        window.programPath = executable;
        window.wmClass = std::move(x.wmClass);
        window.icon = std::move(x.icon);
        window.windowId = x.id;
        window.pid = x.pid;
        if (entry) {
            window.programName = entry->name;
            window.iconName = entry->icon;
        }
        windows.push_back(std::move(window));
    }
    return windows;
}

} // namespace ryv
