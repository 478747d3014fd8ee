#include <gtest/gtest.h>

#include <vector>

#include "DemoStart.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

struct ArgumentsCase {
    const char* name;
    std::vector<const char*> arguments;  // after the program's name
    DemoStart start;
    int exitStatus;
    const char* printed;  // a text the output holds; nullptr: nothing printed, the demo runs
};

class DemoArgumentsTest : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(DemoArgumentsTest, PicksTheStartOrSaysWhyNot) {
    std::vector<const char*> argv{"qx9-config-demo"};
    argv.insert(argv.end(), GetParam().arguments.begin(), GetParam().arguments.end());

    const DemoArguments read = ReadDemoArguments(static_cast<int>(argv.size()), argv.data());

    if (!GetParam().printed) {
        EXPECT_FALSE(read.print.has_value()) << *read.print;
        EXPECT_EQ(read.start, GetParam().start);
        return;
    }
    ASSERT_TRUE(read.print.has_value());
    EXPECT_NE(read.print->find(GetParam().printed), std::string::npos) << *read.print;
    EXPECT_EQ(read.exitStatus, GetParam().exitStatus);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DemoArgumentsTest,
    ::testing::Values(
        ArgumentsCase{"NoArguments", {}, DemoStart::CableAndDongle, 0, nullptr},
        ArgumentsCase{
            "CableAndDongle", {"--start=cable+dongle"}, DemoStart::CableAndDongle, 0, nullptr},
        ArgumentsCase{"Cable", {"--start=cable"}, DemoStart::Cable, 0, nullptr},
        ArgumentsCase{"Dongle", {"--start=dongle"}, DemoStart::Dongle, 0, nullptr},
        ArgumentsCase{
            "DongleMouseOff", {"--start=dongle-mouse-off"}, DemoStart::DongleMouseOff, 0, nullptr},
        ArgumentsCase{"None", {"--start=none"}, DemoStart::None, 0, nullptr},
        ArgumentsCase{
            "TheLastStartCounts", {"--start=none", "--start=cable"}, DemoStart::Cable, 0, nullptr},
        // Qt takes its own options from the same command line.
        ArgumentsCase{"QtOptionsPassThrough",
                      {"-platform", "offscreen", "--start=dongle"},
                      DemoStart::Dongle,
                      0,
                      nullptr},
        ArgumentsCase{"Help", {"--help"}, DemoStart::CableAndDongle, 0, "dongle-mouse-off"},
        ArgumentsCase{"HelpWinsOverAStart",
                      {"--start=cable", "--help"},
                      DemoStart::CableAndDongle,
                      0,
                      "--start=STATE"},
        ArgumentsCase{"UnknownStart",
                      {"--start=usb"},
                      DemoStart::CableAndDongle,
                      2,
                      "unknown start state \"usb\""},
        ArgumentsCase{
            "EmptyStart", {"--start="}, DemoStart::CableAndDongle, 2, "unknown start state \"\""},
        ArgumentsCase{"StartsAreCaseSensitive",
                      {"--start=Cable"},
                      DemoStart::CableAndDongle,
                      2,
                      "--start=STATE"}),
    test::CaseName{});

}  // namespace
}  // namespace qx9
