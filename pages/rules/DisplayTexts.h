#pragma once

#include <cstdint>
#include <optional>
#include <string>

// How device values read in the status area. Plain C++ so that every front
// end shows a version or a battery level the same way.
namespace qx9 {

inline constexpr double SoftwareVersion = 1.0;

// A firmware word coded digit by digit: its hexadecimal digits read as a
// decimal number, over 100. 0x0105 is 1.05; reading stops at a letter digit.
struct DecodedVersion {
    int hundredths;    // the decimal number the digits read as
    std::string text;  // "%.2f" of hundredths / 100
};
DecodedVersion DecimalCodedVersion(std::uint16_t word);

std::string FormatVersion(double version);
// A level as "85%", capped at 100.
std::string BatteryPercentText(std::uint8_t level);
// On the cable the mouse charges: below 100 reads "Charging".
std::string CableBatteryText(std::uint8_t level);
std::string BatteryText(std::uint8_t level, bool onCable);

// The dongle's version as shown: read through the dongle itself, a version of
// 2.00 or more is not shown at all.
std::optional<std::string> ShownDongleVersion(std::uint16_t word, bool throughDongle);

}  // namespace qx9
