#include "DigitsText.h"

#include <limits>

namespace qx9 {

std::optional<std::uint32_t> ReadDigits(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    constexpr std::uint32_t largest = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t value = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        const auto next = static_cast<std::uint32_t>(digit - '0');
        value = value > (largest - next) / 10 ? largest : value * 10 + next;
    }
    return value;
}

}  // namespace qx9
