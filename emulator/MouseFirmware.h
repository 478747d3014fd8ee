#pragma once

#include <cstdint>
#include <span>

#include "FactoryBlock.h"
#include "Firmware.h"

namespace qx9::emu {

struct MouseState {
    Block block = FactoryBlock();
    std::uint16_t firmwareVersion = 0x0105;
    std::uint16_t productId = WiredProductId;
    std::uint8_t battery = 85;
};

// The mouse's side of the command set: information, battery, the
// configuration block and the three settings writes.
class MouseFirmware {
  public:
    Outcome Execute(std::span<const std::uint8_t> request, bool viaDongle);
    static bool Handles(std::uint8_t code);

    MouseState state;

    // The mouse's own CPI button: the next level in use, wrapping to the first.
    std::uint8_t CycleCpiLevel();
    std::uint8_t PollingRate() const;
    void SetPollingRate(std::uint8_t code);

  private:
    Outcome Info(bool viaDongle) const;
    Outcome Battery(bool viaDongle) const;
    Outcome Config(bool viaDongle) const;
    Outcome Reset(bool viaDongle);
    Outcome WriteSensor(std::span<const std::uint8_t> request, bool viaDongle);
    Outcome WriteAdvanced(std::span<const std::uint8_t> request, bool viaDongle);
    Outcome WriteButtons(std::span<const std::uint8_t> request, bool viaDongle);
};

}  // namespace qx9::emu
