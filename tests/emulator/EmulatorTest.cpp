#include <gtest/gtest.h>

#include "Qx9Emulator.h"
#include "support/CaseName.h"

namespace qx9::emu {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Milliseconds = std::chrono::milliseconds;

// A 64-byte request: the given leading bytes, the given data from offset 16,
// zeros everywhere else.
Bytes Request(Bytes head, Bytes data = {}) {
    Bytes report(64, 0);
    std::copy(head.begin(), head.end(), report.begin());
    std::copy(data.begin(), data.end(), report.begin() + 16);
    return report;
}

Bytes WithByte(Bytes report, std::size_t at, std::uint8_t value) {
    report[at] = value;
    return report;
}

// What the host hands to a read: the report id, zeros to the report's size.
Bytes ReadBuffer(std::uint8_t id = 0xA1, std::size_t size = 64) {
    Bytes buffer(size, 0);
    buffer[0] = id;
    return buffer;
}

const Bytes SensorData(28, 1);

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
    // A full exchange that keeps the wait: send, wait, read; the status read.
    std::uint8_t Exchange(FeatureDevice& device, const Bytes& request, Milliseconds wait) {
        EXPECT_TRUE(device.SetFeature(request));
        clock.Advance(wait);
        Bytes reply = ReadBuffer();
        EXPECT_TRUE(device.GetFeature(reply));
        return reply[1];
    }

    VirtualClock clock;
    Qx9Emulator emulator{clock};
};

struct BadRequestCase {
    const char* name;
    Endpoint endpoint;
    Bytes request;
};

class BadRequestTest : public EmulatorStrictnessTest,
                       public ::testing::WithParamInterface<BadRequestCase> {};

TEST_P(BadRequestTest, IsRefusedAndRecorded) {
    auto device = OpenCommandInterface(GetParam().endpoint);
    ASSERT_TRUE(device);
    EXPECT_FALSE(device->SetFeature(GetParam().request));
    EXPECT_EQ(device->LastError(), HidError::Other);
    EXPECT_EQ(emulator.Violations().size(), 1u);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, BadRequestTest,
    ::testing::Values(
        BadRequestCase{"UnknownCommand", Endpoint::Cable, Request({0xA1, 0x55})},
        BadRequestCase{"ANeighbouringCode", Endpoint::Cable, Request({0xA1, 0xB5})},
        BadRequestCase{"LinkCheckOnTheCable", Endpoint::Cable, Request({0xA1, 0x0F, 0x01})},
        BadRequestCase{"DongleInfoOnTheCable", Endpoint::Cable, Request({0xA1, 0x0D})},
        BadRequestCase{"UnknownLinkCheckSubCode", Endpoint::Dongle, Request({0xA1, 0x0F, 0x02})},
        BadRequestCase{"SubCodeOnARead", Endpoint::Cable, Request({0xA1, 0x0E, 0x0F})},
        BadRequestCase{"WrongLengthByte", Endpoint::Cable,
                       Request({0xA1, 0x14, 0x0F, 0x0A}, SensorData)},
        BadRequestCase{"AdvancedLengthCountingAllElevenBytes", Endpoint::Cable,
                       Request({0xA1, 0x15, 0x0F, 0x0B})},
        BadRequestCase{"HeaderByteFourSet", Endpoint::Cable, Request({0xA1, 0x0E, 0, 0, 1})},
        BadRequestCase{"HeaderByteFifteenSet", Endpoint::Cable,
                       WithByte(Request({0xA1, 0x0E}), 15, 1)},
        BadRequestCase{"ChunkNumberOnASensorWrite", Endpoint::Cable,
                       Request({0xA1, 0x14, 0x0F, 0x1C, 0, 0, 1}, SensorData)},
        BadRequestCase{"ButtonChunkZero", Endpoint::Cable, Request({0xA1, 0x16, 0x0F, 0x1C})},
        BadRequestCase{"ButtonChunkThree", Endpoint::Cable,
                       Request({0xA1, 0x16, 0x0F, 0x1C, 0, 0, 3})},
        BadRequestCase{"DataOnARead", Endpoint::Cable, Request({0xA1, 0xB4}, {1})},
        BadRequestCase{"DataPastTheSensorWrite", Endpoint::Cable,
                       WithByte(Request({0xA1, 0x14, 0x0F, 0x1C}), 16 + 28, 1)},
        BadRequestCase{"DataPastTheAdvancedWrite", Endpoint::Dongle,
                       WithByte(Request({0xA1, 0x15, 0x0F, 0x0A}), 16 + 11, 1)},
        BadRequestCase{"WrongReportId", Endpoint::Dongle, Request({0xA0, 0x0D})},
        BadRequestCase{"ShortReport", Endpoint::Cable, Bytes{0xA1, 0x0E, 0, 0}}),
    test::CaseName{});
// clang-format on

TEST_F(EmulatorStrictnessTest, ARefusedCommandIsStillChecked) {
    emulator.RefuseCommand(0x0E, 2);
    auto device = OpenCommandInterface(Endpoint::Cable);
    EXPECT_FALSE(device->SetFeature(Request({0xA1, 0x0E, 0, 0, 1})));
    EXPECT_EQ(emulator.Violations().size(), 1u);
}

