#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "FactoryBlock.h"
#include "MouseRecognition.h"
#include "support/CaseName.h"
#include "support/DeviceEventsFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using Record = std::array<std::uint8_t, StatusRecordSize>;

enum class Reach { Cable, Dongle };

// What the mouse holds: 2000 Hz, the frame rate not forced, power saving off.
DeviceConfig MouseConfig() {
    DeviceConfig config;
    ResetConfigDefaults(config);
    config.PollingRate = 0x04;
    config.FeatureFlags = 0x01;
    config.PowerSaving = 0x85;
    config.DeepSleep = 0x85;
    return config;
}

class StatusRecordTest : public test::DeviceEventsFixture {
  protected:
    void StartOn(Reach reach) {
        emu::Block block = emu::FactoryBlock();
        const ConfigImage image = PackedImage(MouseConfig());
        std::copy(image.begin(), image.begin() + 0x70, block.begin());
        emulator.SetConfigBlock(block);
        (reach == Reach::Cable ? emulator.PlugCable(true) : emulator.PlugDongle(true));
        ASSERT_TRUE(Start());
        loaded = store.BaseConfig();
        emulator.ClearTrace();
    }
    static Endpoint Of(Reach reach) {
        return reach == Reach::Cable ? Endpoint::Cable : Endpoint::Dongle;
    }
    bool ApplyEnabled() const { return Find<QPushButton>("applyButton")->isEnabled(); }

    DeviceConfig loaded;
};

// --- the active CPI level -------------------------------------------------------------

TEST_F(StatusRecordTest, TheMousesCpiButtonMarksItsLevelInBothRecordsAndSendsNothing) {
    StartOn(Reach::Dongle);
    const std::uint8_t before = store.BaseConfig().CurrentCpiLevel;

    Deliver(1, [this] { emulator.PressCpiButton(); });

    const std::uint8_t level = emulator.ConfigBlock()[0x0D];
    ASSERT_NE(level, before);
    for (int selector = 1; selector <= 4; ++selector) {
        const std::string name = "levelSelector" + std::to_string(selector);
        EXPECT_EQ(Find<QRadioButton>(name.c_str())->isChecked(), selector == level + 1) << name;
    }
    EXPECT_EQ(store.EditConfig().CurrentCpiLevel, level);
    EXPECT_EQ(store.BaseConfig().CurrentCpiLevel, level);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_TRUE(emulator.Trace().empty());
}

// --- the report rate --------------------------------------------------------------------

struct Box {
    bool checked;
    bool enabled;
    friend bool operator==(const Box&, const Box&) = default;
};

struct RateCase {
    const char* name;
    Reach reach;
    Record record;
    int entry;
    std::uint8_t stored;  // PollingRate of both records
    Box forceMaxFps;
    Box powerSaving;
};

class ReportRateRecordTest : public StatusRecordTest,
                             public ::testing::WithParamInterface<RateCase> {};

TEST_P(ReportRateRecordTest, FollowsTheTableByConnection) {
    const RateCase& c = GetParam();
    StartOn(c.reach);
    auto* forceMaxFps = Find<QCheckBox>("forceMaxFpsBox");
    auto* powerSaving = Find<QCheckBox>("powerSavingBox");

    DeliverRecord(c.record, Of(c.reach));

    EXPECT_EQ(Find<QComboBox>("reportRateList")->currentIndex(), c.entry);
    EXPECT_EQ(store.EditConfig().PollingRate, c.stored);
    EXPECT_EQ(store.BaseConfig().PollingRate, c.stored);
    EXPECT_EQ((Box{forceMaxFps->isChecked(), forceMaxFps->isEnabled()}), c.forceMaxFps);
    EXPECT_EQ((Box{powerSaving->isChecked(), powerSaving->isEnabled()}), c.powerSaving);
    EXPECT_FALSE(ApplyEnabled()) << "a reported rate is no edit";
    EXPECT_TRUE(emulator.Trace().empty());
}

constexpr std::uint8_t Rate = record::ReportRate;
constexpr Box On{true, true};
constexpr Box Off{false, true};
constexpr Box ForcedOn{true, false};
constexpr Box OffDisabled{false, false};

// The mouse's power saving is off, so "rate on" leaves its box unticked and
// "rate off" ticks it.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, ReportRateRecordTest,
    ::testing::Values(
        RateCase{"Hz4000ForcedWireless",   Reach::Dongle, {Rate, 0x02, 1}, 0, 0x02, On, Off},
        RateCase{"Hz2000ForcedWireless",   Reach::Dongle, {Rate, 0x04, 1}, 1, 0x04, On, Off},
        RateCase{"Hz1000Wireless",         Reach::Dongle, {Rate, 0x08, 0}, 2, 0x08, Off, Off},
        RateCase{"Hz1000SavingWireless",   Reach::Dongle, {Rate, 0x80, 1}, 3, 0x80, OffDisabled, ForcedOn},
        RateCase{"OfficeWireless",         Reach::Dongle, {Rate, 0x40, 0}, 4, 0x40, OffDisabled, ForcedOn},
        RateCase{"UnknownCodeWireless",    Reach::Dongle, {Rate, 0x33, 1}, 1, 0x04, Off, Off},
        RateCase{"Hz1000ForcedCable",      Reach::Cable,  {Rate, 0x08, 1}, 2, 0x08, On, Off},
        RateCase{"Hz4000Cable",            Reach::Cable,  {Rate, 0x02, 1}, 2, 0x04, Off, Off},
        RateCase{"OfficeCable",            Reach::Cable,  {Rate, 0x40, 0}, 2, 0x04, Off, Off},
        RateCase{"UnknownCodeCable",       Reach::Cable,  {Rate, 0x33, 1}, 2, 0x04, Off, Off}),
    test::CaseName{});
