#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace qx9::emu {

enum class Direction : std::uint8_t { Send, Receive };

// One feature-report exchange as the wire saw it.
struct TraceEntry {
    std::chrono::milliseconds time{};
    Direction direction = Direction::Send;
    std::string endpoint;
    std::vector<std::uint8_t> bytes;
    bool ok = true;
};

std::string HexBytes(const std::vector<std::uint8_t>& bytes);
// "    1250 ms  OUT  mouse   A1 0E 00 ...", marked "FAILED" when the transfer failed.
std::string TraceLine(const TraceEntry& entry);

}  // namespace qx9::emu
