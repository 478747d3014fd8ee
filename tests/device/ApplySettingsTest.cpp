#include <gtest/gtest.h>

#include <functional>

#include "ApplySettings.h"
#include "PairRequest.h"
#include "support/CaseName.h"
#include "support/EmulatorFixture.h"
#include "support/SentCommands.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::EmulatorFixture;
using Lines = std::vector<std::string>;
using Fault = std::function<void(emu::Qx9Emulator&)>;

// What the user changed, by section; `Outside` is a byte no section holds.
enum Edit : std::uint8_t {
    Sensor = 1,
    Advanced = 2,
    Buttons = 4,
    Outside = 8,
};

void MakeEdits(std::uint8_t edits, DeviceConfig& config) {
    if (edits & Sensor) {
        config.CpiLevels[0] = {1, 1200, 1000};
    }
    if (edits & Advanced) {
        config.MotionSync = 1;
    }
    if (edits & Buttons) {
        config.Buttons[2] = {0xFF, 0, 0, 0, 8};
    }
    if (edits & Outside) {
        config.CfgByte00 = 0x5A;
    }
}

class ApplySettingsTest : public EmulatorFixture {
  protected:
    // The records as a load leaves them, then the user's edits in EditConfig.
    void LoadedAndEdited(Endpoint endpoint, std::uint8_t edits) {
        Connect(endpoint);
        ASSERT_EQ(commands.ReadConfig(CableWaits.config), result::Done);
        store.UnpackConfig(store.BaseConfig());
        MakeEdits(edits, store.EditConfig());
        loadedBase = store.BaseConfig();
        emulator.ClearTrace();
        RestartTimer();
    }
    Lines Sent() const { return test::SentCommands(emulator.Trace(), start); }
    // What the mouse holds now, read as a load would read it.
    DeviceConfig FreshRead() {
        const DeviceConfig edit = store.EditConfig();
        EXPECT_EQ(commands.ReadConfig(DongleWaits.config), result::Done);
        const DeviceConfig fresh = store.EditConfig();
        store.EditConfig() = edit;
        return fresh;
    }
    void ExpectConfirmed() {
        EXPECT_EQ(store.BaseConfig(), store.EditConfig());
        EXPECT_EQ(ChangedSections(FreshRead(), store.EditConfig()), 0)
            << "the mouse holds every section as edited";
    }
    void ExpectNothingLost(std::uint8_t sections) {
        EXPECT_EQ(store.BaseConfig(), loadedBase);
        EXPECT_EQ(store.ChangedSections(), sections) << "the next APPLY sends them again";
    }

    DeviceConfig loadedBase;
};

// --- the write chain on the wire ------------------------------------------------------

struct PathCase {
    const char* name;
    Endpoint endpoint;
    std::uint8_t edits;
    Fault fault;
    Lines sent;
    Milliseconds elapsed;
    bool confirmed;
};

class ApplyPathTest : public ApplySettingsTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(ApplyPathTest, SendsTheChangedSectionsInOrderWithTheirWaits) {
    const PathCase& c = GetParam();
    LoadedAndEdited(c.endpoint, c.edits);
    const std::uint8_t sections = store.ChangedSections();
    if (c.fault) {
        c.fault(emulator);
    }

    const ApplyResult applied = ApplySettings(link, commands, store);

    EXPECT_TRUE(applied.reached);
    EXPECT_EQ(Sent(), c.sent);
    EXPECT_EQ(Elapsed(), c.elapsed);
    EXPECT_EQ(applied.confirmed, c.confirmed);
    if (c.confirmed) {
        ExpectConfirmed();
    } else {
        ExpectNothingLost(sections);
    }
}

