#pragma once

#include <cstdint>
#include <optional>

#include "CommandSet.h"
#include "DeviceLink.h"
#include "StatusListener.h"

namespace qx9 {

// What the mouse's cable or the dongle coming and going does to the link; the
// window shows what came of it. A device announces each of its interfaces,
// the first perhaps before its command collection can be opened, so a move
// that fails leaves nothing that keeps the next announcement from trying again.

// The mouse's cable arrived while the mouse is not reached on it: the link
// moves to the cable, the mouse is left to settle, its status reports are read.
// False when the mouse could not be opened; the link then has no connection.
bool MoveToArrivedCable(DeviceLink& link, StatusListener& listener);

// The dongle arrived while nothing is connected: the link moves to it, it is
// left to settle, its status reports are read. False, and nothing changed, when
// it could not be opened.
bool MoveToArrivedDongle(DeviceLink& link, StatusListener& listener);

struct DongleBesideCable {
    bool found = false;
    std::optional<std::uint16_t> version;  // when it answered
};
// The dongle arrived beside the mouse on its cable: its firmware version is
// read. The link ends pointing at the mouse again, still on the cable.
DongleBesideCable ReadArrivedDongle(DeviceLink& link, CommandSet& commands);

// The mouse's cable was pulled out: the link moves to the dongle when it is
// there, and its status reports are read. False when it is not; the link then
// has no connection.
bool MoveToDongleAfterCable(DeviceLink& link, StatusListener& listener);

}  // namespace qx9
