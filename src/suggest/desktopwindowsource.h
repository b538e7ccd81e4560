#pragma once

#include "suggest/processinfo.h"
#include "suggest/suggestsources.h"

#include <QString>
#include <QStringList>

namespace ryv {

// The open windows of the X11 desktop with their programs' names and icons
// from the desktop entries. The entries are read anew for each gathering, so
// a program installed meanwhile is named at once. Without an X display (a
// pure Wayland session) there are no windows.
class TDesktopWindowSource final : public IWindowSource {
public:
    // displayName: the X11 display (":0"), empty for none; iconSize: the
    // small icon's edge in pixels; localeName: the user's locale for the
    // names ("de_DE"); applicationFolders: where desktop entries live
    // (TDesktopEntries::ApplicationFolders()).
    TDesktopWindowSource(const QString& displayName, int iconSize, const QString& localeName,
        const QStringList& applicationFolders, qint64 ownPid,
        const TProcessInfo& processes = TProcessInfo());

    // Windows whose process cannot be found, or whose program cannot be
    // read, are left out.
    std::vector<TOpenWindow> OpenWindows() override;

private:
    QString FDisplayName;
    int FIconSize;
    QString FLocaleName;
    QStringList FApplicationFolders;
    qint64 FOwnPid;
    TProcessInfo FProcesses;
};

} // namespace ryv
