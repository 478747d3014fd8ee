#include "XcbConnection.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace qx9::xcb {
namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Own(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

}  // namespace

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t RootWindow(xcb_connection_t* connection) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    return xcb_setup_roots_iterator(setup).data->root;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto reply = Own(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_keycode_t KeycodeOf(xcb_connection_t* connection, xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const auto mapping = Own(xcb_get_keyboard_mapping_reply(
        connection,
        xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr));
    if (!mapping) {
        return 0;
    }
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int perCode = mapping->keysyms_per_keycode;
    for (int code = 0; code < count; ++code) {
        for (int i = 0; i < perCode; ++i) {
            if (syms[code * perCode + i] == keysym) {
                return static_cast<xcb_keycode_t>(setup->min_keycode + code);
            }
        }
    }
    return 0;
}

std::optional<QByteArray> Property(xcb_connection_t* connection, xcb_window_t window,
                                   xcb_atom_t property, xcb_atom_t type) {
    constexpr std::uint32_t MaxWords = 1 << 16;
    const auto reply = Own(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, MaxWords), nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return QByteArray(data, xcb_get_property_value_length(reply.get()));
}

}  // namespace qx9::xcb
