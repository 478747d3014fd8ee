#include <gtest/gtest.h>

#include <functional>

#include "FactoryBlock.h"
#include "PairRequest.h"
#include "RestoreFactorySettings.h"
#include "support/CaseName.h"
#include "support/EmulatorFixture.h"
#include "support/SentCommands.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::EmulatorFixture;
using Lines = std::vector<std::string>;

class RestoreFactorySettingsTest : public EmulatorFixture {
  protected:
    // The mouse holds a changed level 1, which both records show, and an edit
    // is pending.
    void Changed() {
        DeviceConfig& edit = store.EditConfig();
        edit.CpiLevels[0] = {0, 5000, 5000};
        ASSERT_EQ(commands.WriteSensorSettings(edit, CableWaits.settingsWrite), result::Done);
        store.BaseConfig() = edit;
        edit.Buttons[0].ActionType = 0xFF;
        emulator.ClearTrace();
        RestartTimer();
    }
    Lines Sent() const { return test::SentCommands(emulator.Trace(), start); }
    // The time between the reset's request and the first read of its reply.
    Milliseconds ResetWait() const {
        const auto trace = emulator.Trace();
        for (std::size_t i = 0; i + 1 < trace.size(); ++i) {
            if (trace[i].direction == emu::Direction::Send &&
                trace[i].bytes[1] == command::FactoryReset) {
                return trace[i + 1].time - trace[i].time;
            }
        }
        return Milliseconds{-1};
    }
};

struct ResetCase {
    const char* name;
    std::function<void(emu::Qx9Emulator&, DeviceLink&)> setUp;
    Lines sent;
    Milliseconds resetWait;
};

class ConfirmedResetTest : public RestoreFactorySettingsTest,
                           public ::testing::WithParamInterface<ResetCase> {};

TEST_P(ConfirmedResetTest, WaitsByHowTheMouseWasReachedAndDefaultsBothRecords) {
    emulator.PlugCable(true);
    Connect(Endpoint::Cable);
    Changed();
    emulator.PlugCable(false);
    link.SetConnectionMode(LinkMode::None);
    GetParam().setUp(emulator, link);
    emulator.ClearTrace();
    RestartTimer();

    const FactoryResetResult reset = RestoreFactorySettings(link, commands, store);

    EXPECT_TRUE(reset.confirmed);
    EXPECT_EQ(Sent(), GetParam().sent);
    EXPECT_EQ(ResetWait(), GetParam().resetWait);
    DeviceConfig defaults;
    ResetConfigDefaults(defaults);
    EXPECT_EQ(store.EditConfig(), defaults);
    EXPECT_EQ(store.BaseConfig(), defaults);
    EXPECT_EQ(emulator.ConfigBlock(), emu::FactoryBlock());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ConfirmedResetTest,
    ::testing::Values(
        ResetCase{"OnTheCable",
                  [](emu::Qx9Emulator& e, DeviceLink& l) {
                      e.PlugCable(true);
                      l.DetectConnection();
                  },
                  {"0 cable FactoryReset"}, 800ms},
        ResetCase{"ThroughTheDongle",
                  [](emu::Qx9Emulator& e, DeviceLink& l) {
                      e.PlugDongle(true);
                      l.DetectConnection();
                  },
                  {"0 dongle LinkCheck", "300 dongle FactoryReset"}, 1080ms},
        ResetCase{"ThroughTheDongleWhateverTheLinkChecksSay",
                  [](emu::Qx9Emulator& e, DeviceLink& l) {
                      e.PlugDongle(true);
                      l.DetectConnection();
                      e.RefuseCommand(command::LinkCheck, status::NotDone, 2);
                  },
                  {"0 dongle LinkCheck", "300 dongle LinkCheckAlt", "600 dongle FactoryReset"},
                  1080ms},
        ResetCase{"CableFoundAfterThePressWithNoDevice",
                  [](emu::Qx9Emulator& e, DeviceLink&) { e.PlugCable(true); },
                  {"0 cable FactoryReset"}, 200ms},
        ResetCase{"DongleFoundAfterThePressWithNoDevice",
                  [](emu::Qx9Emulator& e, DeviceLink&) { e.PlugDongle(true); },
                  {"0 dongle FactoryReset"}, 200ms},
        ResetCase{"AfterPairingFromTheCableBackOnTheMouse",
                  [](emu::Qx9Emulator& e, DeviceLink& l) {
                      e.PlugCable(true);
                      e.PlugDongle(true);
                      l.DetectConnection();
                      ASSERT_TRUE(l.DiscoverDevice(DongleId.vendorId, DongleId.productId));
                      l.SetLinkRetargeted(true);
                  },
                  {"0 cable FactoryReset"}, 800ms}),
    test::CaseName{});
// clang-format on

struct UnconfirmedCase {
    const char* name;
    std::function<void(emu::Qx9Emulator&)> fault;
    bool sent;
};

class UnconfirmedResetTest : public RestoreFactorySettingsTest,
                             public ::testing::WithParamInterface<UnconfirmedCase> {};

TEST_P(UnconfirmedResetTest, LeavesBothRecordsAsTheyWere) {
    Connect(Endpoint::Cable);
    Changed();
    const ConfigStore before = store;
    GetParam().fault(emulator);

    const FactoryResetResult reset = RestoreFactorySettings(link, commands, store);

    EXPECT_FALSE(reset.confirmed);
    EXPECT_EQ(reset.sent, GetParam().sent);
    EXPECT_EQ(store.EditConfig(), before.EditConfig());
    EXPECT_EQ(store.BaseConfig(), before.BaseConfig());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnconfirmedResetTest,
    ::testing::Values(
        UnconfirmedCase{
            "Refused",
            [](emu::Qx9Emulator& e) { e.RefuseCommand(command::FactoryReset, status::NotDone); },
            true},
        UnconfirmedCase{"SendFailed",
                        [](emu::Qx9Emulator& e) { e.FailNextSends(4, HidError::Crc); }, true},
        UnconfirmedCase{"NoReply", [](emu::Qx9Emulator& e) { e.FailNextReads(3, HidError::Crc); },
                        true},
        UnconfirmedCase{"StillBusy", [](emu::Qx9Emulator& e) { e.KeepRepliesBusy(true); }, true},
        UnconfirmedCase{"DeviceVanishes", [](emu::Qx9Emulator& e) { e.VanishDuringNextCommand(); },
                        true}),
    test::CaseName{});

TEST_F(RestoreFactorySettingsTest, WithNoDeviceAndNoneFoundNothingIsSentOrChanged) {
    store.EditConfig().MotionSync = 1;
    const ConfigStore before = store;

    const FactoryResetResult reset = RestoreFactorySettings(link, commands, store);

    EXPECT_FALSE(reset.sent);
    EXPECT_TRUE(emulator.Trace().empty());
    EXPECT_EQ(store.EditConfig(), before.EditConfig());
    EXPECT_EQ(Elapsed(), 0ms);
}

}  // namespace
}  // namespace qx9
