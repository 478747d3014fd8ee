#include <gtest/gtest.h>

#include "LevelSwitch.h"
#include "support/CaseName.h"
#include "support/EmulatorFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::EmulatorFixture;

class LevelSwitchTest : public EmulatorFixture {
  protected:
    // The records as a load leaves them, then the user's picks in EditConfig.
    void LoadedWithLevel3Picked() {
        ASSERT_EQ(commands.ReadConfig(CableWaits.config), result::Done);
        store.UnpackConfig(store.BaseConfig());
        DeviceConfig& edit = store.EditConfig();
        edit.CurrentCpiLevel = 2;
        edit.CpiLevelCount = 3;
        edit.CpiLevels[2] = {1, 1800, 2000};
        edit.CpiLevels[1].CpiX = 1200;  // pending, not part of the switch
        edit.LiftOffDistance = 7;       // pending, not part of the switch
        edit.AngleTuning = -5;          // goes out with the switch, as the write carries it
        emulator.ClearTrace();
        RestartTimer();
    }
    std::vector<std::uint8_t> SentCodes() const {
        std::vector<std::uint8_t> codes;
        for (const auto& entry : Sends()) {
            codes.push_back(entry.bytes[1]);
        }
        return codes;
    }
};

TEST_F(LevelSwitchTest, OnTheCableOnlyThePickedLevelGoesOutAndBaseRecordsIt) {
    Connect(Endpoint::Cable);
    LoadedWithLevel3Picked();
    const DeviceConfig before = store.BaseConfig();

    const LevelSwitchResult switched = SwitchActiveLevel(link, commands, store);

    EXPECT_TRUE(switched.sent);
    EXPECT_EQ(switched.written, result::Done);
    ASSERT_EQ(Sends().size(), 1u);
    const auto sent = Sends()[0].bytes;
    // Lift-off distance held back, tuning sent, count before level, then the levels.
    const std::vector<std::uint8_t> payload(sent.begin() + PayloadOffset,
                                            sent.begin() + PayloadOffset + 8);
    EXPECT_EQ(payload, (std::vector<std::uint8_t>{0x00, 0x01, 0x03, 0x00, 0x00, 0xFB, 0x03, 0x02}));
    EXPECT_EQ(sent[PayloadOffset + 8 + 5 * 1 + 1], 0x20)
        << "level 2 goes out as the mouse holds it";
    EXPECT_EQ(sent[PayloadOffset + 8 + 5 * 2], 0x01);
    EXPECT_EQ(Elapsed(), CableWaits.settingsWrite);

    const DeviceConfig& base = store.BaseConfig();
    EXPECT_EQ(base.CurrentCpiLevel, 2);
    EXPECT_EQ(base.CpiLevelCount, 3);
    EXPECT_EQ(base.CpiLevels[2], (CpiLevel{1, 1800, 2000}));
    EXPECT_EQ(base.CpiLevels[1], before.CpiLevels[1]);
    EXPECT_EQ(base.AngleTuning, before.AngleTuning) << "the tuning is sent but not recorded";
    EXPECT_EQ(store.EditConfig().CpiLevels[1], before.CpiLevels[1]);
    EXPECT_EQ(store.EditConfig().LiftOffDistance, before.LiftOffDistance);
    EXPECT_EQ(emulator.ConfigBlock()[0x0D], 2);
}

TEST_F(LevelSwitchTest, ThroughTheDongleTheLinkIsCheckedFirst) {
    Connect(Endpoint::Dongle);
    LoadedWithLevel3Picked();

    EXPECT_EQ(SwitchActiveLevel(link, commands, store).written, result::Done);

    EXPECT_EQ(SentCodes(),
              (std::vector<std::uint8_t>{command::LinkCheck, command::WriteSensorSettings}));
    EXPECT_EQ(Elapsed(), LinkCheckWait + DongleWaits.settingsWrite);
}

