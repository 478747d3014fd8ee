#include "AdvancedSettingsRules.h"

#include <algorithm>
#include <limits>

namespace qx9::advanced {

std::uint8_t RateCodeAt(int entry) {
    if (entry < 0 || entry >= static_cast<int>(RateCodes.size())) {
        return DefaultRateCode;
    }
    return RateCodes[static_cast<std::size_t>(entry)];
}

std::optional<int> RateEntryOf(std::uint8_t code) {
    const auto* found = std::find(RateCodes.begin(), RateCodes.end(), code);
    if (found == RateCodes.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - RateCodes.begin());
}

int RateEntryForDeviceCode(std::uint8_t code) {
    return RateEntryOf(code).value_or(FixedRateEntry);
}

bool IsPowerSavingRate(std::uint8_t code) {
    return code == RateCodes[3] || code == RateCodes[4];
}

bool RateReportApplies(std::uint8_t code, bool wireless) {
    return RateEntryOf(code) && (wireless || code == RateCodes[FixedRateEntry]);
}

int SwitchModeEntryOf(std::uint8_t filterByte) {
    switch (filterByte) {
        case SpeedModeCode:
            return 1;
        case SafeModeCode:
            return 2;
        default:
            return SwitchModeOff;
    }
}

std::uint8_t FilterByteFor(int switchModeEntry, int filter) {
    switch (switchModeEntry) {
        case 1:
            return SpeedModeCode;
        case 2:
            return SafeModeCode;
        default:
            return static_cast<std::uint8_t>(std::clamp(filter, MinFilter, MaxFilter));
    }
}

int ShownFilter(std::uint8_t filterByte) {
    return filterByte > MaxFilter ? DefaultFilter : filterByte;
}

int IntegerValueOf(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    constexpr long long limit = std::numeric_limits<int>::max();
    long long magnitude = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = std::min(limit + 1, magnitude * 10 + (text[at] - '0'));
    }
    const long long value = negative ? -magnitude : std::min(magnitude, limit);
    return static_cast<int>(value);
}

int FilterFromText(std::string_view text) {
    return std::clamp(IntegerValueOf(text), MinFilter, MaxFilter);
}

int AngleFromText(std::string_view text) {
    return std::clamp(IntegerValueOf(text), MinAngle, MaxAngle);
}

int ShownAngle(std::int8_t stored) {
    return stored < MinAngle ? 0 : stored;
}

std::uint8_t ComposeFeatureFlags(const FeatureChecks& checks) {
    std::uint8_t flags = 0;
    flags = WithFlag(flags, SlamclickFilterFlag, checks.slamclickFilter);
    flags = WithFlag(flags, AcknowledgedFlag, checks.acknowledged);
    flags = WithFlag(flags, ForceMaxFpsFlag, checks.forceMaxFps);
    return flags;
}

}  // namespace qx9::advanced
