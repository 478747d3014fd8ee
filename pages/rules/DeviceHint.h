#pragma once

#include "DeviceLink.h"

namespace qx9 {

// Why no device is shown: the line under the window's status area, and what
// qx9ctl says when it finds none.
enum class DeviceHint {
    None,           // a device is loaded, or one was found (the pages say the rest)
    NoDevice,       // nothing of ours is plugged in
    AccessRefused,  // ours is plugged in, but the system will not let us open it
};

// `loaded`: the window's inputs are enabled for a device. `dongleStillPresent`:
// the dongle has not been unplugged since it was found.
DeviceHint DeviceHintFor(bool loaded, const DiscoveryOutcome& lastDiscovery,
                         bool dongleStillPresent);

// The text of the line; empty for None.
const char* DeviceHintText(DeviceHint hint);

}  // namespace qx9
