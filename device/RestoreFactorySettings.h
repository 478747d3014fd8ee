#pragma once

#include <cstdint>

#include "CommandSet.h"
#include "ConfigStore.h"
#include "DeviceLink.h"

namespace qx9 {

struct FactoryResetResult {
    bool sent = false;  // false: no device was found
    // The device confirmed: both records now hold the defaults.
    bool confirmed = false;
    std::uint8_t outcome = result::NoReply;  // FactoryReset's result when sent
};

// Asks the mouse to restore its factory settings. Only a confirmed reset
// touches the records; the configuration is not read back.
FactoryResetResult RestoreFactorySettings(DeviceLink& link, CommandSet& commands,
                                          ConfigStore& store);

}  // namespace qx9
