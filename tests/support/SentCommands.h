#pragma once

#include <string>
#include <vector>

#include "DeviceContract.h"
#include "Trace.h"

namespace qx9::test {

// The command a request carries, by name; a button chunk with its number.
inline std::string CommandName(const std::vector<std::uint8_t>& request) {
    switch (request.at(1)) {
        case command::LinkCheck:
            return request.at(2) == command::LinkCheckSubCode ? "LinkCheck" : "LinkCheckAlt";
        case command::ReadDongleInfo:
            return "ReadDongleInfo";
        case command::ReadMouseInfo:
            return "ReadMouseInfo";
        case command::ReadBattery:
            return "ReadBattery";
        case command::ReadConfig:
            return "ReadConfig";
        case command::FactoryReset:
            return "FactoryReset";
        case command::WriteSensorSettings:
            return "WriteSensorSettings";
        case command::WriteAdvancedSettings:
            return "WriteAdvancedSettings";
        case command::WriteButtonMapping:
            return "WriteButtonMapping " + std::to_string(request.at(ChunkNumberOffset));
        case command::PairDongle:
            return "PairDongle";
        default:
            return "code " + std::to_string(request.at(1));
    }
}

// Every request on the wire from `since` on, as "<ms since `since`> <endpoint>
// <command>", a failed attempt marked: order, destination and the waits
// between them.
inline std::vector<std::string> SentCommands(const std::vector<emu::TraceEntry>& trace,
                                             Milliseconds since) {
    std::vector<std::string> sent;
    for (const emu::TraceEntry& entry : trace) {
        if (entry.direction != emu::Direction::Send || entry.time < since) {
            continue;
        }
        sent.push_back(std::to_string((entry.time - since).count()) + " " + entry.endpoint + " " +
                       CommandName(entry.bytes) + (entry.ok ? "" : " FAILED"));
    }
    return sent;
}

}  // namespace qx9::test
