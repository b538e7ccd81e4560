#include "suggest/x11windowlist.h"

#include "suggest/suggesttext.h"

#include <QByteArray>
#include <QSet>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <xcb/res.h>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <tuple>
#include <type_traits>

namespace ryv {

namespace {

// What the server's client-id query takes per window (an id and what to
// tell of it), named after the call that takes it.
template <typename R, typename... A> std::tuple<A...> ArgumentsOf(R (*)(A...));
using TClientIdRequest = std::remove_const_t<std::remove_pointer_t<
    std::tuple_element_t<2, decltype(ArgumentsOf(&xcb_res_query_client_ids))>>>;

// Bounds of property reads, in 32-bit units.
constexpr uint32_t MaxTextLongs = 1024; // 4 KiB: room for 1023 characters
constexpr uint32_t MaxShortTextLongs = 256;
constexpr uint32_t MaxAtoms = 64;
// The largest icons programs set are 256 x 256 with smaller sizes beside it.
constexpr uint32_t MaxIconLongs = 512 * 1024;
constexpr int MaxIconEdge = 1024;

struct TFree {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using TReply = std::unique_ptr<T, TFree>;

class TConnection final {
public:
    explicit TConnection(const QByteArray& name)
        : FConnection(xcb_connect(name.constData(), &FScreen))
    {
    }
    ~TConnection()
    {
        if (FEwmhReady)
            xcb_ewmh_connection_wipe(&FEwmh);
        if (FConnection)
            xcb_disconnect(FConnection);
    }
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    bool Open()
    {
        if (!FConnection || xcb_connection_has_error(FConnection))
            return false;
        xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(FConnection, &FEwmh);
        if (!cookies)
            return false;
        FEwmhReady = xcb_ewmh_init_atoms_replies(&FEwmh, cookies, nullptr) != 0;
        return FEwmhReady && FScreen >= 0 && FScreen < FEwmh.nb_screens;
    }
    xcb_connection_t* Get() const { return FConnection; }
    xcb_ewmh_connection_t& Ewmh() { return FEwmh; }
    xcb_window_t Root() const { return FEwmh.screens[FScreen]->root; }

private:
    int FScreen = 0;
    xcb_connection_t* FConnection;
    xcb_ewmh_connection_t FEwmh {};
    bool FEwmhReady = false;
};

// Decodes COMPOUND_TEXT names through Xlib, the one library that knows the
// encoding; its own display connection is opened only when such a name
// turns up.
class TCompoundTextDecoder final {
public:
    explicit TCompoundTextDecoder(const QByteArray& displayName)
        : FName(displayName)
    {
    }
    ~TCompoundTextDecoder()
    {
        if (FDisplay)
            XCloseDisplay(FDisplay);
    }
    TCompoundTextDecoder(const TCompoundTextDecoder&) = delete;
    TCompoundTextDecoder& operator=(const TCompoundTextDecoder&) = delete;

    QString Decode(xcb_atom_t encoding, const QByteArray& bytes)
    {
        if (!FTried) {
            FTried = true;
            FDisplay = XOpenDisplay(FName.constData());
        }
        if (!FDisplay || bytes.isEmpty())
            return {};
        XTextProperty prop;
        prop.value = reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.constData()));
        prop.encoding = encoding;
        prop.format = 8;
        prop.nitems = static_cast<unsigned long>(bytes.size());
        char** list = nullptr;
        int count = 0;
        QString text;
        if (Xutf8TextPropertyToTextList(FDisplay, &prop, &list, &count) >= Success && list) {
            for (int i = 0; i < count; ++i)
                text += QString::fromUtf8(list[i]);
            XFreeStringList(list);
        }
        return text;
    }

private:
    QByteArray FName;
    Display* FDisplay = nullptr;
    bool FTried = false;
};

xcb_get_property_cookie_t AskProperty(
    xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type, uint32_t longs)
{
    return xcb_get_property(c, 0, window, property, type, 0, longs);
}

TReply<xcb_get_property_reply_t> Take(xcb_connection_t* c, xcb_get_property_cookie_t cookie)
{
    return TReply<xcb_get_property_reply_t>(xcb_get_property_reply(c, cookie, nullptr));
}

// The property's value as bytes; empty when missing or of another format.
QByteArray Bytes(const xcb_get_property_reply_t* reply, int format = 8)
{
    if (!reply || reply->type == XCB_NONE || reply->format != format)
        return {};
    const int length = xcb_get_property_value_length(reply);
    if (length <= 0)
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply)), length);
}

