#pragma once

#include <cstdint>
#include <string_view>

#include "BasicSettingsRules.h"

// What the values of the Fixed-CPI dialog mean: one step of 10 over the whole
// CPI range, and a slider that covers 10..14000 only.
namespace qx9::fixedcpi {

inline constexpr std::uint32_t StartingCpi = 400;
inline constexpr std::uint32_t CpiStep = 10;
// The same slider as a level's on the Basic Settings page.
using basic::MaxSliderPos;
using basic::MinSliderPos;

// The nearest multiple of 10, clamped to 10..30000.
std::uint32_t NormalizeCpi(std::uint32_t value);
std::uint32_t SliderPosToCpi(int position);
// Values beyond the slider's reach put it at its right end.
int CpiToSliderPos(std::uint32_t value);
// What a box settles to when it is committed: empty text counts as the lowest CPI.
std::uint32_t CommittedCpi(std::string_view text);

}  // namespace qx9::fixedcpi
