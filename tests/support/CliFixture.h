#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "EmulatedQx9.h"
#include "FactoryBlock.h"
#include "Json.h"
#include "Qx9Ctl.h"
#include "support/EmulatorFixture.h"
#include "support/SentCommands.h"

namespace qx9::test {

// A factory block that holds the record's settings instead.
inline emu::Block BlockHolding(const DeviceConfig& config) {
    emu::Block block = emu::FactoryBlock();
    const ConfigImage image = PackedImage(config);
    constexpr std::size_t InterpretedBytes = 0x70;
    std::copy_n(image.begin(), InterpretedBytes, block.begin());
    return block;
}

// qx9ctl run in this process against the emulated hardware on the virtual
// clock, as `qx9ctl --emulator` finds it unless a test changes it first.
class CliFixture : public EmulatorFixture {
  protected:
    // The user's Ctrl+C, pressed once `before` has run and every status
    // report it queued has been read.
    class ScriptedInterruption final : public cli::Interruption {
      public:
        explicit ScriptedInterruption(CliFixture& fixture) : fixture_(fixture) {}
        void Arm() override { armed = true; }
        bool WaitFor(Milliseconds) override {
            if (fixture_.beforeInterrupt) {
                std::exchange(fixture_.beforeInterrupt, nullptr)(fixture_.emulator);
            }
            for (const auto endpoint : {emu::Endpoint::Cable, emu::Endpoint::Dongle}) {
                while (fixture_.emulator.QueuedStatusReports(endpoint) > 0) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
            }
            return true;
        }
        bool armed = false;

      private:
        CliFixture& fixture_;
    };

    class EmulatedDevices final : public cli::DeviceProvider {
      public:
        explicit EmulatedDevices(CliFixture& fixture) : fixture_(fixture) {}
        cli::DeviceAccess Devices(bool) override {
            ++opened;
            return {fixture_.emulator, fixture_.emulator, fixture_.clock, nullptr};
        }
        int opened = 0;

      private:
        CliFixture& fixture_;
    };

    void SetUp() override { cli::SetUpEmulatedQx9(emulator); }

    // One command line; its output and errors are in `out` and `err`.
    int Run(const std::vector<std::string>& arguments) {
        out.str({});
        err.str({});
        emulator.ClearTrace();
        RestartTimer();
        cli::Environment environment{{out, err}, in, devices, interruption};
        return cli::RunQx9Ctl(arguments, environment);
    }

    std::vector<std::string> ErrorLines() const {
        std::vector<std::string> lines;
        std::istringstream text(err.str());
        for (std::string line; std::getline(text, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    std::vector<std::string> Sent() const { return SentCommands(emulator.Trace(), start); }

    // The write commands on the wire, by name, each once.
    std::vector<std::string> Writes() const {
        std::vector<std::string> writes;
        for (const emu::TraceEntry& entry : emulator.Trace()) {
            if (entry.direction != emu::Direction::Send || entry.time < start) {
                continue;
            }
            const std::uint8_t code = entry.bytes.at(1);
            if (code == command::WriteSensorSettings || code == command::WriteAdvancedSettings ||
                code == command::WriteButtonMapping || code == command::FactoryReset) {
                std::string name = CommandName(entry.bytes);
                name = name.substr(0, name.find(' '));  // both button chunks are one write
                if (std::find(writes.begin(), writes.end(), name) == writes.end()) {
                    writes.push_back(name);
                }
            }
        }
        return writes;
    }

    // Runs with only the dongle plugged in: the mouse is reached wirelessly.
    void Wireless() { emulator.PlugCable(false); }

    std::ostringstream out;
    std::ostringstream err;
    std::istringstream in;
    EmulatedDevices devices{*this};
    ScriptedInterruption interruption{*this};
    std::function<void(emu::Qx9Emulator&)> beforeInterrupt;
};

}  // namespace qx9::test