std::vector<uint32_t> Cardinals(const xcb_get_property_reply_t* reply)
{
    if (!reply || reply->type == XCB_NONE || reply->format != 32)
        return {};
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
    const int length = xcb_get_property_value_length(reply) / 4;
    return std::vector<uint32_t>(data, data + std::max(0, length));
}

// A text property cut at its first NUL, as programs may end it with one.
QByteArray CString(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return nul >= 0 ? bytes.left(nul) : bytes;
}

struct TAtoms {
    xcb_atom_t wmState = XCB_NONE;
    xcb_atom_t compoundText = XCB_NONE;
    xcb_atom_t gtkApplicationId = XCB_NONE;
    xcb_atom_t kdeDesktopFile = XCB_NONE;
};

TAtoms InternAtoms(xcb_connection_t* c)
{
    const char* names[]
        = { "WM_STATE", "COMPOUND_TEXT", "_GTK_APPLICATION_ID", "_KDE_NET_WM_DESKTOP_FILE" };
    xcb_intern_atom_cookie_t cookies[4];
    for (int i = 0; i < 4; ++i)
        cookies[i] = xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(names[i])), names[i]);
    xcb_atom_t atoms[4] {};
    for (int i = 0; i < 4; ++i) {
        TReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : XCB_NONE;
    }
    return TAtoms { atoms[0], atoms[1], atoms[2], atoms[3] };
}

// Front to back.
std::vector<xcb_window_t> WindowOrder(TConnection& connection, const TAtoms& atoms)
{
    xcb_connection_t* c = connection.Get();
    xcb_ewmh_connection_t& ewmh = connection.Ewmh();
    const xcb_window_t root = connection.Root();
    auto stackingCookie = AskProperty(
        c, root, ewmh._NET_CLIENT_LIST_STACKING, XCB_ATOM_WINDOW, TX11WindowList::MaxWindows);
    auto clientCookie
        = AskProperty(c, root, ewmh._NET_CLIENT_LIST, XCB_ATOM_WINDOW, TX11WindowList::MaxWindows);
    auto stacking = Take(c, stackingCookie);
    auto clients = Take(c, clientCookie);
    if (stacking && stacking->type != XCB_NONE) {
        std::vector<uint32_t> order = Cardinals(stacking.get());
        std::reverse(order.begin(), order.end());
        return order;
    }
    if (clients && clients->type != XCB_NONE)
        return Cardinals(clients.get());

    // No window manager: the root's children, bottom to top, that a client
    // has marked as its top-level window.
    TReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    if (!tree || atoms.wmState == XCB_NONE)
        return {};
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count
        = std::min(xcb_query_tree_children_length(tree.get()), TX11WindowList::MaxWindows);
    std::vector<xcb_get_property_cookie_t> cookies;
    cookies.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        cookies.push_back(AskProperty(c, children[i], atoms.wmState, XCB_ATOM_ANY, 2));
    std::vector<xcb_window_t> order;
    for (int i = count - 1; i >= 0; --i) {
        auto reply = Take(c, cookies[static_cast<size_t>(i)]);
        if (reply && reply->type != XCB_NONE)
            order.push_back(children[i]);
    }
    return order;
}

} // namespace

