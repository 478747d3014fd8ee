#pragma once

#include <cstdint>

#include "CommandSet.h"
#include "DeviceLink.h"

namespace qx9 {

// Where a settings write goes and the wait it takes, decided just before it is
// sent. Not ready: no device was found, or the dongle's link checks failed.
struct SettingsWritePath {
    bool ready = false;
    LinkMode mode = LinkMode::None;
    Milliseconds wait{};
    std::uint8_t linkCheck = result::NoReply;  // the preamble's result through the dongle
};

// Finds a device when there is none, points the link back at the mouse after
// pairing moved it to the dongle, and runs the dongle's link checks.
SettingsWritePath PrepareSettingsWrite(DeviceLink& link, CommandSet& commands);

// With the mouse on its cable: pairing may have left the link on the dongle;
// a fresh detection finds the mouse again.
void ReturnLinkToMouse(DeviceLink& link);

}  // namespace qx9
