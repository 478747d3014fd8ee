#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "DeviceContract.h"

namespace qx9::emu {

// What a firmware makes of one command: the reply the next read returns once
// the processing time has passed, or why the request is not understood.
struct Outcome {
    std::vector<std::uint8_t> reply;
    std::chrono::milliseconds processing{};
    std::string violation;  // non-empty: the tool broke the contract
};

// A reply report of the given id and size carrying a status and data.
std::vector<std::uint8_t> MakeReply(std::uint8_t reportId, std::size_t size, std::uint8_t status,
                                    std::span<const std::uint8_t> data = {});

// The request layout every command shares: report id, code, then the given
// sub-code, length byte and chunk number, zeros elsewhere in the header, and
// nothing in the payload past its data. Empty when the report conforms.
std::string CheckRequest(std::span<const std::uint8_t> report, std::uint8_t subCode,
                         std::uint8_t lengthByte, std::uint8_t chunk, std::size_t payloadSize);

}  // namespace qx9::emu
