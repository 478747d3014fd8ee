#pragma once

#include <cstdint>
#include <span>

#include "FactoryBlock.h"
#include "Firmware.h"

namespace qx9::emu {

struct MouseState {
    Block block = FactoryBlock();
    std::uint16_t firmwareVersion = 0x0105;
    std::uint16_t productId = fw::MouseProductId;
    std::uint8_t battery = 85;
};

// The mouse's side of the command set: information, battery, the
// configuration block and the three settings writes.
class MouseFirmware {
  public:
    // A request of one of the mouse's shapes, already read against the table.
    Outcome Execute(const fw::CommandShape& shape, std::span<const std::uint8_t> request,
                    bool viaDongle);

    MouseState state;

    // The mouse's own CPI button: the next level in use, wrapping to the first.
    std::uint8_t CycleCpiLevel();
    void SetPollingRate(std::uint8_t code);
};

}  // namespace qx9::emu
