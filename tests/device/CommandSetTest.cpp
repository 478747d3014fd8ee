#include <gtest/gtest.h>

#include <functional>

#include "FactoryBlock.h"
#include "support/CaseName.h"
#include "support/CommandWaitCases.h"
#include "support/EmulatorFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::EmulatorFixture;
using CommandSetTest = EmulatorFixture;

TEST_F(CommandSetTest, WritesLandAtTheirBlockOffsetsAndReadBack) {
    Connect(Endpoint::Cable);
    DeviceConfig changed = store.EditConfig();
    changed.CfgByte07 = 0x42;
    changed.LiftOffLed = 0;
    changed.LiftOffDistance = 7;
    changed.AngleSnapping = 1;
    changed.RippleControl = 1;
    changed.AngleTuning = -20;
    changed.CpiLevelCount = 3;
    changed.CurrentCpiLevel = 2;
    changed.CpiLevels[1] = {1, 1250, 30000};
    changed.MotionSync = 1;
    changed.PollingRate = 0x40;
    changed.FeatureFlags = 0x61;
    changed.PowerSaving = 0x85;
    changed.DeepSleep = 0x0A;
    changed.GlassMode = 1;
    changed.Buttons[0].MulticlickFilter = 0xF1;
    changed.Buttons[4].MulticlickFilter = 25;
    changed.Buttons[2] = {0x02, 0x05, 0x0004, 0, 8};
    changed.Buttons[5] = {0x0C, 0, 800, 1600, 3};
    changed.Buttons[7] = {0x18, 0x96, 0x01, 0, 8};

    EXPECT_EQ(commands.WriteSensorSettings(changed, CableWaits.settingsWrite), result::Done);
    EXPECT_EQ(commands.WriteAdvancedSettings(changed, CableWaits.settingsWrite), result::Done);
    EXPECT_EQ(commands.WriteButtonMapping(changed, CableWaits.settingsWrite), result::Done);
    ASSERT_EQ(commands.ReadConfig(CableWaits.config), result::Done);

    EXPECT_EQ(store.EditConfig(), changed);
}

// --- waits --------------------------------------------------------------------------

class CommandWaitTest : public CommandSetTest,
                        public ::testing::WithParamInterface<test::WaitCase> {};

TEST_P(CommandWaitTest, KeepsItsFixedWaitAndNeverSeesBusy) {
    Connect(GetParam().endpoint);
    EXPECT_EQ(GetParam().run(commands, store), result::Done);
    EXPECT_EQ(Elapsed(), GetParam().waited);
    EXPECT_EQ(Sends().size(), emulator.Trace().size() / 2) << "one read per send";
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandWaitTest, ::testing::ValuesIn(test::CommandWaitCases),
                         test::CaseName{});

DeviceInfo anyInfo;
std::uint8_t anyLevel;

struct SendFailureCase {
    const char* name;
    std::function<std::uint8_t(CommandSet&)> run;
    std::uint8_t expected;
    Milliseconds waited;
};

class SendFailureTest : public CommandSetTest,
                        public ::testing::WithParamInterface<SendFailureCase> {};

TEST_P(SendFailureTest, ReportsTheFailureAfterOnlyTheWaitsItKeeps) {
    Connect(Endpoint::Dongle);
    emulator.FailNextSends(1, HidError::DeviceGone);
    EXPECT_EQ(GetParam().run(commands), GetParam().expected);
    EXPECT_EQ(Elapsed(), GetParam().waited);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SendFailureTest,
    ::testing::Values(
        SendFailureCase{"LinkCheckWithoutWaiting", [](CommandSet& c) { return c.LinkCheck(); },
                        result::LinkSendFailed, 0ms},
        SendFailureCase{"LinkCheckAlt", [](CommandSet& c) { return c.LinkCheckAlt(); },
                        result::LinkSendFailed, 0ms},
        SendFailureCase{"ReadDongleInfoAfterItsWait",
                        [](CommandSet& c) { return c.ReadDongleInfo(anyInfo); }, result::SendFailed,
                        150ms},
        SendFailureCase{"ReadBatteryAfterItsWait",
                        [](CommandSet& c) { return c.ReadBattery(anyLevel, 350ms); },
                        result::SendFailed, 350ms},
        SendFailureCase{"ReadConfigAfterItsWait", [](CommandSet& c) { return c.ReadConfig(400ms); },
                        result::SendFailed, 400ms},
        SendFailureCase{"FactoryResetWithoutWaiting",
                        [](CommandSet& c) { return c.FactoryReset(1080ms); }, result::SendFailed,
                        0ms},
        SendFailureCase{"PairDongleWithoutWaiting", [](CommandSet& c) { return c.PairDongle(); },
                        result::SendFailed, 0ms}),
    test::CaseName{});

