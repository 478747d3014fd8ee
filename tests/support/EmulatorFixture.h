#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "CommandSet.h"
#include "ConfigStore.h"
#include "DeviceLink.h"
#include "Qx9Emulator.h"

namespace qx9::test {

// The emulated hardware on a virtual clock, for the tool's device layer to be
// wired to. Any request the emulator did not understand fails the test.
class EmulatedHardwareFixture : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const std::string& violation : emulator.Violations()) {
            ADD_FAILURE() << "device contract violated: " << violation;
        }
    }

    Milliseconds Elapsed() const { return clock.Now() - start; }
    void RestartTimer() { start = clock.Now(); }

    VirtualClock clock;
    emu::Qx9Emulator emulator{clock};
    Milliseconds start = clock.Now();
};

// The tool's device layer talking to the emulator as its backend.
class EmulatorFixture : public EmulatedHardwareFixture {
  protected:
    std::vector<emu::TraceEntry> Sends() const {
        std::vector<emu::TraceEntry> sends;
        for (const emu::TraceEntry& entry : emulator.Trace()) {
            if (entry.direction == emu::Direction::Send) {
                sends.push_back(entry);
            }
        }
        return sends;
    }

    void Connect(emu::Endpoint endpoint) {
        if (endpoint == emu::Endpoint::Cable) {
            emulator.PlugCable(true);
            ASSERT_EQ(link.DetectConnection(), LinkMode::Cable);
        } else {
            emulator.PlugDongle(true);
            ASSERT_EQ(link.DetectConnection(), LinkMode::Dongle);
        }
        emulator.ClearTrace();
        RestartTimer();
    }

    DeviceLink link{emulator, clock};
    ConfigStore store;
    CommandSet commands{link, store};
};

}  // namespace qx9::test
