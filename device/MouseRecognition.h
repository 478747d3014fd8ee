#pragma once

#include <cstdint>

namespace qx9::recognition {

// Whether the mouse behind the link has identified itself as ours.
inline constexpr std::uint8_t Unknown = 0x00;
inline constexpr std::uint8_t Foreign = 0xF0;
inline constexpr std::uint8_t Recognised = 0xF1;

}  // namespace qx9::recognition
