#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "HidIdText.h"
#include "Require.h"

using namespace qx9;
using fuzz::Require;

namespace {

// A field of hexadecimal digits, read digit by digit; leading zeros may make it
// as long as it likes. Nothing when it is empty, holds anything else or exceeds 16 bits.
std::optional<std::uint16_t> SixteenBitHex(std::string_view field) {
    if (field.empty()) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : field) {
        const std::string_view digits = "0123456789abcdef0123456789ABCDEF";
        const auto at = digits.find(c);
        if (at == std::string_view::npos) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(at % 16);
        if (value > 0xFFFF) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint16_t>(value);
}

}  // namespace

// The kernel writes "BBBB:VVVVVVVV:PPPPPPPP". A text is taken exactly when its
// second and third colon-separated fields are ids of 16 bits; the bus field is
// not looked at. The text ends at its first NUL, as a C string does.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string_view seen(text.c_str());

    std::optional<std::uint16_t> vendor;
    std::optional<std::uint16_t> product;
    const auto first = seen.find(':');
    if (first != std::string_view::npos) {
        const auto second = seen.find(':', first + 1);
        if (second != std::string_view::npos) {
            vendor = SixteenBitHex(seen.substr(first + 1, second - first - 1));
            product = SixteenBitHex(seen.substr(second + 1));
        }
    }

    const std::optional<HidIds> parsed = ParseHidId(text.c_str());
    Require(parsed.has_value() == (vendor && product), "a text is taken exactly when well formed");
    if (parsed) {
        Require(parsed->vendorId == *vendor && parsed->productId == *product,
                "the ids are the values of their fields");
    }
    return 0;
}
