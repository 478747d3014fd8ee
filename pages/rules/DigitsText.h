#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qx9 {

// A field's text of decimal digits as a number, saturating at the largest
// value. Empty text, or anything but digits, is no number.
std::optional<std::uint32_t> ReadDigits(std::string_view text);

}  // namespace qx9
