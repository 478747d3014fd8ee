#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "DeviceContract.h"
#include "SimulationFixture.h"
#include "support/Eventually.h"

namespace qx9 {
namespace {

using namespace std::chrono_literals;
using test::Eventually;

// A run of qx9ctl on the device's real timing, slowed down by a sanitizer.
constexpr auto CtlPatience = 60s;

// qx9ctl as installed, on the simulated tree: its own hidraw discovery and
// feature exchanges, and its lock beside a running qx9-config.
class CtlInSimulationTest : public test::SimulationFixture {
  protected:
    sim::ToolRunner::Finished Ctl(std::vector<std::string> arguments) {
        return runner->RunToEnd(QX9CTL_PATH, std::move(arguments), CtlPatience);
    }
    std::string TraceText() const {
        std::ifstream file(TracePath());
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
};

TEST_F(CtlInSimulationTest, ReadsAndSetsTheMouseOnItsCable) {
    const auto status = Ctl({"status"});
    ASSERT_EQ(status.exitStatus, 0) << status.output;
    EXPECT_NE(status.output.find("Wired"), std::string::npos) << status.output;

    const auto set = Ctl({"set", "cpi2=1200"});
    ASSERT_EQ(set.exitStatus, 0) << set.output;
    const auto show = Ctl({"--json", "show"});
    ASSERT_EQ(show.exitStatus, 0) << show.output;
    EXPECT_NE(show.output.find("\"cpi2\": 1200"), std::string::npos) << show.output;
}

TEST_F(CtlInSimulationTest, SaysNoDeviceWhenBothAreUnplugged) {
    runner->PlugCable(false);
    runner->PlugDongle(false);

    const auto status = Ctl({"status"});
    EXPECT_EQ(status.exitStatus, 3) << status.output;
    EXPECT_NE(status.output.find("No QX9 found"), std::string::npos) << status.output;
    EXPECT_EQ(TraceText(), "");
}

// Both start loading at once; without the shared lock their commands would
// fall between each other's request and reply, which the emulator reports.
TEST_F(CtlInSimulationTest, KeepsItsExchangesApartFromARunningWindow) {
    ASSERT_TRUE(runner->Start());
    ASSERT_TRUE(Eventually([&] { return !TraceText().empty(); }, 30s)) << "the window sent nothing";

    const auto status = Ctl({"status"});
    EXPECT_EQ(status.exitStatus, 0) << status.output;
    EXPECT_NE(status.output.find("Wired"), std::string::npos) << status.output;
    EXPECT_TRUE(runner->Running());
}

}  // namespace
}  // namespace qx9
