#pragma once

#include "HidrawBackend.h"
#include "SimulatedDeviceTree.h"
#include "support/EmulatorFixture.h"

namespace qx9::test {

// The tool's device layer on its real hidraw backend, talking through the
// simulated kernel to the emulated hardware. The emulator and the link share a
// virtual clock, so the contract's waits are checked exactly while every
// report crosses the real ioctls.
class SimulatedTreeFixture : public EmulatedHardwareFixture {
  protected:
    void Connect(emu::Endpoint endpoint) {
        if (endpoint == emu::Endpoint::Cable) {
            tree.PlugCable(true);
            ASSERT_EQ(link.DetectConnection(), LinkMode::Cable);
        } else {
            tree.PlugDongle(true);
            ASSERT_EQ(link.DetectConnection(), LinkMode::Dongle);
        }
        emulator.ClearTrace();
        tree.ClearFeatureRequests();
        RestartTimer();
    }

    // The node of the device's vendor command collection.
    std::string CommandNode(std::uint16_t productId) const {
        return tree.NodeWith(VendorId, productId, {CommandUsagePage, CommandUsage});
    }

    sim::SimulatedDeviceTree tree{emulator};
    HidrawBackend backend;
    DeviceLink link{backend, clock};
    ConfigStore store;
    CommandSet commands{link, store};
};

}  // namespace qx9::test
