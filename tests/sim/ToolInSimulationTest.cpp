#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "DeviceContract.h"
#include "SimulationFixture.h"
#include "support/Eventually.h"

namespace qx9 {
namespace {

using namespace std::chrono_literals;
using test::Eventually;

// The tool's start-up on the device's real timing, slowed down by a sanitizer.
constexpr auto StartUpPatience = 30s;

// One line of the trace file: "    1250 ms  OUT  cable   A1 0E 00 ...".
struct Exchange {
    bool out = false;
    std::string endpoint;
    bool ok = true;
    std::vector<std::uint8_t> bytes;
};

std::vector<Exchange> ReadTrace(const std::string& path) {
    std::vector<Exchange> trace;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        std::istringstream fields(line);
        std::string time, unit, direction, word;
        Exchange exchange;
        fields >> time >> unit >> direction >> exchange.endpoint;
        exchange.out = direction == "OUT";
        while (fields >> word) {
            if (word == "FAILED") {
                exchange.ok = false;
            } else {
                exchange.bytes.push_back(static_cast<std::uint8_t>(std::stoul(word, nullptr, 16)));
            }
        }
        trace.push_back(std::move(exchange));
    }
    return trace;
}

// Each command sent to the endpoint, by its code, with the status of its last reply.
std::vector<std::pair<std::uint8_t, std::uint8_t>> Commands(const std::vector<Exchange>& trace,
                                                            const std::string& endpoint) {
    std::vector<std::pair<std::uint8_t, std::uint8_t>> commands;
    for (const Exchange& exchange : trace) {
        if (exchange.endpoint != endpoint || exchange.bytes.size() < 2) {
            continue;
        }
        if (exchange.out) {
            commands.push_back({exchange.bytes[1], 0});
        } else if (!commands.empty()) {
            commands.back().second = exchange.bytes[1];
        }
    }
    return commands;
}

// Whether every thread of the process has stopped ("T" in /proc/PID/stat).
bool Stopped(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto state = text.rfind(')');
    return state != std::string::npos && text.compare(state, 3, ") T") == 0;
}

class ToolInSimulationTest : public test::SimulationFixture {
  protected:
    std::vector<Exchange> Trace() const { return ReadTrace(TracePath()); }
    std::string StatusNode(std::uint16_t productId) const {
        return runner->Tree().NodeWith(VendorId, productId, {StatusUsagePage, StatusUsage});
    }
    bool ToolWatchesUevents() const { return !runner->Tree().UeventListeners().empty(); }
    bool UeventsAllRead() const {
        const auto listeners = runner->Tree().UeventListeners();
        return std::all_of(listeners.begin(), listeners.end(),
                           [](const sim::UeventListener& l) { return l.unreadBytes == 0; });
    }
};

TEST_F(ToolInSimulationTest, StartsOnTheCableFollowsItsUnplugAndQuitsCleanly) {
    ASSERT_TRUE(runner->Start());

    // Start-up on the cable: the mouse's information, battery and configuration,
    // then the dongle's version; every command answered as done.
    using Command = std::pair<std::uint8_t, std::uint8_t>;
    const std::vector<Command> cableLoad{{command::ReadMouseInfo, status::Done},
                                         {command::ReadBattery, status::Done},
                                         {command::ReadConfig, status::Done}};
    ASSERT_TRUE(Eventually(
        [&] {
            const auto dongle = Commands(Trace(), "dongle");
            return !dongle.empty() && dongle.back().first == command::ReadDongleInfo &&
                   dongle.back().second != 0;
        },
        StartUpPatience))
        << "the start-up did not reach the dongle's version";
    EXPECT_EQ(Commands(Trace(), "cable"), cableLoad);
    EXPECT_EQ(Commands(Trace(), "dongle").back(), Command(command::ReadDongleInfo, status::Done));
    const auto startUp = Trace();
    EXPECT_EQ(startUp.front().endpoint, "cable");
    EXPECT_TRUE(
        std::all_of(startUp.begin(), startUp.end(), [](const Exchange& e) { return e.ok; }));

    // The status listener reads the cable's node beside the link's handle.
    const std::string cableNode = StatusNode(WiredProductId);
    ASSERT_TRUE(Eventually([&] { return runner->Tree().OpenFiles(cableNode) == 2; }));
    ASSERT_TRUE(ToolWatchesUevents());

    // Unplugging the cable with the dongle present. The tool is held still
    // meanwhile, so that the removals can be seen waiting on its uevent socket;
    // let go, it reads them, its status reader lets go of the cable's node, and
    // nothing more is sent to the cable.
    ASSERT_EQ(::kill(runner->Pid(), SIGSTOP), 0);
    ASSERT_TRUE(Eventually([&] { return Stopped(runner->Pid()); }));
    runner->PlugCable(false);
    EXPECT_FALSE(UeventsAllRead()) << "the removals did not reach the tool";
    ASSERT_EQ(::kill(runner->Pid(), SIGCONT), 0);
    EXPECT_TRUE(Eventually([&] { return UeventsAllRead(); }));
    EXPECT_TRUE(Eventually([&] { return runner->Tree().OpenFiles(cableNode) < 2; }));
    EXPECT_EQ(Commands(Trace(), "cable"), cableLoad);

    const std::optional<int> status = runner->Quit(10s);
    ASSERT_TRUE(status.has_value()) << "the tool did not end by itself";
    EXPECT_EQ(*status, 0);
    for (const std::string& node : runner->Tree().Nodes()) {
        EXPECT_EQ(runner->Tree().OpenFiles(node), 0) << node;
    }
}

}  // namespace
}  // namespace qx9
