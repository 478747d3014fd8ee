#include <cstdlib>
#include <cstring>
#include <vector>

#include "UpdaterWindowProbe.h"
#include "XcbConnection.h"

namespace qx9 {
namespace {

// The window manager's client list, or the root's children when none runs.
std::vector<xcb_window_t> TopLevelWindows(xcb_connection_t* connection, xcb_window_t root) {
    std::vector<xcb_window_t> windows;
    if (const auto list = xcb::Property(connection, root, xcb::Atom(connection, "_NET_CLIENT_LIST"),
                                        XCB_ATOM_WINDOW)) {
        windows.resize(static_cast<std::size_t>(list->size()) / sizeof(xcb_window_t));
        std::memcpy(windows.data(), list->constData(), windows.size() * sizeof(xcb_window_t));
        return windows;
    }
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree);
        windows.assign(children, children + xcb_query_tree_children_length(tree));
        std::free(tree);
    }
    return windows;
}

}  // namespace

bool X11WindowProbe::WindowOpen(const QString& title) {
    xcb_connection_t* connection = xcb::Connection();
    if (!connection) {
        return false;
    }
    const QByteArray wanted = title.toUtf8();
    const xcb_atom_t netName = xcb::Atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = xcb::Atom(connection, "UTF8_STRING");
    for (const xcb_window_t window : TopLevelWindows(connection, xcb::RootWindow(connection))) {
        auto name = xcb::Property(connection, window, netName, utf8);
        if (!name) {
            name = xcb::Property(connection, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
        }
        if (name && *name == wanted) {
            return true;
        }
    }
    return false;
}

}  // namespace qx9
