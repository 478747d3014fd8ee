#pragma once

#include <cstdint>

#include "CommandSet.h"
#include "DeviceLink.h"

namespace qx9 {

struct PairResult {
    bool dongleFound = false;
    bool sent = false;                       // PairDongle went out: the dongle's link checks passed
    std::uint8_t outcome = result::NoReply;  // the last link check's, or PairDongle's result
};

// Puts the dongle into pairing mode. With the mouse on its cable the link is
// left on the dongle, marked so that the next write finds the mouse again;
// when there is no dongle it goes straight back to the mouse.
PairResult PairRequest(DeviceLink& link, CommandSet& commands);

}  // namespace qx9
