#include <gtest/gtest.h>

#include <QCheckBox>

#include "support/DeviceEventsFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;

// Rounds of the cable and the dongle coming and going in both orders, with
// status records flowing and an APPLY in each: the window keeps up with every
// step and the emulator sees no request outside the contract. The sanitizer
// builds run the same rounds, the listener thread restarting all along.
constexpr int Rounds = 300;

class HotPlugSoakTest : public test::DeviceEventsFixture {
  protected:
    void ExpectMode(LinkMode mode, const char* connection) {
        ASSERT_EQ(link.ConnectionMode(), mode);
        ASSERT_EQ(TextOf("connectionText"), connection);
    }
    // Edits a setting, APPLYs it and sees the mouse take it.
    void Apply() {
        auto* ripple = Find<QCheckBox>("rippleControlBox");
        const bool wanted = !ripple->isChecked();
        QTest::mouseClick(ripple, Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>("applyButton"), Qt::LeftButton);
        ASSERT_FALSE(Find<QPushButton>("applyButton")->isEnabled());
        ASSERT_EQ(emulator.ConfigBlock()[0x0B], wanted ? 1 : 0);
    }
    void ReportBatteryAndLevel(int round, const std::string& shown) {
        emulator.SetBattery(static_cast<std::uint8_t>(round % 100));
        Deliver(2, [this] {
            emulator.PressCpiButton();
            emulator.ReportBattery();
        });
        ASSERT_EQ(TextOf("batteryText").toStdString(), shown);
        ASSERT_EQ(store.BaseConfig().CurrentCpiLevel, emulator.ConfigBlock()[0x0D]);
    }

    // Wired with the dongle -> wireless -> the link lost and back -> nothing
    // -> wireless -> wired again while wireless.
    void ThroughTheDongle(int round) {
        PullOut(Endpoint::Cable);
        ExpectMode(LinkMode::Dongle, "Wireless");
        ReportBatteryAndLevel(round, std::to_string(round % 100) + "%");
        Apply();
        Deliver(1, [this] { emulator.DropWirelessLink(); });
        ExpectMode(LinkMode::None, "N/A");
        emulator.SetWirelessLink(true);
        MoveMouse(Endpoint::Dongle);
        ExpectMode(LinkMode::Dongle, "Wireless");
        PullOut(Endpoint::Dongle);
        ExpectMode(LinkMode::None, "N/A");
        PlugIn(Endpoint::Dongle);
        ExpectMode(LinkMode::Dongle, "Wireless");
        PlugIn(Endpoint::Cable);
        ExpectMode(LinkMode::Cable, "Wired");
    }

    // Wired with the dongle -> the dongle out -> nothing -> wired -> the
    // dongle in beside the cable.
    void OnTheCable(int round) {
        PullOut(Endpoint::Dongle);
        ExpectMode(LinkMode::Cable, "Wired");
        PullOut(Endpoint::Cable);
        ExpectMode(LinkMode::None, "N/A");
        PlugIn(Endpoint::Cable);
        ExpectMode(LinkMode::Cable, "Wired");
        PlugIn(Endpoint::Dongle);
        ExpectMode(LinkMode::Cable, "Wired");
        ASSERT_EQ(TextOf("dongleVersionText"), "1.04");
        Apply();
        ReportBatteryAndLevel(round, "Charging");
    }
};

TEST_F(HotPlugSoakTest, RoundsOfPlugAndUnplugWithRecordsAndApply) {
    emulator.PlugCable(true);
    emulator.PlugDongle(true);
    ASSERT_TRUE(Start());
    for (int round = 0; round < Rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        if (round % 2 == 0) {
            ThroughTheDongle(round);
        } else {
            OnTheCable(round);
        }
        if (HasFatalFailure()) {
            return;
        }
        ASSERT_TRUE(emulator.Violations().empty());
        emulator.ClearTrace();
    }
    EXPECT_TRUE(notifier.shown.empty());
}

}  // namespace
}  // namespace qx9
