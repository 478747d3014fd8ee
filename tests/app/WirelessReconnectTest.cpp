#include <gtest/gtest.h>

#include "MouseRecognition.h"
#include "support/CaseName.h"
#include "support/DeviceEventsFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using Lines = std::vector<std::string>;
using test::Screen;

const Screen Lost{"N/A", "", "1.04", "", false, true, LinkMode::None};
const Screen Back{"Wireless", "1.05", "1.04", "85%", true, true, LinkMode::Dongle};
const Lines Reload{"0 dongle LinkCheck",    "300 dongle ReadDongleInfo",
                   "450 dongle LinkCheck",  "750 dongle ReadMouseInfo",
                   "1100 dongle LinkCheck", "1400 dongle ReadBattery",
                   "1750 dongle LinkCheck", "2050 dongle ReadConfig"};

class WirelessReconnectTest : public test::DeviceEventsFixture {
  protected:
    // Wireless, then the mouse goes out of reach and the dongle says so.
    void StartAndLoseTheLink() {
        emulator.PlugDongle(true);
        ASSERT_TRUE(Start());
        Deliver(1, [this] { emulator.DropWirelessLink(); });
        ASSERT_EQ(Shown(), Lost);
        emulator.ClearTrace();
    }
    // The mouse is in reach again: it moves, or it reports its battery.
    void MouseComesBack() { emulator.SetWirelessLink(true); }
    bool ApplyEnabled() const { return Find<QPushButton>("applyButton")->isEnabled(); }
};

enum class Sign { RawInput, BatteryRecord };

struct SignCase {
    const char* name;
    Sign sign;
};

class MouseBackTest : public WirelessReconnectTest, public ::testing::WithParamInterface<SignCase> {
  protected:
    void Signal() {
        if (GetParam().sign == Sign::RawInput) {
            MoveMouse(Endpoint::Dongle);
        } else {
            Deliver(1, [this] { emulator.ReportBattery(); });
        }
    }
};

TEST_P(MouseBackTest, ReconnectsAndReloadsThePages) {
    StartAndLoseTheLink();
    MouseComesBack();
    const Milliseconds at = clock.Now();

    Signal();

    EXPECT_EQ(Shown(), Back);
    EXPECT_EQ(SentSince(at), Reload) << "a known mouse is not asked who it is again";
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(emulator.OpenStatusReaders(), 1) << "the dongle's reader went on";
}

TEST_P(MouseBackTest, BringsBackTheBasicSettingsPageWhenPairingWasShowing) {
    StartAndLoseTheLink();
    hotKey.Press();
    ASSERT_EQ(Tabs()->currentIndex(), 4);
    MouseComesBack();

    Signal();

    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_TRUE(Find("CSensorDlg")->isVisible());
    EXPECT_FALSE(Find("CPair")->isVisible());
}

TEST_P(MouseBackTest, KeepsTheTabTheUserWasOn) {
    StartAndLoseTheLink();
    ASSERT_TRUE(window->MouseRecognition() == recognition::Recognised);
    ClickTab(3);
    ASSERT_EQ(Tabs()->currentIndex(), 3);
    MouseComesBack();

    Signal();

    EXPECT_EQ(Shown(), Back);
    EXPECT_EQ(Tabs()->currentIndex(), 3);
}

INSTANTIATE_TEST_SUITE_P(Signs, MouseBackTest,
                         ::testing::Values(SignCase{"RawInput", Sign::RawInput},
                                           SignCase{"BatteryRecord", Sign::BatteryRecord}),
                         test::CaseName{});

TEST_F(WirelessReconnectTest, RawInputTriesOnceAfterEachLostLink) {
    StartAndLoseTheLink();

    // Still out of reach: the attempt fails and leads to pairing.
    MoveMouse(Endpoint::Dongle);
    EXPECT_FALSE(emulator.Trace().empty());
    EXPECT_EQ(TextOf("connectionText"), "N/A");
    emulator.ClearTrace();
    MouseComesBack();
    MoveMouse(Endpoint::Dongle);
    EXPECT_TRUE(emulator.Trace().empty()) << "no second attempt from raw input";

    // A battery record still brings it back, and the next lost link allows
    // raw input one attempt again.
    Deliver(1, [this] { emulator.ReportBattery(); });
    ASSERT_EQ(Shown(), Back);
    Deliver(1, [this] { emulator.DropWirelessLink(); });
    MouseComesBack();
    MoveMouse(Endpoint::Dongle);
    EXPECT_EQ(Shown(), Back);
}

struct InputCase {
    const char* name;
    std::string source;
};

class OtherInputTest : public WirelessReconnectTest,
                       public ::testing::WithParamInterface<InputCase> {};

TEST_P(OtherInputTest, StartsNoAttempt) {
    StartAndLoseTheLink();
    MouseComesBack();

    rawInput.Move(QString::fromStdString(GetParam().source));

    EXPECT_TRUE(emulator.Trace().empty());
    EXPECT_EQ(Shown(), Lost);
    // Not spent on the wrong mouse: the dongle's own still counts.
    MoveMouse(Endpoint::Dongle);
    EXPECT_EQ(Shown(), Back);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, OtherInputTest,
    ::testing::Values(InputCase{"CableMouse", emu::Qx9Emulator::MouseInputName(Endpoint::Cable)},
                      InputCase{"AnotherMouse", "/sys/devices/0003:046D:C077.0001/input/input3"},
                      InputCase{"LowerCaseId", "/sys/devices/0003:3a9e:5c22.0001/input/input3"},
                      InputCase{"NoName", ""}),
    test::CaseName{});

TEST_F(WirelessReconnectTest, RawInputWhileConnectedStartsNothing) {
    emulator.PlugDongle(true);
    ASSERT_TRUE(Start());
    emulator.ClearTrace();

    MoveMouse(Endpoint::Dongle);

    EXPECT_TRUE(emulator.Trace().empty());
    EXPECT_EQ(Shown(), Back);
}

// --- a mouse the tool has not identified yet ------------------------------------------------

struct FirstContactCase {
    const char* name;
    std::uint16_t productId;
    std::uint8_t recognition;
    Screen after;
};

class FirstContactTest : public WirelessReconnectTest,
                         public ::testing::WithParamInterface<FirstContactCase> {};

// The tool started with the dongle and its mouse off: the mouse's first
// movement makes the tool ask who it is.
TEST_P(FirstContactTest, TheFirstMovementIdentifiesTheMouse) {
    emulator.PlugDongle(true);
    emulator.SetMousePowered(false);
    ASSERT_TRUE(Start());
    ASSERT_EQ(window->MouseRecognition(), recognition::Unknown);
    emulator.SetMousePowered(true);
    emulator.SetMouseProductId(GetParam().productId);
    emulator.ClearTrace();
    const Milliseconds at = clock.Now();

    MoveMouse(Endpoint::Dongle);

    EXPECT_EQ(window->MouseRecognition(), GetParam().recognition);
    EXPECT_EQ(Shown(), GetParam().after);
    const Lines sent = SentSince(at);
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ((Lines{sent[0], sent[1]}), (Lines{"0 dongle LinkCheck", "300 dongle ReadMouseInfo"}));
}

INSTANTIATE_TEST_SUITE_P(
    Mice, FirstContactTest,
    ::testing::Values(FirstContactCase{"Ours", WiredProductId, recognition::Recognised, Back},
                      FirstContactCase{"Foreign", 0x1234, recognition::Foreign,
                                       Screen{"N/A", "", "1.04", "", false, true, LinkMode::None}}),
    test::CaseName{});

}  // namespace
}  // namespace qx9