// A device that stays busy: after the command's wait, the read and two re-reads
// spaced by the command's busy base plus 200 and 400 ms; its status comes back.
struct BusyCase {
    const char* name;
    Endpoint endpoint;
    std::function<std::uint8_t(CommandSet&, ConfigStore&)> run;
    Milliseconds waited;
    std::size_t reads;
};

class BusyRereadTest : public CommandSetTest, public ::testing::WithParamInterface<BusyCase> {};

TEST_P(BusyRereadTest, SpacesTheRereadsByTheCommandsBusyBase) {
    Connect(GetParam().endpoint);
    emulator.KeepRepliesBusy(true);
    EXPECT_EQ(GetParam().run(commands, store), 3);
    EXPECT_EQ(Elapsed(), GetParam().waited);
    EXPECT_EQ(emulator.Trace().size() - Sends().size(), GetParam().reads);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, BusyRereadTest,
    ::testing::Values(
        BusyCase{"LinkCheck", Endpoint::Dongle, [](CommandSet& c, auto&) { return c.LinkCheck(); },
                 300ms + 500ms + 700ms, 3},
        BusyCase{"LinkCheckAlt", Endpoint::Dongle,
                 [](CommandSet& c, auto&) { return c.LinkCheckAlt(); }, 300ms + 500ms + 700ms, 3},
        BusyCase{"ReadDongleInfo", Endpoint::Dongle,
                 [](CommandSet& c, auto&) { return c.ReadDongleInfo(anyInfo); },
                 150ms + 220ms + 420ms, 3},
        BusyCase{"ReadMouseInfo", Endpoint::Cable,
                 [](CommandSet& c, auto&) { return c.ReadMouseInfo(anyInfo, CableWaits.mouseInfo); },
                 150ms + 300ms + 500ms, 3},
        // The battery read's busy base is its wait.
        BusyCase{"ReadBattery", Endpoint::Dongle,
                 [](CommandSet& c, auto&) { return c.ReadBattery(anyLevel, DongleWaits.battery); },
                 350ms + 550ms + 750ms, 3},
        BusyCase{"ReadConfig", Endpoint::Cable,
                 [](CommandSet& c, auto&) { return c.ReadConfig(CableWaits.config); },
                 110ms + 400ms + 600ms, 3},
        BusyCase{"WriteSensor", Endpoint::Cable,
                 [](CommandSet& c, ConfigStore& s) {
                     return c.WriteSensorSettings(s.EditConfig(), CableWaits.settingsWrite);
                 },
                 500ms + 300ms + 500ms, 3},
        BusyCase{"WriteAdvanced", Endpoint::Dongle,
                 [](CommandSet& c, ConfigStore& s) {
                     return c.WriteAdvancedSettings(s.EditConfig(), DongleWaits.settingsWrite);
                 },
                 880ms + 300ms + 500ms, 3},
        BusyCase{"WriteButtonsBothChunks", Endpoint::Cable,
                 [](CommandSet& c, ConfigStore& s) {
                     return c.WriteButtonMapping(s.EditConfig(), CableWaits.settingsWrite);
                 },
                 2 * (500ms + 300ms + 500ms + 100ms), 6},
        BusyCase{"FactoryReset", Endpoint::Cable,
                 [](CommandSet& c, auto&) { return c.FactoryReset(CableWaits.factoryReset); },
                 800ms + 500ms + 700ms, 3},
        BusyCase{"PairDongle", Endpoint::Dongle, [](CommandSet& c, auto&) { return c.PairDongle(); },
                 300ms + 250ms + 450ms, 3}),
    test::CaseName{});
// clang-format on

// --- replies -----------------------------------------------------------------------

