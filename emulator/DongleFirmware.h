#pragma once

#include <cstdint>
#include <span>

#include "Firmware.h"
#include "MouseFirmware.h"

namespace qx9::emu {

struct DongleState {
    std::uint16_t firmwareVersion = 0x0104;
    bool paired = true;
    bool pairingRequested = false;
};

// What the dongle knows of its mouse over the radio.
enum class RadioLink : std::uint8_t { Up, NotPaired, MouseSilent, OutOfRange };

// The receiver: its own link checks, information and pairing. The mouse's
// commands it passes over the radio, or answers not done when the mouse cannot
// be reached.
class DongleFirmware {
  public:
    // A request already read against the table.
    Outcome Execute(const fw::CommandShape& shape, std::span<const std::uint8_t> request,
                    RadioLink link, MouseFirmware& mouse);

    DongleState state;
};

}  // namespace qx9::emu
