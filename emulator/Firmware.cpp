#include "Firmware.h"

#include <algorithm>

#include "DeviceContract.h"

namespace qx9::emu {

std::vector<std::uint8_t> MakeReply(std::uint8_t reportId, std::size_t size, std::uint8_t status,
                                    std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> reply(size, 0);
    reply[0] = reportId;
    reply[StatusByteOffset] = status;
    std::copy_n(data.begin(), std::min(data.size(), size - PayloadOffset),
                reply.begin() + PayloadOffset);
    return reply;
}

std::string CheckRequest(std::span<const std::uint8_t> report, std::uint8_t subCode,
                         std::uint8_t lengthByte, std::uint8_t chunk, std::size_t payloadSize) {
    if (report.size() != CommandReportSize || report[0] != CommandReportId) {
        return "command report must be 64 bytes with report id A1";
    }
    for (std::size_t i = SubCodeOffset; i < PayloadOffset; ++i) {
        const std::uint8_t expected = i == SubCodeOffset         ? subCode
                                      : i == PayloadLengthOffset ? lengthByte
                                      : i == ChunkNumberOffset   ? chunk
                                                                 : 0;
        if (report[i] != expected) {
            return "header byte " + std::to_string(i) + " is " + std::to_string(report[i]) +
                   ", expected " + std::to_string(expected);
        }
    }
    for (std::size_t i = PayloadOffset + payloadSize; i < CommandReportSize; ++i) {
        if (report[i] != 0) {
            return "payload byte " + std::to_string(i) + " past the command's data is not 0";
        }
    }
    return {};
}

}  // namespace qx9::emu
