#include "XcbPairingHotKey.h"

#include <QCoreApplication>
#include <cstdlib>

#include "XcbConnection.h"

namespace qx9 {
namespace {

constexpr xcb_keysym_t KeysymP = 0x0070;
constexpr std::uint16_t AltMask = XCB_MOD_MASK_1;
// The grab must also hold with NumLock (Mod2) or CapsLock on.
constexpr std::uint16_t IgnoredMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                          XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

}  // namespace

XcbPairingHotKey::~XcbPairingHotKey() {
    if (connection_ && keycode_) {
        for (const std::uint16_t ignored : IgnoredMasks) {
            xcb_ungrab_key(connection_, keycode_, root_, AltMask | ignored);
        }
        xcb_flush(connection_);
    }
}

bool XcbPairingHotKey::Register(QWidget*) {
    connection_ = xcb::Connection();
    if (!connection_) {
        return false;
    }
    root_ = xcb::RootWindow(connection_);
    keycode_ = xcb::KeycodeOf(connection_, KeysymP);
    if (!keycode_) {
        return false;
    }
    bool grabbed = true;
    for (const std::uint16_t ignored : IgnoredMasks) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(connection_, 1, root_, AltMask | ignored, keycode_,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            grabbed = false;  // another client holds Alt+P
            std::free(error);
        }
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
    return grabbed;
}

bool XcbPairingHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS) {
        return false;
    }
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->detail == keycode_ && (press->state & AltMask) && press->event == root_) {
        emit Activated();
        return true;
    }
    return false;
}

}  // namespace qx9