TEST_F(CommandSetTest, ReadConfigStoresTheBlockAndUnpacksItIntoEditOnly) {
    emu::Block block = emu::FactoryBlock();
    block[0x0C] = 1;     // motion sync
    block[0x24] = 0xE2;  // level 0 X = 1250
    block[0x25] = 0x04;
    emulator.SetConfigBlock(block);
    Connect(Endpoint::Cable);

    ASSERT_EQ(commands.ReadConfig(CableWaits.config), result::Done);

    EXPECT_EQ(store.ConfigBlock(), block);
    EXPECT_EQ(store.EditConfig().MotionSync, 1);
    EXPECT_EQ(store.EditConfig().CpiLevels[0].CpiX, 1250);
    EXPECT_EQ(store.BaseConfig().MotionSync, 0);
}

TEST_F(CommandSetTest, ReadConfigRefusedLeavesEverythingAsItWas) {
    Connect(Endpoint::Cable);
    store.EditConfig().MotionSync = 1;
    const DeviceConfig before = store.EditConfig();
    emulator.RefuseCommand(0x12, 2);

    EXPECT_EQ(commands.ReadConfig(CableWaits.config), 2);
    EXPECT_EQ(store.EditConfig(), before);
    EXPECT_EQ(store.ConfigBlock(), ConfigBlockData{});
}

TEST_F(CommandSetTest, ReadConfigWhoseReplyCannotBeReadIsASendFailure) {
    Connect(Endpoint::Cable);
    emulator.FailNextReads(1, HidError::DeviceGone);
    EXPECT_EQ(commands.ReadConfig(CableWaits.config), result::SendFailed);
}

TEST_F(CommandSetTest, InformationReadsDecodeTheirReplyBytes) {
    emulator.SetMouseFirmwareVersion(0x0107);
    emulator.SetMouseProductId(0xBEEF);
    emulator.SetDongleFirmwareVersion(0x0120);
    emulator.SetBattery(85);
    Connect(Endpoint::Dongle);

    DeviceInfo mouse;
    DeviceInfo dongle;
    std::uint8_t battery = 0;
    EXPECT_EQ(commands.ReadMouseInfo(mouse, DongleWaits.mouseInfo), result::Done)
        << "an unknown product id is the caller's to judge";
    EXPECT_EQ(commands.ReadDongleInfo(dongle), result::Done);
    EXPECT_EQ(commands.ReadBattery(battery, DongleWaits.battery), result::Done);

    EXPECT_EQ(mouse.MouseProductId(), 0xBEEF);
    EXPECT_EQ(mouse.MouseVersion(), 0x0107);
    EXPECT_EQ(dongle.DongleVersion(), 0x0120);
    EXPECT_EQ(battery, 85);
}

TEST_F(CommandSetTest, RefusedReadsLeaveTheirOutputsUntouched) {
    Connect(Endpoint::Cable);
    emulator.RefuseCommand(0x0E, 5);
    emulator.RefuseCommand(0xB4, 2);
    DeviceInfo mouse;
    mouse.bytes.fill(0x77);
    std::uint8_t battery = 42;

    EXPECT_EQ(commands.ReadMouseInfo(mouse, CableWaits.mouseInfo), 5);
    EXPECT_EQ(commands.ReadBattery(battery, CableWaits.battery), 2);
    EXPECT_EQ(mouse.bytes[0], 0x77);
    EXPECT_EQ(battery, 42);
}

TEST_F(CommandSetTest, ASkippedWaitMeetsABusyDeviceAndTheRereadRuleCoversIt) {
    Connect(Endpoint::Cable);
    EXPECT_EQ(commands.ReadConfig(0ms), result::Done);
    EXPECT_EQ(Elapsed(), 200ms + 200ms) << "the re-read after the busy base and 200 ms";
}

TEST_F(CommandSetTest, ADeviceThatVanishesMidCommandGivesNoReply) {
    Connect(Endpoint::Cable);
    emulator.VanishDuringNextCommand();
    DeviceInfo mouse;
    EXPECT_EQ(commands.ReadMouseInfo(mouse, CableWaits.mouseInfo), result::NoReply);
    EXPECT_FALSE(emulator.CablePlugged());
}

