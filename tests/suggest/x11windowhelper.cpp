// Makes real X11 windows for the window-list tests and holds them open until
// its standard input closes. Each argument describes one window, mapped in
// the order given (so the last one ends up in front), as fields "key=value"
// separated by "|":
//   name=TEXT        _NET_WM_NAME (UTF-8)
//   wmname=TEXT      WM_NAME as STRING (the text's Latin-1 characters)
//   ctext=TEXT       WM_NAME as COMPOUND_TEXT
//   class=INST,CLASS WM_CLASS
//   pid=N|self       _NET_WM_PID (without it the server knows the process)
//   icon=16,32,...   _NET_WM_ICON with square images of these sizes; the
//                    colour of each says its size (red 16, green 32, blue else)
//   skiptaskbar=1    _NET_WM_STATE_SKIP_TASKBAR
//   type=NAME        _NET_WM_WINDOW_TYPE_<NAME> (NORMAL, DIALOG, UTILITY ...)
//   transient=I      WM_TRANSIENT_FOR the I-th window of the arguments
//   gtkid=ID         _GTK_APPLICATION_ID
//   minimized=1      iconified once mapped
//   wmstate=1        WM_STATE set by the helper itself (as a window manager
//                    would; for a display without one)
// Once the window manager lists every window it prints "ready" and the window
// ids in argument order, one line, and waits.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

xcb_connection_t* conn = nullptr;

