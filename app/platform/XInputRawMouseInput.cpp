#include "XInputRawMouseInput.h"

#include <xcb/xinput.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdlib>
#include <cstring>

#include "XcbConnection.h"

namespace qx9 {
namespace {

// "/dev/input/event5" -> "/sys/devices/.../0003:VVVV:PPPP.0001/input/input12/event5".
QString SysfsPathOf(const QByteArray& deviceNode) {
    const QString node = QFileInfo(QString::fromUtf8(deviceNode)).fileName();
    if (node.isEmpty()) {
        return {};
    }
    return QFileInfo(QStringLiteral("/sys/class/input/") + node).canonicalFilePath();
}

}  // namespace

bool XInputRawMouseInput::Start() {
    connection_ = xcb::Connection();
    if (!connection_) {
        return true;  // no X11 desktop: nothing to register, and nothing failed
    }
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection_, &xcb_input_id);
    if (!extension || !extension->present) {
        return false;
    }
    opcode_ = extension->major_opcode;
    struct {
        xcb_input_event_mask_t header;
        std::uint32_t mask;
    } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
                XCB_INPUT_XI_EVENT_MASK_RAW_MOTION | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS};
    const xcb_void_cookie_t cookie = xcb_input_xi_select_events_checked(
        connection_, xcb::RootWindow(connection_), 1, &selection.header);
    if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
        std::free(error);
        return false;
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
    return true;
}

bool XInputRawMouseInput::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_ge_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_GE_GENERIC || event->extension != opcode_) {
        return false;
    }
    if (event->event_type != XCB_INPUT_RAW_MOTION &&
        event->event_type != XCB_INPUT_RAW_BUTTON_PRESS) {
        return false;
    }
    // Raw events name the physical device as their source.
    const auto* raw = static_cast<const xcb_input_raw_button_press_event_t*>(message);
    emit MouseInput(DeviceName(raw->sourceid));
    return false;
}

QString XInputRawMouseInput::DeviceName(std::uint16_t deviceId) {
    if (const auto known = names_.constFind(deviceId); known != names_.constEnd()) {
        return *known;
    }
    const xcb_atom_t nodeAtom = xcb::Atom(connection_, "Device Node");
    QString name;
    xcb_input_xi_get_property_reply_t* reply = xcb_input_xi_get_property_reply(
        connection_,
        xcb_input_xi_get_property(connection_, deviceId, 0, nodeAtom, XCB_ATOM_ANY, 0, 1024),
        nullptr);
    if (reply) {
        const auto* items = static_cast<const char*>(xcb_input_xi_get_property_items(reply));
        const int length = static_cast<int>(reply->num_items * (reply->format / 8));
        name = SysfsPathOf(QByteArray(items, length));
        std::free(reply);
    }
    names_.insert(deviceId, name);
    return name;
}

}  // namespace qx9
