#pragma once

#include <cstdint>

#include "CommandSet.h"
#include "ConfigStore.h"
#include "DeviceLink.h"

namespace qx9 {

struct LevelSwitchResult {
    bool sent = false;                       // false: no device, or the dongle's link is down
    std::uint8_t written = result::NoReply;  // the sensor write's result when sent
};

// Makes EditConfig's active level, level count and that level's values the
// mouse's at once. Every other sensor edit is held back: EditConfig takes those
// from BaseConfig for the write, and BaseConfig takes what was sent.
void AlignForLevelSwitch(DeviceConfig& edit, DeviceConfig& base);

// The device side of picking a CPI level: find the mouse, align the two
// records and write the sensor section. When the mouse does not confirm the
// write, BaseConfig is put back so that the next APPLY sends the level again.
LevelSwitchResult SwitchActiveLevel(DeviceLink& link, CommandSet& commands, ConfigStore& store);

}  // namespace qx9
