#include <gtest/gtest.h>

#include <QCheckBox>
#include <optional>

#include "MouseRecognition.h"
#include "UiTexts.h"
#include "support/CaseName.h"
#include "support/DeviceEventsFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using Lines = std::vector<std::string>;
using test::Screen;

constexpr int BasicTab = 0;
constexpr int PairingTab = 4;

// What is plugged in when the tool starts.
struct Hardware {
    bool cable = false;
    bool dongle = false;
    bool mouseOn = true;
    bool linkLost = false;  // the wireless link drops once the window is up
};

enum class Event { CableIn, CableOut, DongleIn, DongleOut };

class HotPlugTest : public test::DeviceEventsFixture {
  protected:
    void StartWith(const Hardware& hardware) {
        emulator.PlugCable(hardware.cable);
        emulator.PlugDongle(hardware.dongle);
        emulator.SetMousePowered(hardware.mouseOn);
        ASSERT_TRUE(Start());
        if (hardware.linkLost) {
            Deliver(1, [this] { emulator.DropWirelessLink(); });
            ASSERT_EQ(link.ConnectionMode(), LinkMode::None);
        }
        emulator.ClearTrace();
    }
    void Happen(Event event) {
        switch (event) {
            case Event::CableIn:
                return PlugIn(Endpoint::Cable);
            case Event::CableOut:
                return PullOut(Endpoint::Cable);
            case Event::DongleIn:
                return PlugIn(Endpoint::Dongle);
            case Event::DongleOut:
                return PullOut(Endpoint::Dongle);
        }
    }
};

// --- the lifecycle, row by row ------------------------------------------------------

struct LifecycleCase {
    const char* name;
    Hardware before;
    Event event;
    Screen after;
    int tab;
    // The requests from the event on, with their times; nullopt where the
    // emulated dongle's answers for a silent mouse are not the point.
    std::optional<Lines> sent;
};

class LifecycleTest : public HotPlugTest, public ::testing::WithParamInterface<LifecycleCase> {};

TEST_P(LifecycleTest, MovesTheWindowToItsNextState) {
    const LifecycleCase& c = GetParam();
    StartWith(c.before);
    const Milliseconds at = clock.Now();

    Happen(c.event);

    EXPECT_EQ(Shown(), c.after);
    EXPECT_EQ(Tabs()->currentIndex(), c.tab);
    if (c.sent) {
        EXPECT_EQ(SentSince(at), *c.sent);
    }
    EXPECT_TRUE(notifier.shown.empty()) << "no message box in any of these";
}

constexpr Hardware Nothing{};
constexpr Hardware Cable{true, false};
constexpr Hardware Dongle{false, true};
constexpr Hardware CableAndDongle{true, true};

const Screen NoDevice{"N/A", "", "", "", false, false, LinkMode::None};
const Screen WiredWithoutDongle{"Wired", "1.05", "", "Charging", true, false, LinkMode::Cable};
const Screen WiredWithDongle{"Wired", "1.05", "1.04", "Charging", true, true, LinkMode::Cable};
const Screen Wireless{"Wireless", "1.05", "1.04", "85%", true, true, LinkMode::Dongle};

// Each arrival waits 1100 ms before it talks to the device.
const Lines CableLoadAfterArrival{"1100 cable ReadMouseInfo", "1250 cable ReadBattery",
                                  "1550 cable ReadConfig"};
const Lines DongleLoadFrom0{"0 dongle LinkCheck",    "300 dongle ReadDongleInfo",
                            "450 dongle LinkCheck",  "750 dongle ReadMouseInfo",
                            "1100 dongle LinkCheck", "1400 dongle ReadBattery",
                            "1750 dongle LinkCheck", "2050 dongle ReadConfig"};
const Lines DongleLoadAfterArrival{"1100 dongle LinkCheck", "1400 dongle ReadDongleInfo",
                                   "1550 dongle LinkCheck", "1850 dongle ReadMouseInfo",
                                   "2200 dongle LinkCheck", "2500 dongle ReadBattery",
                                   "2850 dongle LinkCheck", "3150 dongle ReadConfig"};