const Fault NoFault;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyPathTest,
    ::testing::Values(
        PathCase{"OnlyButtonsOnTheCable", Endpoint::Cable, Buttons, NoFault,
                 {"0 cable WriteButtonMapping 1", "600 cable WriteButtonMapping 2"},
                 2 * (500ms + 100ms), true},
        PathCase{"OnlyButtonsThroughTheDongle", Endpoint::Dongle, Buttons, NoFault,
                 {"0 dongle LinkCheck", "300 dongle WriteButtonMapping 1",
                  "1280 dongle WriteButtonMapping 2"},
                 300ms + 2 * (880ms + 100ms), true},
        PathCase{"AllThreeOnTheCable", Endpoint::Cable, Sensor | Advanced | Buttons, NoFault,
                 {"0 cable WriteSensorSettings", "500 cable WriteAdvancedSettings",
                  "1000 cable WriteButtonMapping 1", "1600 cable WriteButtonMapping 2"},
                 500ms + 500ms + 2 * (500ms + 100ms), true},
        PathCase{"AllThreeThroughTheDongleWithLinkChecksBetween", Endpoint::Dongle,
                 Sensor | Advanced | Buttons, NoFault,
                 {"0 dongle LinkCheck", "300 dongle WriteSensorSettings",
                  "1180 dongle LinkCheck", "1480 dongle WriteAdvancedSettings",
                  "2360 dongle LinkCheck", "2660 dongle WriteButtonMapping 1",
                  "3640 dongle WriteButtonMapping 2"},
                 3 * 300ms + 2 * 880ms + 2 * (880ms + 100ms), true},
        PathCase{"SensorRefusedHoldsTheButtonsBack", Endpoint::Cable, Sensor | Buttons,
                 [](emu::Qx9Emulator& e) {
                     e.RefuseCommand(command::WriteSensorSettings, status::NotDone);
                 },
                 {"0 cable WriteSensorSettings"}, 500ms, false},
        PathCase{"SensorRefusedThroughTheDongleChecksTheLinkNoMore", Endpoint::Dongle,
                 Sensor | Advanced,
                 [](emu::Qx9Emulator& e) {
                     e.RefuseCommand(command::WriteSensorSettings, status::NotDone);
                 },
                 {"0 dongle LinkCheck", "300 dongle WriteSensorSettings"}, 300ms + 880ms, false},
        PathCase{"AFailingLinkCheckBetweenWritesDoesNotStopTheChain", Endpoint::Dongle,
                 Advanced | Buttons,
                 [](emu::Qx9Emulator& e) {
                     // The preamble passes; both checks before the buttons fail.
                     e.RefuseCommand(command::LinkCheck, status::NotDone, 2, 1);
                 },
                 {"0 dongle LinkCheck", "300 dongle WriteAdvancedSettings",
                  "1180 dongle LinkCheck", "1480 dongle LinkCheckAlt",
                  "1780 dongle WriteButtonMapping 1", "2760 dongle WriteButtonMapping 2"},
                 3 * 300ms + 880ms + 2 * (880ms + 100ms), true},
        // Nothing to send: the cable counts it as not done, the dongle as done
        // by its link check.
        PathCase{"OutsideEverySectionOnTheCable", Endpoint::Cable, Outside, NoFault,
                 {}, 0ms, false},
        PathCase{"OutsideEverySectionThroughTheDongle", Endpoint::Dongle, Outside, NoFault,
                 {"0 dongle LinkCheck"}, 300ms, true}),
    test::CaseName{});
// clang-format on

TEST_F(ApplySettingsTest, APartialApplySendsEverySectionAgainNextTime) {
    LoadedAndEdited(Endpoint::Cable, Sensor | Advanced | Buttons);
    emulator.RefuseCommand(command::WriteAdvancedSettings, status::NotDone);

    EXPECT_FALSE(ApplySettings(link, commands, store).confirmed);
    ExpectNothingLost(SensorSection | AdvancedSection | ButtonSection);

    emulator.ClearTrace();
    RestartTimer();
    EXPECT_TRUE(ApplySettings(link, commands, store).confirmed);
    EXPECT_EQ(Sent(),
              (Lines{"0 cable WriteSensorSettings", "500 cable WriteAdvancedSettings",
                     "1000 cable WriteButtonMapping 1", "1600 cable WriteButtonMapping 2"}));
    ExpectConfirmed();
}

// --- when nothing can be sent ---------------------------------------------------------------

TEST_F(ApplySettingsTest, WithNoDeviceNothingIsSentAndNothingChanges) {
    MakeEdits(Sensor | Buttons, store.EditConfig());
    const ConfigStore before = store;

    const ApplyResult applied = ApplySettings(link, commands, store);

    EXPECT_FALSE(applied.reached);
    EXPECT_TRUE(emulator.Trace().empty());
    EXPECT_EQ(store.BaseConfig(), before.BaseConfig());
    EXPECT_EQ(store.EditConfig(), before.EditConfig());
}