TEST_F(EmulatorStrictnessTest, AReplyReadWithoutACommandIsAViolation) {
    auto device = OpenCommandInterface(Endpoint::Cable);
    Bytes reply = ReadBuffer();
    EXPECT_FALSE(device->GetFeature(reply));
    EXPECT_EQ(emulator.Violations().size(), 1u);
}

TEST_F(EmulatorStrictnessTest, AFailedSendLeavesNoReplyToRead) {
    auto device = OpenCommandInterface(Endpoint::Cable);
    ASSERT_EQ(Exchange(*device, Request({0xA1, 0x0E}), 150ms), 1);
    emulator.FailNextSends(1, HidError::DeviceGone);
    EXPECT_FALSE(device->SetFeature(Request({0xA1, 0xB4})));
    clock.Advance(300ms);

    Bytes reply = ReadBuffer();
    EXPECT_FALSE(device->GetFeature(reply)) << "not the earlier command's reply";
    ASSERT_EQ(emulator.Violations().size(), 1u);
    EXPECT_NE(emulator.Violations()[0].find("failed send"), std::string::npos);
}

TEST_F(EmulatorStrictnessTest, ACommandOverAnUnreadReplyIsAViolation) {
    auto device = OpenCommandInterface(Endpoint::Dongle);
    ASSERT_TRUE(device->SetFeature(Request({0xA1, 0x0F, 0x01})));
    clock.Advance(300ms);
    EXPECT_FALSE(device->SetFeature(Request({0xA1, 0x0D})));
    EXPECT_EQ(emulator.Violations().size(), 1u);
}

TEST_F(EmulatorStrictnessTest, AReadRequestCarriesOnlyItsReportId) {
    auto device = OpenCommandInterface(Endpoint::Cable);
    ASSERT_TRUE(device->SetFeature(Request({0xA1, 0x0E})));
    clock.Advance(150ms);
    Bytes reply = WithByte(ReadBuffer(), 1, 3);  // a busy reply not restored to the request
    EXPECT_FALSE(device->GetFeature(reply));
    EXPECT_EQ(emulator.Violations().size(), 1u);
}

// After a button chunk's reply the mouse stores the chunk for 100 ms; the
// next command must wait for it.
struct ChunkPauseCase {
    const char* name;
    Milliseconds pause;
    bool accepted;
};

class ChunkPauseTest : public EmulatorStrictnessTest,
                       public ::testing::WithParamInterface<ChunkPauseCase> {};

