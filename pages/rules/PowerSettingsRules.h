#pragma once

#include <cstdint>
#include <string_view>

// What the values of the Power Settings page mean: the two idle timeouts, each
// minutes 1..120 with bit 7 set while it is off.
namespace qx9::power {

inline constexpr std::uint8_t TimeoutOff = 0x80;
inline constexpr std::uint8_t MinutesMask = 0x7F;
inline constexpr std::uint32_t MinMinutes = 1;
inline constexpr std::uint32_t MaxMinutes = 120;
inline constexpr std::uint32_t StartingPowerSavingMinutes = 1;
inline constexpr std::uint32_t StartingDeepSleepMinutes = 5;

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

// --- the minutes fields ------------------------------------------------------
// 0 becomes 1, anything above 120 becomes 120.
std::uint32_t ClampMinutes(std::uint32_t minutes);
// What a field settles to when it is committed: empty text counts as 1.
std::uint32_t CommittedMinutes(std::string_view text);

// Reading a field back before its value is used: the platform's number check.
enum class ReadBackProblem { None, NotAPositiveInteger, OutOfRange };
struct ReadBack {
    ReadBackProblem problem = ReadBackProblem::None;
    std::uint32_t minutes = 0;  // only without a problem
};
// Only the power-saving field is checked against 1..120; the deep-sleep field
// is only checked for being a number (and its value kept within 1..120).
ReadBack ReadBackMinutes(std::string_view text, bool rangeChecked);

// --- loading -------------------------------------------------------------------------
// A stored timeout as the page shows it, the minutes within 1..120.
struct Timeout {
    std::uint32_t minutes;
    bool on;
};
Timeout DecomposeTimeout(std::uint8_t stored);

// What the page shows for the stored timeouts and report rate. A report rate
// that implies power saving keeps "Enable Power Saving" checked and fixed;
// with both timeouts on after the same time, power saving is shown off.
struct PowerPageState {
    PowerTimeouts shown;
    bool powerSavingForced = false;
};
PowerPageState LoadedPowerPage(std::uint8_t powerSaving, std::uint8_t deepSleep,
                               std::uint8_t pollingRate);

}  // namespace qx9::power
