#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qx9 {

struct HidIds {
    std::uint16_t vendorId;
    std::uint16_t productId;
};

// The kernel's HID_ID property, "BBBB:VVVVVVVV:PPPPPPPP" in hexadecimal.
std::optional<HidIds> ParseHidId(const char* text);

}  // namespace qx9
