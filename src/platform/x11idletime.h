#pragma once

#include "tracking/awayports.h"

#include <QByteArray>

#include <cstdint>

struct xcb_connection_t;

namespace ryv {

// The X server's idle time (milliseconds since the last key press or pointer
// motion) from the screen-saver extension, on an xcb connection of our own:
// the window's connection belongs to Qt and may be of another platform.
// Without an X server or without the extension it answers -1, silently; a
// connection that breaks later does the same from then on.
class TX11IdleTime final : public IIdleTime {
public:
    // displayName as in DISPLAY; empty for DISPLAY itself.
    explicit TX11IdleTime(const QByteArray& displayName = {});
    ~TX11IdleTime() override;
    TX11IdleTime(const TX11IdleTime&) = delete;
    TX11IdleTime& operator=(const TX11IdleTime&) = delete;

    bool IsAvailable() const { return FAvailable; }
    qint64 IdleMs() override;

    // True on an X11 session. Under Wayland the X server (XWayland) sees only
    // the input of X clients, so its idle time would call a user at work away.
    static bool SessionIsX11();

private:
    xcb_connection_t* FConnection = nullptr;
    std::uint32_t FRoot = 0;
    bool FAvailable = false;
};

} // namespace ryv