TEST_P(ChunkPauseTest, TheNextCommandWaitsForTheChunkToBeStored) {
    auto device = OpenCommandInterface(Endpoint::Cable);
    ASSERT_EQ(Exchange(*device, Request({0xA1, 0x16, 0x0F, 0x1C, 0, 0, 1}), 500ms), 1);
    clock.Advance(GetParam().pause);
    EXPECT_EQ(device->SetFeature(Request({0xA1, 0x16, 0x0F, 0x1C, 0, 0, 2})), GetParam().accepted);
    EXPECT_EQ(emulator.Violations().empty(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChunkPauseTest,
                         ::testing::Values(ChunkPauseCase{"None", 0ms, false},
                                           ChunkPauseCase{"TenShort", 90ms, false},
                                           ChunkPauseCase{"Full", 100ms, true}),
                         test::CaseName{});

// Each command takes the whole wait the host must keep for it: a read 10 ms
// early is answered busy, a read after the wait gets the reply.
struct TimingCase {
    const char* name;
    Endpoint endpoint;
    Bytes request;
    Milliseconds wait;
    std::uint8_t replyId = 0xA1;
    std::size_t replySize = 64;
};

class StrictTimingTest : public EmulatorStrictnessTest,
                         public ::testing::WithParamInterface<TimingCase> {};

TEST_P(StrictTimingTest, TheReplyIsReadyOnlyWhenTheWaitIsOver) {
    const TimingCase& c = GetParam();
    auto device = OpenCommandInterface(c.endpoint);
    ASSERT_TRUE(device->SetFeature(c.request));

    clock.Advance(c.wait - 10ms);
    Bytes early = ReadBuffer(c.replyId, c.replySize);
    ASSERT_TRUE(device->GetFeature(early));
    EXPECT_EQ(early[1], 3) << "busy";

    clock.Advance(10ms);
    Bytes reply = ReadBuffer(c.replyId, c.replySize);
    ASSERT_TRUE(device->GetFeature(reply));
    EXPECT_EQ(reply[1], 1) << "done";
    EXPECT_TRUE(emulator.Violations().empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, StrictTimingTest,
    ::testing::Values(
        TimingCase{"LinkCheck", Endpoint::Dongle, Request({0xA1, 0x0F, 0x01}), 300ms},
        TimingCase{"LinkCheckAlt", Endpoint::Dongle, Request({0xA1, 0x0F, 0x0F}), 300ms},
        TimingCase{"DongleInfo", Endpoint::Dongle, Request({0xA1, 0x0D}), 150ms},
        TimingCase{"Pair", Endpoint::Dongle, Request({0xA1, 0x70}), 300ms},
        TimingCase{"MouseInfoCable", Endpoint::Cable, Request({0xA1, 0x0E}), 150ms},
        TimingCase{"MouseInfoDongleOnReconnection", Endpoint::Dongle, Request({0xA1, 0x0E}), 300ms},
        TimingCase{"BatteryCable", Endpoint::Cable, Request({0xA1, 0xB4}), 300ms},
        TimingCase{"BatteryDongle", Endpoint::Dongle, Request({0xA1, 0xB4}), 350ms},
        TimingCase{"ConfigCable", Endpoint::Cable, Request({0xA1, 0x12}), 110ms, 0xA0, 1041},
        TimingCase{"ConfigDongle", Endpoint::Dongle, Request({0xA1, 0x12}), 400ms, 0xA0, 1041},
        TimingCase{"ResetCable", Endpoint::Cable, Request({0xA1, 0x13}), 800ms},
        TimingCase{"ResetDongle", Endpoint::Dongle, Request({0xA1, 0x13}), 1080ms},
        TimingCase{"SensorCable", Endpoint::Cable, Request({0xA1, 0x14, 0x0F, 0x1C}), 500ms},
        TimingCase{"SensorDongle", Endpoint::Dongle, Request({0xA1, 0x14, 0x0F, 0x1C}), 880ms},
        TimingCase{"AdvancedCable", Endpoint::Cable, Request({0xA1, 0x15, 0x0F, 0x0A}), 500ms},
        TimingCase{"AdvancedDongle", Endpoint::Dongle, Request({0xA1, 0x15, 0x0F, 0x0A}), 880ms},
        TimingCase{"ButtonChunkCable", Endpoint::Cable,
                   Request({0xA1, 0x16, 0x0F, 0x1C, 0, 0, 1}), 500ms},
        TimingCase{"ButtonChunkDongle", Endpoint::Dongle,
                   Request({0xA1, 0x16, 0x0F, 0x1C, 0, 0, 2}), 880ms}),
    test::CaseName{});
// clang-format on

TEST_F(EmulatorStrictnessTest, ReadConfigWithTheMouseAwayIsNotDoneOnTheConfigurationReport) {
    emulator.SetWirelessLink(false);
    auto device = OpenCommandInterface(Endpoint::Dongle);
    ASSERT_TRUE(device->SetFeature(Request({0xA1, 0x12})));
    clock.Advance(400ms);
    Bytes reply = ReadBuffer(0xA0, 1041);
    ASSERT_TRUE(device->GetFeature(reply));
    EXPECT_EQ(reply[1], 2);
    EXPECT_TRUE(emulator.Violations().empty());
}

TEST_F(EmulatorStrictnessTest, TheConfigurationComesOnlyAsItsOwnReport) {
    auto device = OpenCommandInterface(Endpoint::Cable);
    ASSERT_TRUE(device->SetFeature(Request({0xA1, 0x12})));
    Bytes wrong = ReadBuffer();
    EXPECT_FALSE(device->GetFeature(wrong));
    EXPECT_EQ(emulator.Violations().size(), 1u);
}

TEST_F(EmulatorStrictnessTest, InterfacesWithoutTheCommandCollectionRefuseFeatureReports) {
    const auto interfaces = emulator.EnumerateInterfaces();
    ASSERT_FALSE(interfaces.empty());
    auto device = emulator.Open(interfaces.front().path).device;
    ASSERT_TRUE(device);
    EXPECT_FALSE(device->SetFeature(Request({0xA1, 0x0E})));
    EXPECT_EQ(emulator.Violations().size(), 1u);
}

TEST_F(EmulatorStrictnessTest, AHandleGoesStaleWhenItsDeviceIsUnplugged) {
    auto device = OpenCommandInterface(Endpoint::Cable);
    emulator.PlugCable(false);
    emulator.PlugCable(true);
    EXPECT_FALSE(device->SetFeature(Request({0xA1, 0x0E})));
    EXPECT_EQ(device->LastError(), HidError::DeviceGone);
    EXPECT_TRUE(emulator.Violations().empty());
}

TEST_F(EmulatorStrictnessTest, TheTraceRecordsEachExchangeWithTimeAndBytes) {
    auto device = OpenCommandInterface(Endpoint::Dongle);
    clock.Advance(1250ms);
    ASSERT_TRUE(device->SetFeature(Request({0xA1, 0x0D})));
    emulator.PlugDongle(false);
    EXPECT_FALSE(device->SetFeature(Request({0xA1, 0x0D})));

    const auto trace = emulator.Trace();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(TraceLine(trace[0]).substr(0, 34), "    1250 ms  OUT  dongle  A1 0D 00");
    EXPECT_NE(TraceLine(trace[1]).find("FAILED"), std::string::npos);
}

}  // namespace
}  // namespace qx9::emu