TEST_F(LevelSwitchTest, WithTheDonglesLinkDownNothingIsSentOrAligned) {
    Connect(Endpoint::Dongle);
    LoadedWithLevel3Picked();
    emulator.RefuseCommand(command::LinkCheck, status::NotDone, 2);
    const ConfigStore before = store;

    EXPECT_FALSE(SwitchActiveLevel(link, commands, store).sent);

    EXPECT_EQ(SentCodes(), (std::vector<std::uint8_t>{command::LinkCheck, command::LinkCheck}));
    EXPECT_EQ(store.EditConfig(), before.EditConfig());
    EXPECT_EQ(store.BaseConfig(), before.BaseConfig());
}

TEST_F(LevelSwitchTest, WithNoDeviceItLooksForOneAndSendsNothing) {
    const ConfigStore before = store;
    EXPECT_FALSE(SwitchActiveLevel(link, commands, store).sent);
    EXPECT_TRUE(emulator.Trace().empty());
    EXPECT_EQ(store.BaseConfig(), before.BaseConfig());

    emulator.PlugCable(true);
    EXPECT_TRUE(SwitchActiveLevel(link, commands, store).sent);
    EXPECT_EQ(link.ConnectionMode(), LinkMode::Cable);
}

TEST_F(LevelSwitchTest, AfterPairingFromTheCableTheLinkGoesBackToTheMouse) {
    emulator.PlugDongle(true);
    Connect(Endpoint::Cable);
    ASSERT_TRUE(link.DiscoverDevice(DongleId.vendorId, DongleId.productId));
    link.SetLinkRetargeted(true);

    EXPECT_EQ(SwitchActiveLevel(link, commands, store).written, result::Done);

    ASSERT_EQ(Sends().size(), 1u);
    EXPECT_EQ(Sends()[0].endpoint, "cable");
    EXPECT_FALSE(link.LinkRetargeted());
}

struct FailedWriteCase {
    const char* name;
    std::function<void(emu::Qx9Emulator&)> fault;
};

class FailedLevelSwitchTest : public LevelSwitchTest,
                              public ::testing::WithParamInterface<FailedWriteCase> {};

// A level the mouse did not confirm must still count as unsent.
TEST_P(FailedLevelSwitchTest, LeavesBaseAsTheMouseHeldItSoApplySendsTheLevel) {
    Connect(Endpoint::Cable);
    LoadedWithLevel3Picked();
    const DeviceConfig before = store.BaseConfig();
    GetParam().fault(emulator);

    const LevelSwitchResult switched = SwitchActiveLevel(link, commands, store);

    EXPECT_TRUE(switched.sent);
    EXPECT_NE(switched.written, result::Done);
    EXPECT_EQ(store.BaseConfig(), before);
    EXPECT_EQ(store.EditConfig().CurrentCpiLevel, 2);
    EXPECT_TRUE(store.ChangedSections() & SensorSection);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedLevelSwitchTest,
    ::testing::Values(
        FailedWriteCase{"Refused",
                        [](emu::Qx9Emulator& e) {
                            e.RefuseCommand(command::WriteSensorSettings, status::NotDone);
                        }},
        FailedWriteCase{"SendFailed",
                        [](emu::Qx9Emulator& e) { e.FailNextSends(4, HidError::Crc); }},
        FailedWriteCase{"NoReply", [](emu::Qx9Emulator& e) { e.FailNextReads(3, HidError::Crc); }},
        FailedWriteCase{"StillBusy", [](emu::Qx9Emulator& e) { e.KeepRepliesBusy(true); }}),
    test::CaseName{});

TEST(AlignForLevelSwitchTest, AnActiveLevelBeyondTheFourCopiesNoLevel) {
    DeviceConfig edit;
    DeviceConfig base;
    ResetConfigDefaults(edit);
    ResetConfigDefaults(base);
    edit.CurrentCpiLevel = 7;
    edit.CpiLevels[0].CpiX = 999;
    base.CpiLevels[1].CpiX = 111;

    AlignForLevelSwitch(edit, base);

    EXPECT_EQ(edit.CpiLevels[0].CpiX, 999);
    EXPECT_EQ(base.CpiLevels[0].CpiX, 400);
    EXPECT_EQ(edit.CpiLevels[1].CpiX, 800);
    EXPECT_EQ(base.CurrentCpiLevel, 7);
}

}  // namespace
}  // namespace qx9
