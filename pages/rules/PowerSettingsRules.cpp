#include "PowerSettingsRules.h"

#include <algorithm>

#include "AdvancedSettingsRules.h"
#include "DigitsText.h"

namespace qx9::power {

std::uint32_t ClampMinutes(std::uint32_t minutes) {
    return std::clamp(minutes, MinMinutes, MaxMinutes);
}

std::uint32_t CommittedMinutes(std::string_view text) {
    return ClampMinutes(ReadDigits(text).value_or(MinMinutes));
}

ReadBack ReadBackMinutes(std::string_view text, bool rangeChecked) {
    const auto value = ReadDigits(text);
    if (!value) {
        return {ReadBackProblem::NotAPositiveInteger};
    }
    if (ClampMinutes(*value) != *value) {
        if (rangeChecked) {
            return {ReadBackProblem::OutOfRange};
        }
        return {ReadBackProblem::None, ClampMinutes(*value)};
    }
    return {ReadBackProblem::None, *value};
}

Timeout DecomposeTimeout(std::uint8_t stored) {
    return {ClampMinutes(stored & MinutesMask), (stored & TimeoutOff) == 0};
}

PowerPageState LoadedPowerPage(std::uint8_t powerSaving, std::uint8_t deepSleep,
                               std::uint8_t pollingRate) {
    const Timeout saving = DecomposeTimeout(powerSaving);
    const Timeout sleep = DecomposeTimeout(deepSleep);
    PowerPageState state;
    state.powerSavingForced = advanced::IsPowerSavingRate(pollingRate);
    state.shown = {saving.minutes, saving.on || state.powerSavingForced, sleep.minutes, sleep.on};
    if (BothOnWithEqualMinutes(state.shown)) {
        state.shown.powerSavingOn = false;
    }
    return state;
}

}  // namespace qx9::power
