#pragma once

// Window properties as the window manager and the desktop see them, read on a
// connection of the test's own to the suite's X server.

#include <QByteArray>
#include <QList>
#include <QStandardPaths>
#include <QString>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

namespace ryv::test {

// Reads window properties on a connection of the test's own, as the window
// manager and the desktop see them.
class TX11Properties final {
public:
    explicit TX11Properties(const QString& display)
        : FConnection(xcb_connect(display.toLocal8Bit().constData(), nullptr))
    {
    }
    ~TX11Properties() { xcb_disconnect(FConnection); }
    TX11Properties(const TX11Properties&) = delete;
    TX11Properties& operator=(const TX11Properties&) = delete;

    bool IsConnected() const { return !xcb_connection_has_error(FConnection); }

    // The property's bytes, whatever its type; empty when it is missing.
    QByteArray Get(xcb_window_t window, const char* name) const
    {
        const xcb_atom_t atom = Atom(name);
        if (atom == XCB_ATOM_NONE)
            return {};
        xcb_get_property_reply_t* reply = xcb_get_property_reply(FConnection,
            xcb_get_property(FConnection, 0, window, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
            nullptr);
        if (!reply)
            return {};
        const QByteArray value(static_cast<const char*>(xcb_get_property_value(reply)),
            xcb_get_property_value_length(reply));
        std::free(reply);
        return value;
    }

    // The top-level windows: those the window manager manages
    // (_NET_CLIENT_LIST), or the root's children when there is none.
    QList<xcb_window_t> ClientWindows() const
    {
        const QByteArray list = Get(Root(), "_NET_CLIENT_LIST");
        QList<xcb_window_t> windows;
        for (qsizetype i = 0; i + 4 <= list.size(); i += 4)
            windows << *reinterpret_cast<const quint32*>(list.constData() + i);
        if (!windows.isEmpty())
            return windows;
        std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
            xcb_query_tree_reply(FConnection, xcb_query_tree(FConnection, Root()), nullptr),
            &std::free);
        if (tree) {
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
                windows << children[i];
        }
        return windows;
    }

    // Whether a window manager runs (_NET_SUPPORTING_WM_CHECK on the root),
    // waiting up to timeoutMs for one that is still starting.
    // What a window manager sends when the user presses a window's close
    // button: WM_DELETE_WINDOW of the WM_PROTOCOLS.
    void SendDeleteWindow(xcb_window_t window) const
    {
        xcb_client_message_event_t message {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = Atom("WM_PROTOCOLS");
        message.data.data32[0] = Atom("WM_DELETE_WINDOW");
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(FConnection, 0, window, XCB_EVENT_MASK_NO_EVENT,
            reinterpret_cast<const char*>(&message));
        xcb_flush(FConnection);
    }

    bool WaitForWindowManager(int timeoutMs = 10000) const
    {
        return QTest::qWaitFor(
            [this] { return !Get(Root(), "_NET_SUPPORTING_WM_CHECK").isEmpty(); }, timeoutMs);
    }

private:
    xcb_window_t Root() const
    {
        return xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
    }

    xcb_atom_t Atom(const char* name) const
    {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(FConnection,
            xcb_intern_atom(FConnection, 1, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr);
        if (!reply)
            return XCB_ATOM_NONE;
        const xcb_atom_t atom = reply->atom;
        std::free(reply);
        return atom;
    }

    xcb_connection_t* FConnection;
};

} // namespace ryv::test

// For tests of what a window manager does (frames, placement): fails when the
// suite's X server runs without one, skips where none is installed.
#define RYV_REQUIRE_WINDOW_MANAGER(properties)                                                     \
    if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())                       \
        GTEST_SKIP() << "no window manager installed (openbox, scripts/install-deps.sh)";          \
    ASSERT_TRUE((properties).WaitForWindowManager()) << "no window manager on the suite's X "      \
                                                        "server"