xcb_atom_t InternAtom(const std::string& name)
{
    auto cookie = xcb_intern_atom(conn, 0, static_cast<uint16_t>(name.size()), name.c_str());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(conn, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    free(reply);
    return atom;
}

void SetProperty(xcb_window_t w, const std::string& property, xcb_atom_t type, int format,
    const void* data, size_t count)
{
    xcb_change_property(conn, XCB_PROP_MODE_REPLACE, w, InternAtom(property), type,
        static_cast<uint8_t>(format), static_cast<uint32_t>(count), data);
}

std::map<std::string, std::string> Fields(const std::string& description)
{
    std::map<std::string, std::string> fields;
    std::stringstream in(description);
    std::string field;
    while (std::getline(in, field, '|')) {
        const size_t eq = field.find('=');
        if (eq != std::string::npos)
            fields[field.substr(0, eq)] = field.substr(eq + 1);
    }
    return fields;
}

std::vector<uint32_t> ClientList(xcb_window_t root)
{
    auto cookie = xcb_get_property(
        conn, 0, root, InternAtom("_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW, 0, 65536);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(conn, cookie, nullptr);
    std::vector<uint32_t> list;
    if (reply && reply->format == 32) {
        auto* data = static_cast<uint32_t*>(xcb_get_property_value(reply));
        list.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    free(reply);
    return list;
}

bool HasWindowManager(xcb_window_t root)
{
    auto cookie = xcb_get_property(
        conn, 0, root, InternAtom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(conn, cookie, nullptr);
    const bool has = reply && reply->type != XCB_NONE;
    free(reply);
    return has;
}

bool IsHidden(xcb_window_t w)
{
    auto cookie = xcb_get_property(conn, 0, w, InternAtom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 64);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(conn, cookie, nullptr);
    bool hidden = false;
    if (reply && reply->format == 32) {
        auto* data = static_cast<uint32_t*>(xcb_get_property_value(reply));
        const xcb_atom_t atom = InternAtom("_NET_WM_STATE_HIDDEN");
        for (int i = 0; i < xcb_get_property_value_length(reply) / 4; ++i)
            hidden = hidden || data[i] == atom;
    }
    free(reply);
    return hidden;
}

// Arguments arrive as UTF-8; STRING properties are Latin-1.
std::string Latin1(const std::string& utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if ((b == 0xc2 || b == 0xc3) && i + 1 < utf8.size()) {
            out.push_back(static_cast<char>(((b & 0x1f) << 6) | (utf8[++i] & 0x3f)));
        } else {
            out.push_back(static_cast<char>(b));
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    int screenNumber = 0;
    conn = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(conn)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    Display* display = XOpenDisplay(nullptr);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&it);
    xcb_screen_t* screen = it.data;
    const uint32_t rootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(conn, screen->root, XCB_CW_EVENT_MASK, &rootEvents);

    std::vector<xcb_window_t> windows;
    std::vector<bool> minimize;
    for (int a = 1; a < argc; ++a) {
        auto f = Fields(argv[a]);
        const xcb_window_t w = xcb_generate_id(conn);
        const uint32_t values[] = { screen->white_pixel, XCB_EVENT_MASK_PROPERTY_CHANGE };
        xcb_create_window(conn, XCB_COPY_FROM_PARENT, w, screen->root, 10 * a, 10 * a, 200, 100, 0,
            XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
            XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
        const xcb_atom_t utf8 = InternAtom("UTF8_STRING");
        if (f.count("name"))
            SetProperty(w, "_NET_WM_NAME", utf8, 8, f["name"].data(), f["name"].size());
        if (f.count("wmname")) {
            const std::string latin1 = Latin1(f["wmname"]);
            SetProperty(w, "WM_NAME", XCB_ATOM_STRING, 8, latin1.data(), latin1.size());
        }
        if (f.count("ctext") && display) {
            char* list[] = { f["ctext"].data() };
            XTextProperty prop;
            if (Xutf8TextListToTextProperty(display, list, 1, XCompoundTextStyle, &prop) >= 0) {
                SetProperty(w, "WM_NAME", static_cast<xcb_atom_t>(prop.encoding), 8, prop.value,
                    prop.nitems);
                XFree(prop.value);
            }
        }
        if (f.count("class")) {
            std::string value = f["class"];
            const size_t comma = value.find(',');
            if (comma != std::string::npos)
                value[comma] = '\0';
            value.push_back('\0');
            SetProperty(w, "WM_CLASS", XCB_ATOM_STRING, 8, value.data(), value.size());
        }
        if (f.count("pid")) {
            const uint32_t pid = f["pid"] == "self" ? static_cast<uint32_t>(getpid())
                                                    : static_cast<uint32_t>(std::stoul(f["pid"]));
            SetProperty(w, "_NET_WM_PID", XCB_ATOM_CARDINAL, 32, &pid, 1);
        }
        if (f.count("icon")) {
            std::vector<uint32_t> data;
            std::stringstream sizes(f["icon"]);
            std::string size;
            while (std::getline(sizes, size, ',')) {
                const uint32_t edge = static_cast<uint32_t>(std::stoul(size));
                const uint32_t colour
                    = edge == 16 ? 0xffff0000u : (edge == 32 ? 0xff00ff00u : 0xff0000ffu);
                data.push_back(edge);
                data.push_back(edge);
                data.insert(data.end(), size_t(edge) * edge, colour);
            }
            SetProperty(w, "_NET_WM_ICON", XCB_ATOM_CARDINAL, 32, data.data(), data.size());
        }
        if (f["skiptaskbar"] == "1") {
            const xcb_atom_t state = InternAtom("_NET_WM_STATE_SKIP_TASKBAR");
            SetProperty(w, "_NET_WM_STATE", XCB_ATOM_ATOM, 32, &state, 1);
        }
        if (f.count("type")) {
            const xcb_atom_t type = InternAtom("_NET_WM_WINDOW_TYPE_" + f["type"]);
            SetProperty(w, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM, 32, &type, 1);
        }
        if (f.count("transient")) {
            const xcb_window_t owner = windows.at(std::stoul(f["transient"]));
            SetProperty(w, "WM_TRANSIENT_FOR", XCB_ATOM_WINDOW, 32, &owner, 1);
        }
        if (f["wmstate"] == "1") {
            const uint32_t state[] = { 1, 0 }; // NormalState, no icon window
            SetProperty(w, "WM_STATE", InternAtom("WM_STATE"), 32, state, 2);
        }
        if (f.count("gtkid"))
            SetProperty(w, "_GTK_APPLICATION_ID", utf8, 8, f["gtkid"].data(), f["gtkid"].size());
        xcb_map_window(conn, w);
        xcb_flush(conn);
        windows.push_back(w);
        minimize.push_back(f["minimized"] == "1");
    }

    // Waits until the window manager lists every window (and has minimized
    // those asked for); without a window manager there is nothing to wait for.
    const bool managed = HasWindowManager(screen->root);
    bool iconifySent = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (managed) {
        const std::vector<uint32_t> list = ClientList(screen->root);
        bool all = true;
        for (xcb_window_t w : windows)
            all = all && std::find(list.begin(), list.end(), w) != list.end();
        if (all && !iconifySent) {
            iconifySent = true;
            for (size_t i = 0; i < windows.size(); ++i) {
                if (!minimize[i])
                    continue;
                xcb_client_message_event_t event {};
                event.response_type = XCB_CLIENT_MESSAGE;
                event.format = 32;
                event.window = windows[i];
                event.type = InternAtom("WM_CHANGE_STATE");
                event.data.data32[0] = 3; // IconicState
                xcb_send_event(conn, 0, screen->root,
                    XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                    reinterpret_cast<const char*>(&event));
            }
            xcb_flush(conn);
        }
        bool hidden = true;
        for (size_t i = 0; all && i < windows.size(); ++i)
            hidden = hidden && (!minimize[i] || IsHidden(windows[i]));
        if (all && hidden)
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            std::fprintf(stderr, "window manager did not list the windows\n");
            return 2;
        }
        pollfd fd { xcb_get_file_descriptor(conn), POLLIN, 0 };
        poll(&fd, 1, 100);
        while (xcb_generic_event_t* event = xcb_poll_for_event(conn))
            free(event);
    }

    std::printf("ready");
    for (xcb_window_t w : windows)
        std::printf(" %u", w);
    std::printf("\n");
    std::fflush(stdout);

    char buffer[256];
    while (read(0, buffer, sizeof buffer) > 0) { }
    if (display)
        XCloseDisplay(display);
    xcb_disconnect(conn);
    return 0;
}
