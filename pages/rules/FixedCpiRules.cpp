#include "FixedCpiRules.h"

#include <algorithm>

namespace qx9::fixedcpi {

std::uint32_t NormalizeCpi(std::uint32_t value) {
    const std::uint32_t clamped = std::clamp(value, basic::MinCpi, basic::MaxCpi);
    return (clamped + CpiStep / 2) / CpiStep * CpiStep;
}

std::uint32_t SliderPosToCpi(int position) {
    return static_cast<std::uint32_t>(position) * CpiStep;
}

int CpiToSliderPos(std::uint32_t value) {
    return static_cast<int>(std::min(value / CpiStep, static_cast<std::uint32_t>(MaxSliderPos)));
}

std::uint32_t CommittedCpi(std::string_view text) {
    return NormalizeCpi(basic::ReadCpiText(text).value_or(basic::MinCpi));
}

}  // namespace qx9::fixedcpi
