#pragma once

#include <gtest/gtest.h>

#include "CommandSet.h"
#include "ConfigStore.h"
#include "DeviceLink.h"
#include "HidrawBackend.h"
#include "Qx9Emulator.h"
#include "SimulatedDeviceTree.h"

namespace qx9::test {

// The tool's device layer on its real hidraw backend, talking through the
// simulated kernel to the emulated hardware. The emulator and the link share a
// virtual clock, so the contract's waits are checked exactly while every
// report crosses the real ioctls. Any request the emulator did not understand
// fails the test.
class SimulatedTreeFixture : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const std::string& violation : emulator.Violations()) {
            ADD_FAILURE() << "device contract violated: " << violation;
        }
    }

    Milliseconds Elapsed() const { return clock.Now() - start; }
    void RestartTimer() { start = clock.Now(); }

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

    VirtualClock clock;
    emu::Qx9Emulator emulator{clock};
    sim::SimulatedDeviceTree tree{emulator};
    HidrawBackend backend;
    DeviceLink link{backend, clock};
    ConfigStore store;
    CommandSet commands{link, store};
    Milliseconds start = clock.Now();
};

}  // namespace qx9::test