const Lines NothingSent{};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, LifecycleTest,
    ::testing::Values(
        LifecycleCase{"CableArrivesWithNothingConnected", Nothing, Event::CableIn,
                      WiredWithoutDongle, BasicTab, CableLoadAfterArrival},
        LifecycleCase{"CableArrivesWhileWireless", Dongle, Event::CableIn, WiredWithDongle,
                      BasicTab,
                      Lines{"1100 cable ReadMouseInfo", "1250 cable ReadBattery",
                            "1550 cable ReadConfig", "1660 dongle LinkCheck",
                            "1960 dongle ReadDongleInfo"}},
        LifecycleCase{"CableArrivesWhileWired", Cable, Event::CableIn, WiredWithoutDongle,
                      BasicTab, NothingSent},
        LifecycleCase{"DongleArrivesWithNothingConnected", Nothing, Event::DongleIn, Wireless,
                      BasicTab, DongleLoadAfterArrival},
        LifecycleCase{"DongleArrivesWithItsMouseOff", Hardware{false, false, false},
                      Event::DongleIn, Screen{"N/A", "", "1.04", "", false, true, LinkMode::None},
                      PairingTab, std::nullopt},
        // Only the dongle's version is read; no wait, no reload, the cable stays.
        LifecycleCase{"DongleArrivesBesideTheCable", Cable, Event::DongleIn, WiredWithDongle,
                      BasicTab, Lines{"0 dongle LinkCheck", "300 dongle ReadDongleInfo"}},
        LifecycleCase{"DongleArrivesWhileWireless", Dongle, Event::DongleIn, Wireless, BasicTab,
                      NothingSent},
        LifecycleCase{"CableRemovedBesideTheDongle", CableAndDongle, Event::CableOut, Wireless,
                      BasicTab, DongleLoadFrom0},
        // The dongle answers, its mouse does not: no longer "Wired" either.
        LifecycleCase{"CableRemovedBesideTheDongleWithTheMouseOff",
                      Hardware{true, true, false}, Event::CableOut,
                      Screen{"N/A", "", "1.04", "", false, true, LinkMode::None}, PairingTab,
                      std::nullopt},
        LifecycleCase{"CableRemovedWithoutADongle", Cable, Event::CableOut, NoDevice, BasicTab,
                      NothingSent},
        LifecycleCase{"CableRemovedWhileWireless", Dongle, Event::CableOut, Wireless, BasicTab,
                      NothingSent},
        LifecycleCase{"DongleRemovedBesideTheCable", CableAndDongle, Event::DongleOut,
                      WiredWithoutDongle, BasicTab, NothingSent},
        LifecycleCase{"DongleRemovedWhileWireless", Dongle, Event::DongleOut, NoDevice, BasicTab,
                      NothingSent},
        LifecycleCase{"DongleRemovedAfterTheLinkWasLost", Hardware{false, true, true, true},
                      Event::DongleOut, NoDevice, BasicTab, NothingSent},
        LifecycleCase{"DongleRemovedWhenItWasNeverThere", Cable, Event::DongleOut,
                      WiredWithoutDongle, BasicTab, NothingSent}),
    test::CaseName{});
// clang-format on

// --- pulling the dongle while wireless ------------------------------------------------

TEST_F(HotPlugTest, AfterTheDonglesRemovalARecordReadBeforeItIsDropped) {
    StartWith(Dongle);
    ASSERT_EQ(TextOf("batteryText"), "85%");
    // Read by the listener just before the dongle went, still on its way.
    Deliver(1, [this] {
        records.Poster()(StatusRecord{{record::Battery, 40}});
        PullOut(Endpoint::Dongle);
    });

    EXPECT_EQ(TextOf("batteryText"), "");
    EXPECT_FALSE(listener.StatusDispatchEnabled);
}

TEST_F(HotPlugTest, AfterTheDonglesRemovalNoMouseIsIdentifiedAndTabClicksAreRefused) {
    StartWith(Dongle);
    PullOut(Endpoint::Dongle);

    EXPECT_EQ(window->MouseRecognition(), recognition::Unknown);
    ClickTab(2);
    EXPECT_EQ(Tabs()->currentIndex(), BasicTab);
}

TEST_F(HotPlugTest, TheDonglesRemovalBesideTheCableKeepsTheMouseIdentified) {
    StartWith(CableAndDongle);
    PullOut(Endpoint::Dongle);

    EXPECT_EQ(window->MouseRecognition(), recognition::Recognised);
    EXPECT_TRUE(listener.StatusDispatchEnabled);
    ClickTab(2);
    EXPECT_EQ(Tabs()->currentIndex(), 2);
}

// --- devices with several interfaces ---------------------------------------------------

