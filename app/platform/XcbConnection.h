#pragma once

#include <xcb/xcb.h>

#include <QByteArray>
#include <QString>
#include <optional>

namespace qx9::xcb {

// The application's own X connection, or null when the platform is not xcb.
xcb_connection_t* Connection();
xcb_window_t RootWindow(xcb_connection_t* connection);
xcb_atom_t Atom(xcb_connection_t* connection, const char* name);
// The first keycode that produces the keysym, or 0 when none does.
xcb_keycode_t KeycodeOf(xcb_connection_t* connection, xcb_keysym_t keysym);
// A property's bytes, or nothing when the window does not carry it.
std::optional<QByteArray> Property(xcb_connection_t* connection, xcb_window_t window,
                                   xcb_atom_t property, xcb_atom_t type);

}  // namespace qx9::xcb
