#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <functional>

#include "FactoryBlock.h"
#include "UiTexts.h"
#include "support/CaseName.h"
#include "support/MainWindowFixture.h"
#include "support/SentCommands.h"

namespace qx9 {
namespace {

using test::MainWindowFixture;
using Lines = std::vector<std::string>;
using Fault = std::function<void(emu::Qx9Emulator&)>;

enum class Reach { Cable, Dongle, CableAndDongle };

// What the mouse holds: level 1 at 1200 CPI; what the pages read back
// unchanged at APPLY: both timeouts off (1 and 5 minutes, as the Power
// Settings page's fields give them) and the only report rate the Advanced
// Settings page offers on the cable.
DeviceConfig MouseConfig() {
    DeviceConfig config;
    ResetConfigDefaults(config);
    config.CpiLevels[0] = {0, 1200, 1200};
    config.PollingRate = 0x08;
    config.PowerSaving = 0x81;
    config.DeepSleep = 0x85;
    return config;
}

class DeviceActionsTest : public MainWindowFixture {
  protected:
    void StartWithMouse(Reach reach) {
        emu::Block block = emu::FactoryBlock();
        const ConfigImage image = PackedImage(MouseConfig());
        std::copy(image.begin(), image.begin() + 0x70, block.begin());
        emulator.SetConfigBlock(block);
        emulator.PlugCable(reach != Reach::Dongle);
        emulator.PlugDongle(reach != Reach::Cable);
        ASSERT_TRUE(Start());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        loadedBase = store.BaseConfig();
        emulator.ClearTrace();
    }
    QPushButton* Apply() const { return Find<QPushButton>("applyButton"); }
    QPushButton* FactoryReset() const { return Find<QPushButton>("factoryResetButton"); }
    QCheckBox* RippleControl() const { return Find<QCheckBox>("rippleControlBox"); }
    void Click(QAbstractButton* button) const { QTest::mouseClick(button, Qt::LeftButton); }
    // The requests sent since `since`, with where they went and when.
    Lines SentSince(Milliseconds since) const {
        return test::SentCommands(emulator.Trace(), since);
    }

    DeviceConfig loadedBase;
};

// --- APPLY --------------------------------------------------------------------------

struct ApplyCase {
    const char* name;
    Reach reach;
    // Edits made through the Basic Settings page's widgets and, for the
    // sections whose pages are not driven here, in EditConfig itself.
    std::function<void(QCheckBox* rippleControl, DeviceConfig&)> edit;
    Fault fault;
    Lines sent;
    bool baseAdvanced;
    bool applyEnabledAfter;
};

class ApplyTest : public DeviceActionsTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(ApplyTest, SendsTheEditsAndLeavesTheButtonAsTheOutcomeSays) {
    const ApplyCase& c = GetParam();
    StartWithMouse(c.reach);
    c.edit(RippleControl(), store.EditConfig());
    ASSERT_TRUE(Apply()->isEnabled());
    if (c.fault) {
        c.fault(emulator);
    }
    const Milliseconds pressed = clock.Now();

    Click(Apply());

