#include "Trace.h"

#include <cstdio>

namespace qx9::emu {

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    char digits[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof digits, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += digits;
    }
    return text;
}

std::string TraceLine(const TraceEntry& entry) {
    char head[64];
    std::snprintf(head, sizeof head, "%8lld ms  %s  %-6s  ",
                  static_cast<long long>(entry.time.count()),
                  entry.direction == Direction::Send ? "OUT" : "IN ", entry.endpoint.c_str());
    return head + std::string(entry.ok ? "" : "FAILED  ") + HexBytes(entry.bytes);
}

}  // namespace qx9::emu
