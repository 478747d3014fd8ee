#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "DeviceConfig.h"

// What the values of the Basic Settings page mean: CPI steps and limits, the
// slider scale, the lift-off distance lists by glass mode and the level rows.
// Plain C++ so that every front end reads a value the same way.
namespace qx9::basic {

inline constexpr std::uint32_t MinCpi = 10;
inline constexpr std::uint32_t MaxCpi = 30000;
// Up to here the CPI moves in steps of 10, above it in steps of 50.
inline constexpr std::uint32_t FineCpiLimit = 10000;
inline constexpr std::uint32_t FineCpiStep = 10;
inline constexpr std::uint32_t CoarseCpiStep = 50;

inline constexpr int MinSliderPos = 1;
inline constexpr int MaxSliderPos = 1400;

// The nearest value the mouse accepts, clamped to 10..30000.
std::uint32_t NormalizeCpi(std::uint32_t value);
std::uint32_t SliderPosToCpi(int position);
int CpiToSliderPos(std::uint32_t value);

// A box's text as a number: decimal digits, saturating at the largest value.
// Empty text, or anything but digits, is no number.
std::optional<std::uint32_t> ReadCpiText(std::string_view text);
// What a box settles to when it is committed: empty text counts as the lowest CPI.
std::uint32_t CommittedCpi(std::string_view text);

// A level as stored from its X and Y values (the low 16 bits of each): X and
// Y count as separate exactly when they differ.
CpiLevel LevelFromValues(std::uint32_t x, std::uint32_t y);

// --- lift-off distance ------------------------------------------------------
inline constexpr std::array<std::string_view, 11> NormalLodEntries{
    "0.7mm", "0.8mm", "0.9mm", "1.0mm", "1.1mm", "1.2mm",
    "1.3mm", "1.4mm", "1.5mm", "1.6mm", "1.7mm"};
inline constexpr std::array<std::string_view, 2> GlassLodEntries{"1.0mm", "2.0mm"};
inline constexpr std::uint8_t GlassModeOn = 1;
inline constexpr std::uint8_t DefaultLodCode = 3;  // 1.0 mm on a normal surface

std::span<const std::string_view> LodEntries(std::uint8_t glassMode);
// The code stored for the entry at a list position (-1: none selected).
std::uint8_t LodCodeAt(std::uint8_t glassMode, int position);
// The list position that shows a stored code.
int LodPositionOf(std::uint8_t glassMode, std::uint8_t code);

// Switching the surface keeps the distance as close as the other list allows.
struct LodRemap {
    std::uint8_t code;
    int position;
};
// No value for a glass mode other than 0 or 1: the list stays as it is.
std::optional<LodRemap> RemapLodForGlassMode(std::uint8_t glassMode, std::uint8_t code);

// --- level rows ---------------------------------------------------------------
inline constexpr int LevelRows = 4;

// "1".."4" for counts 1..3 and 4 for anything else.
int LevelCountIndexOf(std::uint8_t count);

// Which level rows show and which selector is marked, for a level count and
// the active level. No selector value: the selectors are left as they are.
struct LevelRowsShown {
    int rows;
    std::optional<int> checkedSelector;  // 1..4
};
LevelRowsShown ShowLevels(std::uint8_t count, std::uint8_t active);

// The selector that marks an active level the mouse reports.
int SelectorForActiveLevel(std::uint8_t level);

// The "Disable LED on Lift-Off" box says the opposite of the stored flag.
inline constexpr std::uint8_t LedStaysLit = 1;
constexpr bool DisableLedChecked(std::uint8_t liftOffLed) {
    return liftOffLed != LedStaysLit;
}
constexpr std::uint8_t LiftOffLedFor(bool disableLedChecked) {
    return disableLedChecked ? 0 : LedStaysLit;
}

}  // namespace qx9::basic
