#include "HidIdText.h"

#include <charconv>

namespace qx9 {
namespace {

std::optional<std::uint32_t> HexField(std::string_view field) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, 16);
    if (error != std::errc{} || end != field.data() + field.size() || field.empty()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<HidIds> ParseHidId(const char* text) {
    if (!text) {
        return std::nullopt;
    }
    const std::string_view id(text);
    const auto first = id.find(':');
    const auto second = id.find(':', first == std::string_view::npos ? first : first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos) {
        return std::nullopt;
    }
    const auto vendor = HexField(id.substr(first + 1, second - first - 1));
    const auto product = HexField(id.substr(second + 1));
    if (!vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) {
        return std::nullopt;
    }
    return HidIds{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product)};
}

}  // namespace qx9
