#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "CommandSet.h"
#include "ConfigStore.h"
#include "DeviceLink.h"
#include "Qx9Emulator.h"

namespace qx9::test {

// The tool's device layer wired to the emulated hardware on a virtual clock.
// Any request the emulator did not understand fails the test.
class EmulatorFixture : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const std::string& violation : emulator.Violations()) {
            ADD_FAILURE() << "device contract violated: " << violation;
        }
    }

    Milliseconds Elapsed() const { return clock.Now() - start; }
    void RestartTimer() { start = clock.Now(); }

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

    VirtualClock clock;
    emu::Qx9Emulator emulator{clock};
    DeviceLink link{emulator, clock};
    ConfigStore store;
    CommandSet commands{link, store};
    Milliseconds start = clock.Now();
};

}  // namespace qx9::test
