#pragma once

#include <cstdio>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "Trace.h"

namespace qx9::test {

// Wire traces written out by hand, one line per exchange, times in ms since the
// emulator started:
//   "450 OUT cable A1 14 0F 1C | 00 01 03"  the whole request: its leading
//       bytes, then after "|" the bytes from offset 16, zeros everywhere else
//   "950 IN cable A1 01"                    the reply's report id and status
// Both a recorded trace and a written one are brought to one text form, so a
// mismatch prints line by line.
class GoldenTrace {
  public:
    static std::vector<std::string> Of(const std::vector<emu::TraceEntry>& trace) {
        std::vector<std::string> lines;
        for (const emu::TraceEntry& entry : trace) {
            lines.push_back(Line(entry));
        }
        return lines;
    }

    static std::vector<std::string> Written(std::initializer_list<std::string> lines) {
        std::vector<std::string> parsed;
        for (const std::string& line : lines) {
            parsed.push_back(Line(Parse(line)));
        }
        return parsed;
    }

  private:
    static constexpr std::size_t DataAt = 16;
    static constexpr std::size_t RequestSize = 64;

    static emu::TraceEntry Parse(const std::string& line) {
        std::istringstream in(line);
        long long time = 0;
        std::string direction;
        emu::TraceEntry entry;
        in >> time >> direction >> entry.endpoint;
        entry.time = std::chrono::milliseconds{time};
        entry.direction = direction == "OUT" ? emu::Direction::Send : emu::Direction::Receive;
        entry.bytes.assign(entry.direction == emu::Direction::Send ? RequestSize : 2, 0);
        std::size_t at = 0;
        for (std::string token; in >> token;) {
            if (token == "|") {
                at = DataAt;
                continue;
            }
            if (at >= entry.bytes.size()) {
                entry.bytes.resize(at + 1);
            }
            entry.bytes[at++] = static_cast<std::uint8_t>(std::stoul(token, nullptr, 16));
        }
        return entry;
    }

    static std::string Hex(const std::vector<std::uint8_t>& bytes, std::size_t from,
                           std::size_t to) {
        // Trailing zeros are the padding every request carries.
        while (to > from && bytes[to - 1] == 0) {
            --to;
        }
        std::string text;
        char digits[4];
        for (std::size_t i = from; i < to; ++i) {
            std::snprintf(digits, sizeof digits, " %02X", bytes[i]);
            text += digits;
        }
        return text;
    }

    static std::string Line(const emu::TraceEntry& entry) {
        char head[48];
        const bool out = entry.direction == emu::Direction::Send;
        std::snprintf(head, sizeof head, "%5lld %-3s %-6s",
                      static_cast<long long>(entry.time.count()), out ? "OUT" : "IN",
                      entry.endpoint.c_str());
        std::string line = head;
        const std::vector<std::uint8_t>& bytes = entry.bytes;
        if (!out) {
            return line + Hex(bytes, 0, std::min<std::size_t>(bytes.size(), 2)) +
                   (entry.ok ? "" : " FAILED");
        }
        line += Hex(bytes, 0, std::min(bytes.size(), DataAt));
        if (const std::string data = Hex(bytes, std::min(bytes.size(), DataAt), bytes.size());
            !data.empty()) {
            line += " |" + data;
        }
        if (bytes.size() != RequestSize) {
            line += " (" + std::to_string(bytes.size()) + " bytes)";
        }
        return line + (entry.ok ? "" : " FAILED");
    }
};

}  // namespace qx9::test
