#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "WireTables.h"

namespace qx9::emu {

// What a firmware makes of one command: the reply the next read returns once
// the processing time has passed, or why the request is not understood.
struct Outcome {
    std::vector<std::uint8_t> reply;
    std::chrono::milliseconds processing{};
    std::string violation;  // non-empty: the host broke the contract
};

Outcome Violation(std::string why);

// The reply to a command of this shape, on its report, with a status and data,
// ready after the command's processing time.
Outcome Answer(const fw::CommandShape& shape, bool viaDongle, std::uint8_t status,
               std::span<const std::uint8_t> data = {});

// A request read against the firmware's table: its shape, or why it is not one
// the firmware accepts (then the shape is null).
struct Request {
    const fw::CommandShape* shape = nullptr;
    std::string violation;
};
Request ReadRequest(std::span<const std::uint8_t> report);

}  // namespace qx9::emu
