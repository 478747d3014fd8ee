#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace qx9 {

// Multi-byte values on the wire and in the block are stored low byte first.
inline std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline void WriteU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace qx9
