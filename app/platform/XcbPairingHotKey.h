#pragma once

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <vector>

#include "PairingHotKey.h"

namespace qx9 {

// Alt+P grabbed on the X11 root window, so it works while another application
// has the focus.
class XcbPairingHotKey final : public PairingHotKey, public QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    ~XcbPairingHotKey() override;
    bool Register(QWidget* window) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_keycode_t keycode_ = 0;
};

}  // namespace qx9
