#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// What the values of the Advanced Settings page mean: report-rate codes, the
// click filters and switch modes of the buttons, the sensor angle and the
// feature flags. Plain C++ so that every front end reads a value the same way.
namespace qx9::advanced {

// --- report rate ----------------------------------------------------------------
// The codes of the "Polling Rate" entries, in the list's order.
inline constexpr std::array<std::uint8_t, 5> RateCodes{0x02, 0x04, 0x08, 0x80, 0x40};
inline constexpr std::uint8_t DefaultRateCode = RateCodes[0];
// "1000Hz (no Power Saving)": the only rate on the cable and on glass.
inline constexpr int FixedRateEntry = 2;

// The code stored for an entry; none selected (-1) or unknown stores 4000 Hz.
std::uint8_t RateCodeAt(int entry);
// The entry that shows a code; no entry for a code outside the list.
std::optional<int> RateEntryOf(std::uint8_t code);
// The entry shown for the device's own code once glass mode is left; a code
// outside the list shows 1000 Hz.
int RateEntryForDeviceCode(std::uint8_t code);
// 1000 Hz power saving and 125 Hz office mode keep power saving on.
bool IsPowerSavingRate(std::uint8_t code);
// Whether a rate the mouse reports is taken: 1000 Hz in every mode, the
// others of the list only through the dongle, a code outside the list never.
bool RateReportApplies(std::uint8_t code, bool wireless);

// --- multiclick filters and switch modes ----------------------------------------
inline constexpr int MinFilter = 0;
inline constexpr int MaxFilter = 25;
inline constexpr int DefaultFilter = 8;

// The five filter rows, top to bottom (left, right, middle, forward, back),
// and the button slot each edits; the first two also have a switch mode.
inline constexpr std::size_t FilterRows = 5;
inline constexpr std::array<std::size_t, FilterRows> FilterRowButton{0, 1, 2, 4, 3};

// "SPDT:" entries: OFF, Tarn Speed Mode, Tarn Safe Mode.
inline constexpr int SwitchModeOff = 0;
inline constexpr std::uint8_t SpeedModeCode = 0xF1;
inline constexpr std::uint8_t SafeModeCode = 0xF0;

// The switch-mode entry a stored filter byte selects (OFF for any filter value).
int SwitchModeEntryOf(std::uint8_t filterByte);
// The filter byte of a main button: its mode code, or the filter with OFF.
std::uint8_t FilterByteFor(int switchModeEntry, int filter);
// What a row shows for a stored byte: a value the row cannot show shows 8.
int ShownFilter(std::uint8_t filterByte);

// --- number fields ----------------------------------------------------------------
// The integer value of a text: optional blanks, an optional sign and the
// leading digits; text without leading digits is 0. Saturates instead of
// overflowing.
int IntegerValueOf(std::string_view text);
// A filter field's text as a filter value, at most 25 (and never below 0).
int FilterFromText(std::string_view text);

inline constexpr int MinAngle = -127;
inline constexpr int MaxAngle = 127;
// The angle field's text, limited to -127..127.
int AngleFromText(std::string_view text);
// A stored -128 is no angle the page can show.
int ShownAngle(std::int8_t stored);

// --- feature flags ----------------------------------------------------------------------
inline constexpr std::uint8_t SlamclickFilterFlag = 0x01;
inline constexpr std::uint8_t AcknowledgedFlag = 0x20;
inline constexpr std::uint8_t ForceMaxFpsFlag = 0x40;

struct FeatureChecks {
    bool slamclickFilter;
    bool acknowledged;
    bool forceMaxFps;
};
// The whole byte from the three boxes; every other bit is 0.
std::uint8_t ComposeFeatureFlags(const FeatureChecks& checks);
constexpr std::uint8_t WithFlag(std::uint8_t flags, std::uint8_t flag, bool set) {
    return set ? static_cast<std::uint8_t>(flags | flag) : static_cast<std::uint8_t>(flags & ~flag);
}

}  // namespace qx9::advanced
