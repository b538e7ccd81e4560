#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace ryv {

// One application window as the X server describes it.
struct TX11Window final {
    quint32 id = 0;
    qint64 pid = 0; // 0 when neither the window nor the server names it
    QString caption; // at most MaxCaptionLength characters
    QStringList wmClass; // instance and class name, when set
    QString applicationId; // _GTK_APPLICATION_ID or _KDE_NET_WM_DESKTOP_FILE
    QImage icon; // scaled to the small icon size; null when it has none
};

// The application windows of an X11 display, read through a connection of
// our own opened for one reading: Qt's native connection is missing under
// the offscreen platform and under Wayland. Only the X server is asked, never
// a window's program, so a hung program cannot hold the reading up. Window
// properties are hostile input: every read is bounded and checked.
class TX11WindowList final {
public:
    static constexpr int MaxCaptionLength = 1023;
    static constexpr int MaxWindows = 4096;

    // The windows that have a task-bar button, front to back: from the window
    // manager's stacking list reversed, else its client list, else (without a
    // window manager) the root's children that carry WM_STATE. A window
    // passes when it does not skip the task bar, its type is missing, normal
    // or dialog, and it is not transient for another listed window;
    // minimized windows count. Windows of process ownPid and windows with a
    // blank caption are left out. A missing or unreachable display gives
    // nothing. iconSize is the edge of the small icon in device pixels.
    static std::vector<TX11Window> Read(const QString& displayName, int iconSize, qint64 ownPid);

    // From the cardinals of _NET_WM_ICON (width, height, pixels, repeated):
    // the smallest image at least iconSize large (else the largest), scaled
    // to iconSize. iconSize is in device pixels, so the icon is sharp on a
    // scaled screen. Null for malformed data.
    static QImage PickIcon(const quint32* data, size_t count, int iconSize);
};

} // namespace ryv
