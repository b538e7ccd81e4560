#include "platform/x11idletime.h"

#include <QtGlobal>

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace ryv {

TX11IdleTime::TX11IdleTime(const QByteArray& displayName)
{
    int screenNumber = 0;
    FConnection
        = xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber);
    if (!FConnection || xcb_connection_has_error(FConnection))
        return;
    const xcb_query_extension_reply_t* ext
        = xcb_get_extension_data(FConnection, &xcb_screensaver_id);
    if (!ext || !ext->present)
        return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(FConnection));
    for (int i = 0; it.rem > 0 && i < screenNumber; ++i)
        xcb_screen_next(&it);
    if (it.rem <= 0 || !it.data)
        return;
    FRoot = it.data->root;
    FAvailable = true;
}

TX11IdleTime::~TX11IdleTime()
{
    // xcb_connect returns a connection object even when it failed; it is
    // freed the same way.
    if (FConnection)
        xcb_disconnect(FConnection);
}

qint64 TX11IdleTime::IdleMs()
{
    if (!FAvailable)
        return -1;
    xcb_generic_error_t* error = nullptr;
    xcb_screensaver_query_info_reply_t* reply = xcb_screensaver_query_info_reply(
        FConnection, xcb_screensaver_query_info(FConnection, FRoot), &error);
    std::free(error);
    if (!reply) {
        if (xcb_connection_has_error(FConnection))
            FAvailable = false;
        return -1;
    }
    const qint64 ms = reply->ms_since_user_input;
    std::free(reply);
    return ms;
}

bool TX11IdleTime::SessionIsX11()
{
    const QByteArray type = qgetenv("XDG_SESSION_TYPE");
    if (type == "x11")
        return true;
    if (type == "wayland" || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return false;
    return qEnvironmentVariableIsSet("DISPLAY");
}

} // namespace ryv
