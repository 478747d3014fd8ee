#include <gtest/gtest.h>

#include <functional>

#include "support/CaseName.h"
#include "support/GoldenTrace.h"
#include "support/MainWindowFixture.h"

namespace qx9 {
namespace {

using test::GoldenTrace;

// The main window's start-up load as the wire must see it: every request and
// every wait written out, from the first command to the last reply.
struct StartUpCase {
    const char* name;
    std::function<void(emu::Qx9Emulator&)> hardware;
    std::vector<std::string> trace;
};

class StartUpTraceTest : public test::MainWindowFixture,
                         public ::testing::WithParamInterface<StartUpCase> {};

TEST_P(StartUpTraceTest, MatchesTheGoldenTrace) {
    GetParam().hardware(emulator);
    ASSERT_TRUE(Start());
    EXPECT_EQ(GoldenTrace::Of(emulator.Trace()), GetParam().trace);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, StartUpTraceTest,
    ::testing::Values(
        // Mouse information, battery and configuration on the cable, then the
        // dongle's version through the dongle.
        StartUpCase{"CableWithDongle",
                    [](emu::Qx9Emulator& e) { e.PlugCable(true); e.PlugDongle(true); },
                    GoldenTrace::Written({
                        "   0 OUT cable  A1 0E",
                        " 150 IN  cable  A1 01",
                        " 150 OUT cable  A1 B4",
                        " 450 IN  cable  A1 01",
                        " 450 OUT cable  A1 12",
                        " 560 IN  cable  A0 01",
                        " 560 OUT dongle A1 0F 01",
                        " 860 IN  dongle A1 01",
                        " 860 OUT dongle A1 0D",
                        "1010 IN  dongle A1 01"})},
        // Each group of commands through the dongle behind its link check.
        StartUpCase{"Wireless",
                    [](emu::Qx9Emulator& e) { e.PlugDongle(true); },
                    GoldenTrace::Written({
                        "   0 OUT dongle A1 0F 01",
                        " 300 IN  dongle A1 01",
                        " 300 OUT dongle A1 0D",
                        " 450 IN  dongle A1 01",
                        " 450 OUT dongle A1 0F 01",
                        " 750 IN  dongle A1 01",
                        " 750 OUT dongle A1 0E",
                        "1100 IN  dongle A1 01",
                        "1100 OUT dongle A1 0F 01",
                        "1400 IN  dongle A1 01",
                        "1400 OUT dongle A1 B4",
                        "1750 IN  dongle A1 01",
                        "1750 OUT dongle A1 0F 01",
                        "2050 IN  dongle A1 01",
                        "2050 OUT dongle A1 12",
                        "2450 IN  dongle A0 01"})},
        // The mouse is off: the link check says so, the alternative check
        // passes, and the mouse's information is not done.
        StartUpCase{"WirelessWithTheMouseOff",
                    [](emu::Qx9Emulator& e) { e.PlugDongle(true); e.SetMousePowered(false); },
                    GoldenTrace::Written({
                        "   0 OUT dongle A1 0F 01",
                        " 300 IN  dongle A1 08",
                        " 300 OUT dongle A1 0F 0F",
                        " 600 IN  dongle A1 01",
                        " 600 OUT dongle A1 0D",
                        " 750 IN  dongle A1 01",
                        " 750 OUT dongle A1 0F 01",
                        "1050 IN  dongle A1 08",
                        "1050 OUT dongle A1 0F 0F",
                        "1350 IN  dongle A1 01",
                        "1350 OUT dongle A1 0E",
                        "1700 IN  dongle A1 02"})}),
    test::CaseName{});
// clang-format on

}  // namespace
}  // namespace qx9
