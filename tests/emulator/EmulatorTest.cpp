#include <gtest/gtest.h>

#include "CommandPayloads.h"
#include "Qx9Emulator.h"
#include "support/CaseName.h"

namespace qx9::emu {
namespace {

// The emulator is strict: these requests break the device contract, so each
// fails and is recorded for the test to see.
class EmulatorStrictnessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        emulator.PlugCable(true);
        emulator.PlugDongle(true);
    }
    std::unique_ptr<FeatureDevice> OpenCommandInterface(Endpoint endpoint) {
        return emulator.Open(Qx9Emulator::InterfaceName(endpoint)).device;
    }

    VirtualClock clock;
    Qx9Emulator emulator{clock};
};

struct BadRequestCase {
    const char* name;
    Endpoint endpoint;
    std::function<CommandReport()> request;
};

class BadRequestTest : public EmulatorStrictnessTest,
                       public ::testing::WithParamInterface<BadRequestCase> {};

TEST_P(BadRequestTest, IsRefusedAndRecorded) {
    auto device = OpenCommandInterface(GetParam().endpoint);
    ASSERT_TRUE(device);
    EXPECT_FALSE(device->SetFeature(GetParam().request()));
    EXPECT_EQ(device->LastError(), HidError::Other);
    EXPECT_EQ(emulator.Violations().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadRequestTest,
    ::testing::Values(BadRequestCase{"UnknownCommand", Endpoint::Cable,
                                     [] {
                                         CommandReport r = BuildCommandReport(wire::ReadMouseInfo);
                                         r[1] = 0x55;
                                         return r;
                                     }},
                      BadRequestCase{"LinkCheckOnTheCable", Endpoint::Cable,
                                     [] { return BuildCommandReport(wire::LinkCheck); }},
                      BadRequestCase{"UnknownLinkCheckSubCode", Endpoint::Dongle,
                                     [] {
                                         CommandReport r = BuildCommandReport(wire::LinkCheck);
                                         r[SubCodeOffset] = 0x02;
                                         return r;
                                     }},
                      BadRequestCase{"WrongLengthByte", Endpoint::Cable,
                                     [] {
                                         CommandReport r =
                                             BuildCommandReport(wire::WriteSensorSettings);
                                         r[PayloadLengthOffset] = 0x0A;
                                         return r;
                                     }},
                      BadRequestCase{"ButtonChunkZero", Endpoint::Cable,
                                     [] { return BuildCommandReport(wire::WriteButtonMapping); }},
                      BadRequestCase{"PayloadOnAReadCommand", Endpoint::Cable,
                                     [] {
                                         CommandReport r = BuildCommandReport(wire::ReadBattery);
                                         r[PayloadOffset] = 1;
                                         return r;
                                     }},
                      BadRequestCase{"WrongReportId", Endpoint::Dongle,
                                     [] {
                                         CommandReport r = BuildCommandReport(wire::ReadDongleInfo);
                                         r[0] = ConfigReportId;
                                         return r;
                                     }}),
    test::CaseName{});

TEST_F(EmulatorStrictnessTest, AReplyReadWithoutACommandIsAViolation) {
    auto device = OpenCommandInterface(Endpoint::Cable);
    CommandReport reply{};
    reply[0] = CommandReportId;
    EXPECT_FALSE(device->GetFeature(reply));
    EXPECT_EQ(emulator.Violations().size(), 1u);
}

TEST_F(EmulatorStrictnessTest, TheConfigurationComesOnlyAsItsOwnReport) {
    auto device = OpenCommandInterface(Endpoint::Cable);
    ASSERT_TRUE(device->SetFeature(BuildCommandReport(wire::ReadConfig)));
    CommandReport wrong{};
    wrong[0] = CommandReportId;
    EXPECT_FALSE(device->GetFeature(wrong));
    EXPECT_EQ(emulator.Violations().size(), 1u);
}

TEST_F(EmulatorStrictnessTest, InterfacesWithoutTheCommandCollectionRefuseFeatureReports) {
    const auto interfaces = emulator.EnumerateInterfaces();
    ASSERT_FALSE(interfaces.empty());
    auto device = emulator.Open(interfaces.front().path).device;
    ASSERT_TRUE(device);
    EXPECT_FALSE(device->SetFeature(BuildCommandReport(wire::ReadMouseInfo)));
    EXPECT_EQ(emulator.Violations().size(), 1u);
}

TEST_F(EmulatorStrictnessTest, AHandleGoesStaleWhenItsDeviceIsUnplugged) {
    auto device = OpenCommandInterface(Endpoint::Cable);
    emulator.PlugCable(false);
    emulator.PlugCable(true);
    EXPECT_FALSE(device->SetFeature(BuildCommandReport(wire::ReadMouseInfo)));
    EXPECT_EQ(device->LastError(), HidError::DeviceGone);
    EXPECT_TRUE(emulator.Violations().empty());
}

TEST_F(EmulatorStrictnessTest, TheTraceRecordsEachExchangeWithTimeAndBytes) {
    auto device = OpenCommandInterface(Endpoint::Dongle);
    clock.Advance(1250ms);
    ASSERT_TRUE(device->SetFeature(BuildCommandReport(wire::ReadDongleInfo)));
    emulator.PlugDongle(false);
    EXPECT_FALSE(device->SetFeature(BuildCommandReport(wire::ReadDongleInfo)));

    const auto trace = emulator.Trace();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(TraceLine(trace[0]).substr(0, 34), "    1250 ms  OUT  dongle  A1 0D 00");
    EXPECT_NE(TraceLine(trace[1]).find("FAILED"), std::string::npos);
}

}  // namespace
}  // namespace qx9::emu