    EXPECT_EQ(SentSince(pressed), c.sent);
    EXPECT_EQ(Apply()->isEnabled(), c.applyEnabledAfter);
    if (c.baseAdvanced) {
        EXPECT_EQ(store.BaseConfig(), store.EditConfig());
    } else {
        EXPECT_EQ(store.BaseConfig(), loadedBase);
    }
    EXPECT_TRUE(notifier.shown.empty()) << "APPLY shows no message in any outcome";
    EXPECT_TRUE(window->isVisible());
}

void TickRippleControl(QCheckBox* rippleControl, DeviceConfig&) {
    QTest::mouseClick(rippleControl, Qt::LeftButton);
}
void TickRippleAndDisableTheMiddleButton(QCheckBox* rippleControl, DeviceConfig& edit) {
    edit.Buttons[2] = {0xFF, 0, 0, 0, 8};
    TickRippleControl(rippleControl, edit);
}
// Only a byte of no section differs; ticking and unticking a box lets the
// window see the records differ.
void ChangeOutsideEverySection(QCheckBox* rippleControl, DeviceConfig& edit) {
    edit.CfgByte00 = 0x5A;
    TickRippleControl(rippleControl, edit);
    TickRippleControl(rippleControl, edit);
}

const Fault NoFault;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyTest,
    ::testing::Values(
        ApplyCase{"OnTheCable", Reach::Cable, TickRippleAndDisableTheMiddleButton, NoFault,
                  {"0 cable WriteSensorSettings", "500 cable WriteButtonMapping 1",
                   "1100 cable WriteButtonMapping 2"},
                  true, false},
        ApplyCase{"ThroughTheDongle", Reach::Dongle, TickRippleControl, NoFault,
                  {"0 dongle LinkCheck", "300 dongle WriteSensorSettings"}, true, false},
        ApplyCase{"SensorRefused", Reach::Cable, TickRippleAndDisableTheMiddleButton,
                  [](emu::Qx9Emulator& e) {
                      e.RefuseCommand(command::WriteSensorSettings, status::NotDone);
                  },
                  {"0 cable WriteSensorSettings"}, false, true},
        ApplyCase{"DeviceVanishesDuringTheFirstWrite", Reach::Cable,
                  TickRippleAndDisableTheMiddleButton,
                  [](emu::Qx9Emulator& e) { e.VanishDuringNextCommand(); },
                  {"0 cable WriteSensorSettings"}, false, true},
        ApplyCase{"DongleLinkDown", Reach::Dongle, TickRippleControl,
                  [](emu::Qx9Emulator& e) {
                      e.RefuseCommand(command::LinkCheck, status::NotDone, 2);
                  },
                  {"0 dongle LinkCheck", "300 dongle LinkCheckAlt"}, false, true},
        ApplyCase{"OutsideEverySectionOnTheCable", Reach::Cable, ChangeOutsideEverySection,
                  NoFault, {}, false, true},
        ApplyCase{"OutsideEverySectionThroughTheDongle", Reach::Dongle,
                  ChangeOutsideEverySection, NoFault, {"0 dongle LinkCheck"}, true, false}),
    test::CaseName{});
// clang-format on

TEST_F(DeviceActionsTest, AConfirmedApplyReachesTheMouseAsAFreshReadShows) {
    StartWithMouse(Reach::Cable);
    Click(RippleControl());
    Click(Apply());

    ASSERT_EQ(commands.ReadConfig(CableWaits.config), result::Done);
    EXPECT_EQ(store.EditConfig().RippleControl, 1);
    EXPECT_EQ(store.EditConfig().PowerSaving, 0x81);
    EXPECT_EQ(store.EditConfig().DeepSleep, 0x85);
}

TEST_F(DeviceActionsTest, AfterTheDeviceVanishedApplyFailsAgainAndLosesNothing) {
    StartWithMouse(Reach::Cable);
    Click(RippleControl());
    emulator.VanishDuringNextCommand();
    Click(Apply());
    const Milliseconds pressed = clock.Now();

    Click(Apply());

    EXPECT_EQ(SentSince(pressed), Lines{"0 cable WriteSensorSettings FAILED"});
    EXPECT_TRUE(Apply()->isEnabled());
    EXPECT_EQ(store.BaseConfig(), loadedBase);
    EXPECT_EQ(store.EditConfig().RippleControl, 1);
}

struct AfterPairingCase {
    const char* name;
    Reach reach;
};

class ApplyAfterPairingTest : public DeviceActionsTest,
                              public ::testing::WithParamInterface<AfterPairingCase> {};

TEST_P(ApplyAfterPairingTest, GoesToTheMouseOnItsCable) {
    StartWithMouse(GetParam().reach);
    hotKey.Press();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(notifier.shown.size(), 1u);
    ClickTab(0);
    Click(RippleControl());
    const Milliseconds pressed = clock.Now();

    Click(Apply());

    EXPECT_EQ(SentSince(pressed), Lines{"0 cable WriteSensorSettings"});
    EXPECT_FALSE(Apply()->isEnabled());
    EXPECT_FALSE(link.LinkRetargeted());
}

INSTANTIATE_TEST_SUITE_P(Cases, ApplyAfterPairingTest,
                         ::testing::Values(AfterPairingCase{"WithTheDongle", Reach::CableAndDongle},
                                           AfterPairingCase{"WithNoDongle", Reach::Cable}),
                         test::CaseName{});

// --- Factory Reset -----------------------------------------------------------------------

struct ResetCase {
    const char* name;
    Reach reach;
    Fault fault;
    Lines sent;
    bool confirmed;
};

class FactoryResetTest : public DeviceActionsTest,
                         public ::testing::WithParamInterface<ResetCase> {};

TEST_P(FactoryResetTest, AConfirmedResetShowsTheDefaultsAnyOtherChangesNothing) {
    const ResetCase& c = GetParam();
    StartWithMouse(c.reach);
    Click(RippleControl());
    const ConfigStore before = store;
    if (c.fault) {
        c.fault(emulator);
    }
    const Milliseconds pressed = clock.Now();

    Click(FactoryReset());

    EXPECT_EQ(SentSince(pressed), c.sent);
    auto* level1 = Find<QLineEdit>("xBox1");
    if (c.confirmed) {
        DeviceConfig defaults;
        ResetConfigDefaults(defaults);
        EXPECT_EQ(store.EditConfig(), defaults);
        EXPECT_EQ(store.BaseConfig(), defaults);
        EXPECT_EQ(level1->text(), "400");
        EXPECT_FALSE(RippleControl()->isChecked());
        EXPECT_FALSE(Apply()->isEnabled());
    } else {
        EXPECT_EQ(store.EditConfig(), before.EditConfig());
        EXPECT_EQ(store.BaseConfig(), before.BaseConfig());
        EXPECT_EQ(level1->text(), "1200");
        EXPECT_TRUE(RippleControl()->isChecked());
        EXPECT_TRUE(Apply()->isEnabled());
    }
    EXPECT_TRUE(notifier.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FactoryResetTest,
    ::testing::Values(
        ResetCase{"ConfirmedOnTheCable", Reach::Cable, NoFault, {"0 cable FactoryReset"}, true},
        ResetCase{"ConfirmedThroughTheDongle",
                  Reach::Dongle,
                  NoFault,
                  {"0 dongle LinkCheck", "300 dongle FactoryReset"},
                  true},
        ResetCase{
            "Refused",
            Reach::Cable,
            [](emu::Qx9Emulator& e) { e.RefuseCommand(command::FactoryReset, status::NotDone); },
            {"0 cable FactoryReset"},
            false},
        ResetCase{"DeviceGone",
                  Reach::Cable,
                  [](emu::Qx9Emulator& e) { e.PlugCable(false); },
                  {"0 cable FactoryReset FAILED"},
                  false}),
    test::CaseName{});

}  // namespace
}  // namespace qx9