QImage TX11WindowList::PickIcon(const quint32* data, size_t count, int iconSize)
{
    if (!data || iconSize <= 0)
        return {};
    size_t best = 0;
    uint32_t bestW = 0;
    uint32_t bestH = 0;
    int bestDistance = -1;
    for (size_t at = 0; at + 2 <= count;) {
        const uint32_t w = data[at];
        const uint32_t h = data[at + 1];
        if (w == 0 || h == 0 || w > MaxIconEdge || h > MaxIconEdge)
            break;
        const size_t pixels = size_t(w) * h;
        if (pixels > count - at - 2)
            break;
        const int edge = static_cast<int>(std::max(w, h));
        // The smallest image at least as large as wanted, scaled down;
        // without one the largest there is. An image scaled up is blurred.
        const int distance = edge >= iconSize ? edge - iconSize : MaxIconEdge + iconSize - edge;
        if (bestDistance < 0 || distance < bestDistance) {
            best = at;
            bestW = w;
            bestH = h;
            bestDistance = distance;
        }
        at += 2 + pixels;
    }
    if (bestDistance < 0)
        return {};
    QImage image(static_cast<int>(bestW), static_cast<int>(bestH), QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    for (uint32_t y = 0; y < bestH; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(static_cast<int>(y)));
        std::copy_n(data + best + 2 + size_t(y) * bestW, bestW, line);
    }
    if (image.width() != iconSize || image.height() != iconSize) {
        image = image.scaled(iconSize, iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

std::vector<TX11Window> TX11WindowList::Read(
    const QString& displayName, int iconSize, qint64 ownPid)
{
    if (displayName.isEmpty())
        return {};
    const QByteArray name = displayName.toLocal8Bit();
    TConnection connection(name);
    if (!connection.Open())
        return {};
    xcb_connection_t* c = connection.Get();
    xcb_ewmh_connection_t& ewmh = connection.Ewmh();
    const TAtoms atoms = InternAtoms(c);

    std::vector<xcb_window_t> order = WindowOrder(connection, atoms);
    if (order.size() > size_t(MaxWindows))
        order.resize(size_t(MaxWindows));
    const QSet<xcb_window_t> listed(order.begin(), order.end());

    // Every question is sent before the first answer is read, so the whole
    // list costs a few round trips instead of a dozen per window.
    struct TAsked {
        xcb_get_property_cookie_t state, type, transient, netName, name, pid, wmClass, gtkId, kdeId;
    };
    std::vector<TAsked> asked;
    asked.reserve(order.size());
    for (xcb_window_t w : order) {
        asked.push_back(TAsked {
            AskProperty(c, w, ewmh._NET_WM_STATE, XCB_ATOM_ATOM, MaxAtoms),
            AskProperty(c, w, ewmh._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM, MaxAtoms),
            AskProperty(c, w, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 1),
            AskProperty(c, w, ewmh._NET_WM_NAME, ewmh.UTF8_STRING, MaxTextLongs),
            AskProperty(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, MaxTextLongs),
            AskProperty(c, w, ewmh._NET_WM_PID, XCB_ATOM_CARDINAL, 1),
            AskProperty(c, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, MaxShortTextLongs),
            atoms.gtkApplicationId != XCB_NONE
                ? AskProperty(c, w, atoms.gtkApplicationId, ewmh.UTF8_STRING, MaxShortTextLongs)
                : xcb_get_property_cookie_t { 0 },
            atoms.kdeDesktopFile != XCB_NONE
                ? AskProperty(c, w, atoms.kdeDesktopFile, XCB_ATOM_ANY, MaxShortTextLongs)
                : xcb_get_property_cookie_t { 0 },
        });
    }

    TCompoundTextDecoder compound(name);
    std::vector<TX11Window> windows;
    for (size_t i = 0; i < order.size(); ++i) {
        const TAsked& a = asked[i];
        auto state = Take(c, a.state);
        auto type = Take(c, a.type);
        auto transient = Take(c, a.transient);
        auto netName = Take(c, a.netName);
        auto wmName = Take(c, a.name);
        auto pid = Take(c, a.pid);
        auto wmClass = Take(c, a.wmClass);
        auto gtkId = a.gtkId.sequence ? Take(c, a.gtkId) : nullptr;
        auto kdeId = a.kdeId.sequence ? Take(c, a.kdeId) : nullptr;

        const std::vector<uint32_t> states = Cardinals(state.get());
        if (std::find(states.begin(), states.end(), ewmh._NET_WM_STATE_SKIP_TASKBAR)
            != states.end())
            continue;
        // The first type this program knows decides; vendor types before it
        // are hints for their own desktops.
        bool typeOk = true;
        for (uint32_t t : Cardinals(type.get())) {
            if (t == ewmh._NET_WM_WINDOW_TYPE_NORMAL || t == ewmh._NET_WM_WINDOW_TYPE_DIALOG)
                break;
            if (t == ewmh._NET_WM_WINDOW_TYPE_DESKTOP || t == ewmh._NET_WM_WINDOW_TYPE_DOCK
                || t == ewmh._NET_WM_WINDOW_TYPE_TOOLBAR || t == ewmh._NET_WM_WINDOW_TYPE_MENU
                || t == ewmh._NET_WM_WINDOW_TYPE_UTILITY || t == ewmh._NET_WM_WINDOW_TYPE_SPLASH
                || t == ewmh._NET_WM_WINDOW_TYPE_DROPDOWN_MENU
                || t == ewmh._NET_WM_WINDOW_TYPE_POPUP_MENU || t == ewmh._NET_WM_WINDOW_TYPE_TOOLTIP
                || t == ewmh._NET_WM_WINDOW_TYPE_NOTIFICATION || t == ewmh._NET_WM_WINDOW_TYPE_COMBO
                || t == ewmh._NET_WM_WINDOW_TYPE_DND) {
                typeOk = false;
                break;
            }
        }
        if (!typeOk)
            continue;
        const std::vector<uint32_t> owner = Cardinals(transient.get());
        if (!owner.empty() && owner.front() != order[i] && listed.contains(owner.front()))
            continue;

        TX11Window window;
        window.id = order[i];
        QString caption = QString::fromUtf8(CString(Bytes(netName.get())));
        if (caption.isEmpty() && wmName && wmName->format == 8) {
            const QByteArray bytes = CString(Bytes(wmName.get()));
            if (wmName->type == XCB_ATOM_STRING)
                caption = QString::fromLatin1(bytes);
            else if (wmName->type == ewmh.UTF8_STRING)
                caption = QString::fromUtf8(bytes);
            else if (wmName->type == atoms.compoundText && atoms.compoundText != XCB_NONE)
                caption = compound.Decode(atoms.compoundText, bytes);
        }
        caption = CutText(caption, MaxCaptionLength);
        if (caption.trimmed().isEmpty())
            continue;
        window.caption = caption;
        const std::vector<uint32_t> pids = Cardinals(pid.get());
        window.pid = pids.empty() ? 0 : pids.front();
        for (const QByteArray& part : Bytes(wmClass.get()).split('\0')) {
            if (window.wmClass.size() < 2 && !part.isEmpty())
                window.wmClass.append(QString::fromLatin1(part));
        }
        window.applicationId = QString::fromUtf8(CString(Bytes(gtkId.get())));
        if (window.applicationId.isEmpty())
            window.applicationId = QString::fromUtf8(CString(Bytes(kdeId.get())));
        windows.push_back(std::move(window));
    }

    // Windows that do not name their process: the server knows the process
    // of a client that connected through a local socket.
    const xcb_query_extension_reply_t* res = xcb_get_extension_data(c, &xcb_res_id);
    if (res && res->present) {
        std::vector<std::pair<size_t, xcb_res_query_client_ids_cookie_t>> pidCookies;
        for (size_t i = 0; i < windows.size(); ++i) {
            if (windows[i].pid != 0)
                continue;
            const TClientIdRequest request { windows[i].id,
                XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID };
            pidCookies.emplace_back(i, xcb_res_query_client_ids(c, 1, &request));
        }
        for (const auto& [i, cookie] : pidCookies) {
            TReply<xcb_res_query_client_ids_reply_t> reply(
                xcb_res_query_client_ids_reply(c, cookie, nullptr));
            if (!reply)
                continue;
            for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem;
                 xcb_res_client_id_value_next(&it)) {
                const auto& [client, length] = *it.data;
                if ((client.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) && length >= 4) {
                    windows[i].pid = *xcb_res_client_id_value_value(it.data);
                    break;
                }
            }
        }
    }

    std::vector<TX11Window> result;
    result.reserve(windows.size());
    for (TX11Window& window : windows) {
        if (window.pid == ownPid && ownPid != 0)
            continue;
        result.push_back(std::move(window));
    }

    std::vector<xcb_get_property_cookie_t> iconCookies;
    iconCookies.reserve(result.size());
    for (const TX11Window& window : result)
        iconCookies.push_back(
            AskProperty(c, window.id, ewmh._NET_WM_ICON, XCB_ATOM_CARDINAL, MaxIconLongs));
    for (size_t i = 0; i < result.size(); ++i) {
        auto reply = Take(c, iconCookies[i]);
        if (!reply || reply->type != XCB_ATOM_CARDINAL || reply->format != 32)
            continue;
        result[i].icon = PickIcon(static_cast<const quint32*>(xcb_get_property_value(reply.get())),
            static_cast<size_t>(xcb_get_property_value_length(reply.get()) / 4), iconSize);
    }
    return result;
}

} // namespace ryv
