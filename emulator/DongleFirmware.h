#pragma once

#include <cstdint>
#include <span>

#include "Firmware.h"

namespace qx9::emu {

struct DongleState {
    std::uint16_t firmwareVersion = 0x0104;
    bool paired = true;
    bool pairingRequested = false;
};

// The receiver's own commands: the two link checks, its information and
// pairing. Everything else it forwards to the mouse.
class DongleFirmware {
  public:
    static bool Handles(std::uint8_t code);
    Outcome Execute(std::span<const std::uint8_t> request);

    DongleState state;
};

}  // namespace qx9::emu