TEST_F(CommandSetTest, TheDongleAnswersForItselfWhileTheMouseIsOff) {
    Connect(Endpoint::Dongle);
    emulator.SetMousePowered(false);
    DeviceInfo dongle;
    DeviceInfo mouse;
    EXPECT_EQ(commands.DonglePreamble(), result::Done);
    EXPECT_EQ(commands.ReadDongleInfo(dongle), result::Done);
    EXPECT_EQ(commands.ReadMouseInfo(mouse, DongleWaits.mouseInfo), 2);
}

// The dongle gives up on a mouse it cannot reach and says so on the report the
// command is answered on.
TEST_F(CommandSetTest, ReadConfigThroughTheDongleWithTheMouseAwayIsNotDone) {
    Connect(Endpoint::Dongle);
    emulator.SetWirelessLink(false);
    store.EditConfig().MotionSync = 1;
    const DeviceConfig before = store.EditConfig();

    EXPECT_EQ(commands.ReadConfig(DongleWaits.config), 2);
    EXPECT_EQ(store.EditConfig(), before);
}

TEST_F(CommandSetTest, PairDongleAsksTheDongleToPair) {
    Connect(Endpoint::Dongle);
    EXPECT_EQ(commands.PairDongle(), result::Done);
    EXPECT_TRUE(emulator.PairingRequested());
}

TEST_F(CommandSetTest, FactoryResetRestoresTheFactoryBlock) {
    emu::Block block = emu::FactoryBlock();
    block[0x05] = 0x40;
    emulator.SetConfigBlock(block);
    Connect(Endpoint::Cable);
    EXPECT_EQ(commands.FactoryReset(CableWaits.factoryReset), result::Done);
    EXPECT_EQ(emulator.ConfigBlock(), emu::FactoryBlock());
}

// --- the dongle preamble ---------------------------------------------------------

// The dongle's link check says how its mouse is: reachable, silent (switched
// off), never paired, or out of range while the dongle still searches, which
// reads as busy until the re-reads give up. The alternative check asks after
// the dongle itself.
struct LinkCase {
    const char* name;
    std::function<void(emu::Qx9Emulator&)> state;
    std::uint8_t linkCheck;
    Milliseconds waited;
};

class LinkCheckTest : public CommandSetTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkCheckTest, AnswersByTheStateOfTheLink) {
    Connect(Endpoint::Dongle);
    GetParam().state(emulator);
    EXPECT_EQ(commands.LinkCheck(), GetParam().linkCheck);
    EXPECT_EQ(Elapsed(), GetParam().waited);
    EXPECT_EQ(commands.LinkCheckAlt(), result::Done);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkCheckTest,
    ::testing::Values(
        LinkCase{"MouseReachable", [](auto&) {}, 1, 300ms},
        LinkCase{"MouseOff", [](emu::Qx9Emulator& e) { e.SetMousePowered(false); }, 8, 300ms},
        LinkCase{"NotPaired", [](emu::Qx9Emulator& e) { e.SetPaired(false); }, 17, 300ms},
        LinkCase{"OutOfRange", [](emu::Qx9Emulator& e) { e.SetWirelessLink(false); }, 3,
                 300ms + 500ms + 700ms}),
    test::CaseName{});

struct PreambleCase {
    const char* name;
    std::function<void(emu::Qx9Emulator&)> fault;
    std::uint8_t expected;
    std::size_t checks;
};

class DonglePreambleTest : public CommandSetTest,
                           public ::testing::WithParamInterface<PreambleCase> {};

