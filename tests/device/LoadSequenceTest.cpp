#include <gtest/gtest.h>

#include <functional>

#include "LoadSequence.h"
#include "support/CaseName.h"
#include "support/EmulatorFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::EmulatorFixture;

struct LoadCase {
    const char* name;
    Endpoint endpoint;
    std::function<void(emu::Qx9Emulator&)> fault;
    std::uint8_t result;
    LoadStep failedAt;
    bool toPairing;
    std::optional<std::uint8_t> recognition;
    bool dongleVersion;
    bool mouseVersion;
    bool battery;
};

class LoadSequenceTest : public EmulatorFixture, public ::testing::WithParamInterface<LoadCase> {};

// A load reports everything it read before the step that failed, and nothing after.
TEST_P(LoadSequenceTest, ReportsWhatItReadUpToTheFailure) {
    emulator.SetBattery(42);
    Connect(GetParam().endpoint);
    GetParam().fault(emulator);

    const LoadReport report = GetParam().endpoint == Endpoint::Cable
                                  ? LoadOnCable(link, commands, store)
                                  : LoadThroughDongle(link, commands, store);

    EXPECT_EQ(report.result, GetParam().result);
    EXPECT_EQ(report.failedAt, GetParam().failedAt);
    EXPECT_EQ(report.toPairing, GetParam().toPairing);
    EXPECT_EQ(report.recognition, GetParam().recognition);
    EXPECT_EQ(report.dongleVersion.has_value(), GetParam().dongleVersion);
    EXPECT_EQ(report.mouseVersion.has_value(), GetParam().mouseVersion);
    EXPECT_EQ(report.battery.has_value(), GetParam().battery);
    if (report.Loaded()) {
        EXPECT_EQ(store.BaseConfig(), store.EditConfig());
        EXPECT_EQ(report.battery, 42);
        EXPECT_NE(link.ConnectionMode(), LinkMode::None);
    } else {
        EXPECT_EQ(link.ConnectionMode(), LinkMode::None);
    }
}

const auto NoFault = [](emu::Qx9Emulator&) {};
const auto Refuse = [](std::uint8_t code) {
    return [code](emu::Qx9Emulator& e) { e.RefuseCommand(code, status::NotDone); };
};

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadSequenceTest,
    ::testing::Values(
        LoadCase{"CableLoads", Endpoint::Cable, NoFault, 1, LoadStep::None, false,
                 recognition::Recognised, false, true, true},
        LoadCase{"CableInfoRefused", Endpoint::Cable, Refuse(command::ReadMouseInfo), 2,
                 LoadStep::ReadMouseInfo, false, std::nullopt, false, false, false},
        LoadCase{"CableConfigRefused", Endpoint::Cable, Refuse(command::ReadConfig), 2,
                 LoadStep::ReadConfig, false, recognition::Recognised, false, true, true},
        LoadCase{"DongleLoads", Endpoint::Dongle, NoFault, 1, LoadStep::None, false,
                 recognition::Recognised, true, true, true},
        LoadCase{"DongleInfoRefused", Endpoint::Dongle, Refuse(command::ReadDongleInfo), 2,
                 LoadStep::ReadDongleInfo, false, std::nullopt, false, false, false},
        LoadCase{"MouseOffGoesToPairing", Endpoint::Dongle,
                 [](emu::Qx9Emulator& e) { e.SetMousePowered(false); }, 2, LoadStep::ReadMouseInfo,
                 true, std::nullopt, true, false, false},
        LoadCase{"ForeignMouse", Endpoint::Dongle,
                 [](emu::Qx9Emulator& e) { e.SetMouseProductId(0x1234); }, 0, LoadStep::Recognition,
                 false, recognition::Foreign, true, false, false},
        LoadCase{"DongleBatteryRefused", Endpoint::Dongle, Refuse(command::ReadBattery), 2,
                 LoadStep::ReadBattery, false, recognition::Recognised, true, false, false}),
    test::CaseName{});

using CableLoadTest = EmulatorFixture;

TEST_F(CableLoadTest, WithTheDonglePluggedReadsItsVersionAndEndsOnTheMouse) {
    emulator.PlugDongle(true);
    Connect(Endpoint::Cable);

    const LoadReport report = LoadOnCable(link, commands, store);

    EXPECT_TRUE(report.Loaded());
    EXPECT_TRUE(report.donglePresent);
    EXPECT_EQ(report.dongleVersion, 0x0104);
    EXPECT_EQ(link.ConnectionMode(), LinkMode::Cable);
    emulator.ClearTrace();
    DeviceInfo info;
    ASSERT_EQ(commands.ReadMouseInfo(info, CableWaits.mouseInfo), result::Done);
    EXPECT_EQ(Sends().front().endpoint, "cable");
}

}  // namespace
}  // namespace qx9
