#pragma once

#include <cstdint>

#include "CommandSet.h"
#include "ConfigStore.h"
#include "DeviceLink.h"

namespace qx9 {

struct ApplyResult {
    // False: no device, or the dongle's link checks failed. Nothing was sent
    // and the APPLY button keeps its state.
    bool reached = false;
    // Every section sent was confirmed (through the dongle also when none
    // differed): BaseConfig now equals EditConfig. Otherwise BaseConfig kept
    // its values and APPLY is to be offered again.
    bool confirmed = false;
    // The advanced write was confirmed carrying an acknowledgement the page
    // had not loaded: the page's acknowledgement box has done its job.
    bool acknowledgementStored = false;
    std::uint8_t sections = 0;               // the sections that differed
    std::uint8_t outcome = result::NoReply;  // the last write's result, or the starting one
    std::uint8_t lastWritten = 0;            // the section whose write gave the outcome, if any
};

// Sends the sections in which EditConfig differs from BaseConfig, in the
// order sensor, advanced, buttons, stopping at the first the device does not
// confirm, and makes BaseConfig equal to EditConfig only when all went through.
ApplyResult ApplySettings(DeviceLink& link, CommandSet& commands, ConfigStore& store);

}  // namespace qx9
