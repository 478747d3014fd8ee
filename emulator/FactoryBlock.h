#pragma once

#include <array>
#include <cstdint>

#include "WireTables.h"

namespace qx9::emu {

using Block = std::array<std::uint8_t, fw::BlockSize>;

// The block a new or reset mouse holds, written out as the firmware stores it.
Block FactoryBlock();

}  // namespace qx9::emu
