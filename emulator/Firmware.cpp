#include "Firmware.h"

#include <algorithm>
#include <cstdio>

namespace qx9::emu {
namespace {

std::string Hex(std::uint8_t value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

// The byte the firmware expects at this offset of a request of this shape.
std::uint8_t ExpectedHeaderByte(const fw::CommandShape& shape, std::size_t at, std::uint8_t chunk) {
    switch (at) {
        case fw::CodeAt:
            return shape.code;
        case fw::SubCodeAt:
            return shape.subCode;
        case fw::LengthByteAt:
            return shape.lengthByte;
        case fw::ChunkAt:
            return chunk;
        default:
            return 0;
    }
}

}  // namespace

Outcome Violation(std::string why) {
    return {{}, {}, std::move(why)};
}

Outcome Answer(const fw::CommandShape& shape, bool viaDongle, std::uint8_t status,
               std::span<const std::uint8_t> data) {
    const std::size_t size = shape.configReply ? fw::ConfigReportSize : fw::CommandReportSize;
    std::vector<std::uint8_t> reply(size, 0);
    reply[0] = shape.configReply ? fw::ConfigReportId : fw::CommandReportId;
    reply[fw::StatusAt] = status;
    std::copy_n(data.begin(), std::min(data.size(), size - fw::DataAt), reply.begin() + fw::DataAt);
    return {std::move(reply), fw::ProcessingTime(shape, viaDongle), {}};
}

Request ReadRequest(std::span<const std::uint8_t> report) {
    if (report.size() != fw::CommandReportSize || report[0] != fw::CommandReportId) {
        return {nullptr, "a command must be the 64-byte report A1"};
    }
    const std::uint8_t code = report[fw::CodeAt];
    const fw::CommandShape* shape = fw::FindCommand(code, report[fw::SubCodeAt]);
    if (!shape) {
        return {nullptr, fw::KnownCode(code) ? "command " + Hex(code) + " with unknown sub-code " +
                                                   Hex(report[fw::SubCodeAt])
                                             : "unknown command " + Hex(code)};
    }
    const std::uint8_t chunk = shape->chunked ? report[fw::ChunkAt] : 0;
    if (shape->chunked && chunk != 1 && chunk != 2) {
        return {nullptr,
                std::string(shape->name) + ": chunk number must be 1 or 2, not " + Hex(chunk)};
    }
    for (std::size_t at = fw::CodeAt; at < fw::DataAt; ++at) {
        if (const std::uint8_t expected = ExpectedHeaderByte(*shape, at, chunk);
            report[at] != expected) {
            return {nullptr, std::string(shape->name) + ": byte " + std::to_string(at) + " is " +
                                 Hex(report[at]) + ", expected " + Hex(expected)};
        }
    }
    for (std::size_t at = fw::DataAt + shape->dataBytes; at < report.size(); ++at) {
        if (report[at] != 0) {
            return {nullptr, std::string(shape->name) + ": byte " + std::to_string(at) +
                                 " past the command's data is not 0"};
        }
    }
    return {shape, {}};
}

}  // namespace qx9::emu
