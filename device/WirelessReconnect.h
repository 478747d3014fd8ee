#pragma once

#include <cstdint>
#include <optional>

#include "CommandSet.h"
#include "DeviceLink.h"
#include "MouseRecognition.h"
#include "StatusListener.h"

namespace qx9 {

// Asks the mouse behind the dongle who it is: the link check (the alternative
// check's answer instead when the first says the mouse cannot be reached),
// then the mouse's information. The recognition that gives, or nothing when
// the mouse did not answer.
std::optional<std::uint8_t> IdentifyMouseBehindDongle(CommandSet& commands);

struct ReconnectReport {
    std::uint8_t recognition = recognition::Unknown;  // as it stands after the attempt
    bool connected = false;  // the link is at the dongle in wireless mode: load through it
};

// While nothing is connected and the link still points at the dongle: a mouse
// not identified yet is asked who it is; once it is known as ours, the link
// moves to the dongle in wireless mode. `recognition` is what the window knew
// before.
ReconnectReport ReconnectThroughDongle(DeviceLink& link, CommandSet& commands,
                                       StatusListener& listener, std::uint8_t recognition);

}  // namespace qx9