TEST_F(HotPlugTest, OnlyTheFirstMatchingInterfaceActsTheOthersFindNothingToDo) {
    StartWith(Nothing);
    PlugIn(Endpoint::Cable);
    PlugIn(Endpoint::Dongle);

    const Lines sent = SentSince(Milliseconds{0});
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                            [](const std::string& line) { return line.ends_with("ReadConfig"); }),
              1)
        << "one load for four announced interfaces";
    EXPECT_EQ(emulator.OpenStatusReaders(), 1);
    EXPECT_EQ(Shown(), WiredWithDongle);
}

struct RetryCase {
    const char* name;
    Endpoint endpoint;
    Screen loaded;
};

class ArrivalRetryTest : public HotPlugTest, public ::testing::WithParamInterface<RetryCase> {};

// An interface announced before the device's command collection can be opened
// must not keep the later announcements of the same device from loading it.
TEST_P(ArrivalRetryTest, ADiscoveryThatFailsLeavesTheNextAnnouncementFree) {
    StartWith(Nothing);
    emulator.FailNextOpens(1);

    PlugIn(GetParam().endpoint);

    EXPECT_EQ(Shown(), GetParam().loaded);
}

TEST_P(ArrivalRetryTest, ADeviceThatCannotBeOpenedIsTakenWhenItComesAgain) {
    StartWith(Nothing);
    emulator.FailNextOpens(4, HidError::AccessDenied);
    PlugIn(GetParam().endpoint);
    EXPECT_EQ(Shown(), NoDevice);
    EXPECT_EQ(TextOf("deviceHint"), QString::fromUtf8(text::AccessRefusedHint));

    PullOut(GetParam().endpoint);
    PlugIn(GetParam().endpoint);

    EXPECT_EQ(Shown(), GetParam().loaded);
    EXPECT_FALSE(Find<QLabel>("deviceHint")->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, ArrivalRetryTest,
                         ::testing::Values(RetryCase{"Cable", Endpoint::Cable, WiredWithoutDongle},
                                           RetryCase{"Dongle", Endpoint::Dongle, Wireless}),
                         test::CaseName{});

// --- the link after a dongle arrives beside the cable -----------------------------------

TEST_F(HotPlugTest, AfterADongleArrivesBesideTheCableApplyStillGoesToTheMouse) {
    StartWith(Cable);
    PlugIn(Endpoint::Dongle);
    const Milliseconds at = clock.Now();

    QTest::mouseClick(Find<QCheckBox>("rippleControlBox"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>("applyButton"), Qt::LeftButton);

    const Lines sent = SentSince(at);
    ASSERT_FALSE(sent.empty());
    for (const std::string& line : sent) {
        EXPECT_NE(line.find(" cable Write"), std::string::npos) << line;
    }
    EXPECT_FALSE(Find<QPushButton>("applyButton")->isEnabled()) << "the mouse confirmed";
    EXPECT_FALSE(link.LinkRetargeted());
}

// --- names that are not ours ------------------------------------------------------------

struct ForeignCase {
    const char* name;
    const char* deviceName;
};

class ForeignNameTest : public HotPlugTest, public ::testing::WithParamInterface<ForeignCase> {};

TEST_P(ForeignNameTest, ItsArrivalChangesNothing) {
    StartWith(Nothing);
    emulator.PlugCable(true);
    emulator.PlugDongle(true);

    hotPlug.Arrive(QString::fromUtf8(GetParam().deviceName));

    EXPECT_TRUE(emulator.Trace().empty());
    EXPECT_EQ(Shown(), NoDevice);
}

TEST_P(ForeignNameTest, ItsRemovalChangesNothing) {
    StartWith(CableAndDongle);

    hotPlug.Remove(QString::fromUtf8(GetParam().deviceName));

    EXPECT_TRUE(emulator.Trace().empty());
    EXPECT_EQ(Shown(), WiredWithDongle);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ForeignNameTest,
    ::testing::Values(
        ForeignCase{"OtherVendor", "/sys/devices/virtual/0003:1234:0001.0001/hidraw/hidraw9"},
        ForeignCase{"OtherProductOfTheVendor", "/sys/0003:3A9E:5C12.0002/hidraw/hidraw9"},
        ForeignCase{"LowerCaseIds", "/sys/0003:3a9e:5c11.0002/hidraw/hidraw9"},
        ForeignCase{"IdsOnlyAtTheStart", "3A9E5C11"},
        // A volume or a port: no interface name at all.
        ForeignCase{"NoName", ""}),
    test::CaseName{});

}  // namespace
}  // namespace qx9
