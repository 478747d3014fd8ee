#pragma once

#include <cstdint>

#include "Json.h"

namespace qx9::cli {

// A battery level for machines, read as the window shows it: {"charging": true}
// on the cable until the mouse is full, else the percentage, capped at 100.
Json BatteryJson(std::uint8_t level, bool onCable);

}  // namespace qx9::cli
