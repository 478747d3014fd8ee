#pragma once

#include <string_view>

namespace qx9 {

// How the names of hot-plug notifications and raw input sources are read. A
// name carries the USB ids as four upper-case hexadecimal digits each.

// Whether the name contains the id text anywhere but at its very first
// character, compared case-sensitively.
bool NameMatches(std::string_view name, std::string_view idText);
// The vendor's id and the cable mouse's product id.
bool NamesCableMouse(std::string_view name);
// The vendor's id and the dongle's product id.
bool NamesDongle(std::string_view name);
// Raw input from a mouse behind the dongle: its source's name contains the
// dongle's product id anywhere.
bool NamesDongleMouseInput(std::string_view deviceName);

}  // namespace qx9