TEST_P(DonglePreambleTest, FallsBackToTheAlternativeCheckOnce) {
    Connect(Endpoint::Dongle);
    GetParam().fault(emulator);
    EXPECT_EQ(commands.DonglePreamble(), GetParam().expected);
    const auto sends = Sends();
    EXPECT_EQ(sends.size(), GetParam().checks);
    if (sends.size() == 2) {
        EXPECT_EQ(sends[1].bytes[2], 0x0F) << "the alternative check";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DonglePreambleTest,
    ::testing::Values(
        PreambleCase{"FirstCheckAnswers", [](auto&) {}, result::Done, 1},
        PreambleCase{"MouseOffAlternativeAnswers",
                     [](emu::Qx9Emulator& e) { e.SetMousePowered(false); }, result::Done, 2},
        PreambleCase{"UnpairedAlternativeAnswers", [](emu::Qx9Emulator& e) { e.SetPaired(false); },
                     result::Done, 2},
        PreambleCase{"OutOfRangeAlternativeAnswers",
                     [](emu::Qx9Emulator& e) { e.SetWirelessLink(false); }, result::Done, 2},
        PreambleCase{"FirstRefusedAlternativeAnswers",
                     [](emu::Qx9Emulator& e) { e.RefuseCommand(0x0F, 8, 1); }, result::Done, 2},
        PreambleCase{"BothRefused", [](emu::Qx9Emulator& e) { e.RefuseCommand(0x0F, 17, 2); }, 17,
                     2},
        PreambleCase{"FirstSendFailsAlternativeAnswers",
                     [](emu::Qx9Emulator& e) { e.FailNextSends(1, HidError::BadHandle); },
                     result::Done, 2}),
    test::CaseName{});

// --- the button mapping's outcome ---------------------------------------------------

struct ButtonCase {
    const char* name;
    std::function<void(emu::Qx9Emulator&)> fault;
    std::uint8_t expected;
    std::size_t chunksAccepted;
};

class ButtonOutcomeTest : public CommandSetTest,
                          public ::testing::WithParamInterface<ButtonCase> {};

// Success only when the device confirmed both chunks; otherwise the outcome of
// the first chunk it did not confirm.
TEST_P(ButtonOutcomeTest, IsSuccessOnlyWhenBothChunksWereConfirmed) {
    Connect(Endpoint::Cable);
    GetParam().fault(emulator);
    EXPECT_EQ(commands.WriteButtonMapping(store.EditConfig(), CableWaits.settingsWrite),
              GetParam().expected);
    std::size_t accepted = 0;
    for (const auto& entry : Sends()) {
        accepted += entry.ok;
    }
    EXPECT_EQ(accepted, GetParam().chunksAccepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonOutcomeTest,
    ::testing::Values(ButtonCase{"BothConfirmed", [](auto&) {}, result::Done, 2},
                      ButtonCase{"FirstRefusedSecondConfirmed",
                                 [](emu::Qx9Emulator& e) { e.RefuseCommand(0x16, 2, 1); }, 2, 2},
                      ButtonCase{"FirstRefusedWithOtherStatus",
                                 [](emu::Qx9Emulator& e) { e.RefuseCommand(0x16, 9, 1); }, 9, 2},
                      ButtonCase{
                          "FirstReplyUnreadable",
                          [](emu::Qx9Emulator& e) { e.FailNextReads(3, HidError::NotReady); },
                          result::NoReply, 2},
                      ButtonCase{"SecondRefused",
                                 [](emu::Qx9Emulator& e) { e.RefuseCommand(0x16, 6, 1, 1); }, 6, 2},
                      ButtonCase{"FirstSendFailsWithoutRetry",
                                 [](emu::Qx9Emulator& e) { e.FailNextSends(1, HidError::Crc); },
                                 result::SendFailed, 0},
                      ButtonCase{"SecondSendFails",
                                 [](emu::Qx9Emulator& e) { e.FailNextSends(1, HidError::Crc, 1); },
                                 result::SendFailed, 1},
                      ButtonCase{"FirstRefusedSecondSendFails",
                                 [](emu::Qx9Emulator& e) {
                                     e.RefuseCommand(0x16, 7, 1);
                                     e.FailNextSends(1, HidError::Crc, 1);
                                 },
                                 7, 1}),
    test::CaseName{});

TEST_F(CommandSetTest, AFailedSecondChunkLeavesTheFirstStored) {
    Connect(Endpoint::Cable);
    DeviceConfig changed = store.EditConfig();
    changed.Buttons[0].ActionType = 0xFF;
    changed.Buttons[7].ActionType = 0xFF;
    emulator.FailNextSends(1, HidError::Crc, 1);

    EXPECT_EQ(commands.WriteButtonMapping(changed, CableWaits.settingsWrite), result::SendFailed);
    EXPECT_EQ(emulator.ConfigBlock()[0x37], 0xFF);
    EXPECT_EQ(emulator.ConfigBlock()[0x37 + 7 * 7], 0x01);
}

}  // namespace
}  // namespace qx9
