#pragma once

#include <cstdint>
#include <string>

#include "LoadSequence.h"

// How qx9ctl names what the device did, for its one-line errors.
namespace qx9::cli {

// "the sensor settings write (command 0x14)".
std::string CommandDescription(std::uint8_t code);
// "the mouse did not answer the settings read (command 0x12)": who, what came
// of it (a result code of the command set) and which command.
std::string CommandFailure(std::string_view who, std::uint8_t outcome, std::uint8_t code);
// The failure of a load at the step it stopped.
std::string LoadFailure(const LoadReport& report);

}  // namespace qx9::cli
