#pragma once

#include <memory>

#include "PairingHotKey.h"
#include "UdevHotPlugSource.h"
#include "UpdaterWindowProbe.h"
#include "XInputRawMouseInput.h"

namespace qx9 {

// The desktop services on Linux: X11 where the session is X11, udev always.
struct LinuxPlatform {
    LinuxPlatform();

    X11WindowProbe updaterProbe;
    std::unique_ptr<PairingHotKey> hotKey;
    UdevHotPlugSource hotPlug;
    XInputRawMouseInput rawInput;
};

}  // namespace qx9
