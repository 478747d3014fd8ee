#include "DisplayTexts.h"

#include <algorithm>
#include <cstdio>

#include "UiTexts.h"

namespace qx9 {

DecodedVersion DecimalCodedVersion(std::uint16_t word) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%x", word);
    int value = 0;
    for (const char* digit = hex; *digit >= '0' && *digit <= '9'; ++digit) {
        value = value * 10 + (*digit - '0');
    }
    const float version = static_cast<float>(value) / 100.0f;
    return {value, FormatVersion(version)};
}

std::string FormatVersion(double version) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", version);
    return text;
}

std::string BatteryPercentText(std::uint8_t level) {
    return std::to_string(std::min<int>(level, 100)) + "%";
}

std::string CableBatteryText(std::uint8_t level) {
    return level < 100 ? std::string(text::Charging) : BatteryPercentText(level);
}

std::string BatteryText(std::uint8_t level, bool onCable) {
    return onCable ? CableBatteryText(level) : BatteryPercentText(level);
}

std::optional<std::string> ShownDongleVersion(std::uint16_t word, bool throughDongle) {
    constexpr int FirstHiddenVersion = 200;
    DecodedVersion version = DecimalCodedVersion(word);
    if (throughDongle && version.hundredths >= FirstHiddenVersion) {
        return std::nullopt;
    }
    return std::move(version.text);
}

}  // namespace qx9