// clang-format on

// --- the product id --------------------------------------------------------------------

struct ProductCase {
    const char* name;
    std::uint16_t productId;
    bool inputsAfter;
};

class ProductIdRecordTest : public StatusRecordTest,
                            public ::testing::WithParamInterface<ProductCase> {};

TEST_P(ProductIdRecordTest, AnotherMouseDisablesTheInputsAndNothingElse) {
    StartOn(Reach::Dongle);
    const test::Screen before = Shown();
    const std::uint16_t id = GetParam().productId;

    DeliverRecord({record::ProductId, 0, static_cast<std::uint8_t>(id & 0xFF),
                   static_cast<std::uint8_t>(id >> 8)});

    test::Screen expected = before;
    expected.inputs = GetParam().inputsAfter;
    EXPECT_EQ(Shown(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProductIdRecordTest,
                         ::testing::Values(ProductCase{"OurMouse", WiredProductId, true},
                                           ProductCase{"BytesSwapped", 0x115C, false},
                                           ProductCase{"TheDongleItself", DongleProductId, false}),
                         test::CaseName{});

// --- the battery --------------------------------------------------------------------------

struct BatteryCase {
    const char* name;
    Reach reach;
    std::uint8_t level;
    const char* shown;
};

class BatteryRecordTest : public StatusRecordTest,
                          public ::testing::WithParamInterface<BatteryCase> {};

TEST_P(BatteryRecordTest, ShowsTheLevelByConnection) {
    StartOn(GetParam().reach);
    DeliverRecord({record::Battery, GetParam().level}, Of(GetParam().reach));
    EXPECT_EQ(TextOf("batteryText"), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatteryRecordTest,
    ::testing::Values(BatteryCase{"Wireless", Reach::Dongle, 42, "42%"},
                      BatteryCase{"WirelessEmpty", Reach::Dongle, 0, "0%"},
                      BatteryCase{"WirelessCappedAt100", Reach::Dongle, 180, "100%"},
                      BatteryCase{"CableCharging", Reach::Cable, 99, "Charging"},
                      BatteryCase{"CableFull", Reach::Cable, 100, "100%"},
                      BatteryCase{"CableAboveFull", Reach::Cable, 255, "100%"}),
    test::CaseName{});

TEST_F(StatusRecordTest, ABatteryRecordFromAMouseNotIdentifiedIsIgnored) {
    emulator.PlugDongle(true);
    emulator.SetMouseProductId(0x1234);
    ASSERT_TRUE(Start());
    ASSERT_EQ(window->MouseRecognition(), recognition::Foreign);
    emulator.ClearTrace();

    DeliverRecord({record::Battery, 42});

    EXPECT_EQ(TextOf("batteryText"), "");
    EXPECT_TRUE(emulator.Trace().empty()) << "no reconnection for a mouse that is not ours";
}

// --- the wireless link ------------------------------------------------------------------

struct LinkCase {
    const char* name;
    Reach reach;
    std::uint8_t state;
    bool lost;
};

class LinkStateRecordTest : public StatusRecordTest,
                            public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkStateRecordTest, OnlyAWirelessConnectionIsLost) {
    StartOn(GetParam().reach);
    const test::Screen before = Shown();

    DeliverRecord({record::LinkState, GetParam().state}, Of(GetParam().reach));

    if (GetParam().lost) {
        // The dongle, what is known of the mouse and its link stay for the
        // reconnection.
        EXPECT_EQ(Shown(), (test::Screen{"N/A", "", "1.04", "", false, true, LinkMode::None}));
        EXPECT_EQ(window->MouseRecognition(), recognition::Recognised);
        EXPECT_TRUE(link.DonglePresent());
        EXPECT_TRUE(link.HoldsDevice());
    } else {
        EXPECT_EQ(Shown(), before);
    }
    EXPECT_TRUE(emulator.Trace().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkStateRecordTest,
    ::testing::Values(LinkCase{"OffWhileWireless", Reach::Dongle, record::LinkStateOff, true},
                      LinkCase{"OnWhileWireless", Reach::Dongle, record::LinkStateOn, true},
                      LinkCase{"OtherStateWhileWireless", Reach::Dongle, 0x00, false},
                      LinkCase{"OnTheCable", Reach::Cable, record::LinkStateOff, false}),
    test::CaseName{});

TEST_F(StatusRecordTest, RecordsOfOtherKindsChangeNothing) {
    StartOn(Reach::Dongle);
    const test::Screen before = Shown();

    Deliver(3, [this] {
        for (const std::uint8_t code : {0x00, 0x03, 0xB2}) {
            emulator.SendStatusReport(Endpoint::Dongle, {StatusReportId, code, 0x10, 0x11, 0x5C});
        }
    });

    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(store.BaseConfig(), loaded);
    EXPECT_EQ(store.EditConfig(), loaded);
}

}  // namespace
}  // namespace qx9