TEST_F(ApplySettingsTest, WithNoDeviceKnownItLooksForOneAndSends) {
    emulator.PlugCable(true);
    MakeEdits(Sensor, store.EditConfig());

    const ApplyResult applied = ApplySettings(link, commands, store);

    EXPECT_TRUE(applied.confirmed);
    EXPECT_EQ(link.ConnectionMode(), LinkMode::Cable);
    EXPECT_EQ(Sent(), Lines{"0 cable WriteSensorSettings"});
}

TEST_F(ApplySettingsTest, WhenTheDonglesLinkIsDownNothingIsSent) {
    LoadedAndEdited(Endpoint::Dongle, Sensor);
    emulator.RefuseCommand(command::LinkCheck, status::NotDone, 2);

    const ApplyResult applied = ApplySettings(link, commands, store);

    EXPECT_FALSE(applied.reached);
    EXPECT_EQ(Sent(), (Lines{"0 dongle LinkCheck", "300 dongle LinkCheckAlt"}));
    ExpectNothingLost(SensorSection);
}

// --- the acknowledgement ---------------------------------------------------------------------

struct AckCase {
    const char* name;
    std::uint8_t loadedFlags;
    std::uint8_t editedFlags;
    Fault fault;
    bool stored;
};

class AcknowledgementTest : public ApplySettingsTest,
                            public ::testing::WithParamInterface<AckCase> {};

TEST_P(AcknowledgementTest, CountsAsStoredOnlyWhenTickedSinceLoadAndConfirmed) {
    DeviceConfig mouse;
    ResetConfigDefaults(mouse);
    mouse.FeatureFlags = GetParam().loadedFlags;
    emu::Block block = emulator.ConfigBlock();
    const ConfigImage image = PackedImage(mouse);
    std::copy(image.begin(), image.begin() + 0x70, block.begin());
    emulator.SetConfigBlock(block);
    LoadedAndEdited(Endpoint::Cable, Buttons);
    // As the Advanced page leaves them after its load and the user's ticks.
    store.EditConfig().AckShown = GetParam().loadedFlags & 0x20;
    store.EditConfig().FeatureFlags = GetParam().editedFlags;
    store.EditConfig().MotionSync = 1;
    if (GetParam().fault) {
        GetParam().fault(emulator);
    }

    EXPECT_EQ(ApplySettings(link, commands, store).acknowledgementStored, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AcknowledgementTest,
    ::testing::Values(AckCase{"TickedSinceLoad", 0x01, 0x21, NoFault, true},
                      AckCase{"TickedButTheButtonsThenRefused", 0x01, 0x21,
                              [](emu::Qx9Emulator& e) {
                                  e.RefuseCommand(command::WriteButtonMapping, status::NotDone);
                              },
                              true},
                      AckCase{"AlreadyStoredWhenLoaded", 0x21, 0x21, NoFault, false},
                      AckCase{"NotTicked", 0x01, 0x01, NoFault, false},
                      AckCase{"TickedButTheWriteRefused", 0x01, 0x21,
                              [](emu::Qx9Emulator& e) {
                                  e.RefuseCommand(command::WriteAdvancedSettings, status::NotDone);
                              },
                              false}),
    test::CaseName{});

// --- after pairing from the cable ------------------------------------------------------------

struct AfterPairingCase {
    const char* name;
    bool donglePlugged;
};

class ApplyAfterPairingTest : public ApplySettingsTest,
                              public ::testing::WithParamInterface<AfterPairingCase> {};

TEST_P(ApplyAfterPairingTest, TheWritesGoToTheMouseOnItsCable) {
    emulator.PlugDongle(GetParam().donglePlugged);
    LoadedAndEdited(Endpoint::Cable, Sensor);
    PairRequest(link, commands);
    RestartTimer();
    emulator.ClearTrace();

    EXPECT_TRUE(ApplySettings(link, commands, store).confirmed);

    EXPECT_EQ(Sent(), Lines{"0 cable WriteSensorSettings"});
    EXPECT_FALSE(link.LinkRetargeted());
    EXPECT_EQ(link.ConnectionMode(), LinkMode::Cable);
}

INSTANTIATE_TEST_SUITE_P(Cases, ApplyAfterPairingTest,
                         ::testing::Values(AfterPairingCase{"DongleFound", true},
                                           AfterPairingCase{"NoDongle", false}),
                         test::CaseName{});

}  // namespace
}  // namespace qx9
