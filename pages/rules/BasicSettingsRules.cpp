#include "BasicSettingsRules.h"

#include "DigitsText.h"

namespace qx9::basic {
namespace {

// Rounds half up to a multiple of the step.
std::uint32_t RoundToStep(std::uint32_t value, std::uint32_t step) {
    const std::uint32_t remainder = value % step;
    return remainder * 2 >= step ? value - remainder + step : value - remainder;
}

constexpr int FineSliderLimit = static_cast<int>(FineCpiLimit / FineCpiStep);

}  // namespace

std::uint32_t NormalizeCpi(std::uint32_t value) {
    if (value < MinCpi) {
        return MinCpi;
    }
    if (value > MaxCpi) {
        return MaxCpi;
    }
    if (value <= FineCpiLimit) {
        return RoundToStep(value, FineCpiStep);
    }
    return RoundToStep(value, CoarseCpiStep);
}

std::uint32_t SliderPosToCpi(int position) {
    if (position <= FineSliderLimit) {
        return static_cast<std::uint32_t>(position) * FineCpiStep;
    }
    return FineCpiLimit + static_cast<std::uint32_t>(position - FineSliderLimit) * CoarseCpiStep;
}

int CpiToSliderPos(std::uint32_t value) {
    if (value <= FineCpiLimit) {
        return static_cast<int>(value / FineCpiStep);
    }
    return static_cast<int>((value - FineCpiLimit) / CoarseCpiStep) + FineSliderLimit;
}

std::optional<std::uint32_t> ReadCpiText(std::string_view text) {
    return ReadDigits(text);
}

std::uint32_t CommittedCpi(std::string_view text) {
    return NormalizeCpi(ReadCpiText(text).value_or(MinCpi));
}

CpiLevel LevelFromValues(std::uint32_t x, std::uint32_t y) {
    return {static_cast<std::uint8_t>(x != y ? 1 : 0), static_cast<std::uint16_t>(x),
            static_cast<std::uint16_t>(y)};
}

std::span<const std::string_view> LodEntries(std::uint8_t glassMode) {
    if (glassMode == GlassModeOn) {
        return GlassLodEntries;
    }
    return NormalLodEntries;
}

std::uint8_t LodCodeAt(std::uint8_t glassMode, int position) {
    if (glassMode == GlassModeOn) {
        return position == 1 ? 2 : 1;
    }
    if (position < 0 || position >= static_cast<int>(NormalLodEntries.size())) {
        return DefaultLodCode;
    }
    return static_cast<std::uint8_t>(position);
}

int LodPositionOf(std::uint8_t glassMode, std::uint8_t code) {
    if (glassMode == GlassModeOn) {
        return code == 1 ? 0 : 1;
    }
    return code < NormalLodEntries.size() ? code : DefaultLodCode;
}

std::optional<LodRemap> RemapLodForGlassMode(std::uint8_t glassMode, std::uint8_t code) {
    constexpr std::uint8_t LastNormalCode = NormalLodEntries.size() - 1;
    switch (glassMode) {
        case GlassModeOn:
            if (code <= 7) {
                return LodRemap{1, 0};
            }
            if (code <= LastNormalCode) {
                return LodRemap{2, 1};
            }
            return LodRemap{code, 0};
        case 0:
            if (code == 1) {
                return LodRemap{DefaultLodCode, DefaultLodCode};
            }
            if (code == 2) {
                return LodRemap{LastNormalCode, LastNormalCode};
            }
            return LodRemap{code, DefaultLodCode};
        default:
            return std::nullopt;
    }
}

int LevelCountIndexOf(std::uint8_t count) {
    return count >= 1 && count <= 3 ? count - 1 : LevelRows - 1;
}

LevelRowsShown ShowLevels(std::uint8_t count, std::uint8_t active) {
    switch (count) {
        case 1:
            return {1, 1};
        case 2:
            return {2, active == 0 ? 1 : 2};
        case 3:
            return {3, active <= 1 ? active + 1 : 3};
        case 4:
            if (active < LevelRows) {
                return {4, active + 1};
            }
            return {4, std::nullopt};
        default:
            return {LevelRows, 2};
    }
}

int SelectorForActiveLevel(std::uint8_t level) {
    return level < LevelRows ? level + 1 : 2;
}

}  // namespace qx9::basic
