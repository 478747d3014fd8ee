#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FeatureBackend.h"

namespace qx9::emu {

// The two USB devices the host can meet: the mouse on its cable and the dongle.
enum class Endpoint : std::uint8_t { Cable, Dongle };

std::uint16_t ProductIdOf(Endpoint endpoint);
const char* EndpointName(Endpoint endpoint);

// One HID node of a device: its instance number and top-level collections.
struct InterfaceShape {
    unsigned instance;
    std::vector<HidUsage> collections;
};

// Each device shows its mouse, keyboard and consumer collections, a vendor
// collection of the wrong usage, and the node that carries status and commands.
std::vector<InterfaceShape> InterfacesOf(bool commandHidden, bool statusHidden);
// A syspath-like name that carries "VVVV:PPPP" as device names do.
std::string InterfacePath(std::uint16_t vendorId, std::uint16_t productId, unsigned instance);

// A device of another maker that carries a collection of the command usage.
HidInterfaceInfo ForeignInterface();

}  // namespace qx9::emu
