#pragma once

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QHash>

#include "RawMouseInput.h"

namespace qx9 {

// XInput2 raw motion and button events from every pointer device on the X11
// desktop; each device is named by the sysfs path behind its device node.
class XInputRawMouseInput final : public RawMouseInput, public QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    bool Start() override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    QString DeviceName(std::uint16_t deviceId);

    xcb_connection_t* connection_ = nullptr;
    std::uint8_t opcode_ = 0;
    QHash<std::uint16_t, QString> names_;
};

}  // namespace qx9
