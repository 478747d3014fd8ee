#pragma once

#include <cstdint>

// What the values of the Power Settings page mean: the two idle timeouts, each
// minutes 1..120 with bit 7 set while it is off.
namespace qx9::power {

inline constexpr std::uint8_t TimeoutOff = 0x80;
inline constexpr std::uint8_t MinutesMask = 0x7F;

// What APPLY takes from the page.
struct PowerTimeouts {
    std::uint32_t powerSavingMinutes = 1;
    bool powerSavingOn = false;
    std::uint32_t deepSleepMinutes = 5;
    bool deepSleepOn = false;
};

// The stored byte: the low byte of the minutes, bit 7 set when the timeout is off.
constexpr std::uint8_t ComposeTimeout(std::uint32_t minutes, bool on) {
    const auto low = static_cast<std::uint8_t>(minutes & 0xFF);
    return on ? low : static_cast<std::uint8_t>(low | TimeoutOff);
}

// Both timeouts on after the same idle time: power saving gives way.
constexpr bool BothOnWithEqualMinutes(const PowerTimeouts& timeouts) {
    return timeouts.powerSavingOn && timeouts.deepSleepOn &&
           timeouts.powerSavingMinutes == timeouts.deepSleepMinutes;
}

}  // namespace qx9::power
