#include <gtest/gtest.h>

#include <limits>

#include "AdvancedSettingsRules.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

using namespace advanced;

// --- report rate -------------------------------------------------------------------

struct RateCase {
    const char* name;
    std::uint8_t code;
    std::optional<int> entry;  // the entry that shows the code
    int entryOffGlass;         // the entry for the device's code once glass mode is left
    bool powerSaving;
};

class ReportRateTest : public ::testing::TestWithParam<RateCase> {};

TEST_P(ReportRateTest, CodesAndEntriesMapBothWays) {
    EXPECT_EQ(RateEntryOf(GetParam().code), GetParam().entry);
    EXPECT_EQ(RateEntryForDeviceCode(GetParam().code), GetParam().entryOffGlass);
    EXPECT_EQ(IsPowerSavingRate(GetParam().code), GetParam().powerSaving);
    if (GetParam().entry) {
        EXPECT_EQ(RateCodeAt(*GetParam().entry), GetParam().code);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportRateTest,
                         ::testing::Values(RateCase{"Hz4000", 0x02, 0, 0, false},
                                           RateCase{"Hz2000", 0x04, 1, 1, false},
                                           RateCase{"Hz1000", 0x08, 2, 2, false},
                                           RateCase{"Hz1000PowerSaving", 0x80, 3, 3, true},
                                           RateCase{"Hz125Office", 0x40, 4, 4, true},
                                           RateCase{"Unknown", 0x10, std::nullopt, 2, false},
                                           RateCase{"Zero", 0x00, std::nullopt, 2, false}),
                         test::CaseName{});

TEST(ReportRateTest, NoEntrySelectedStoresTheFirstCode) {
    EXPECT_EQ(RateCodeAt(-1), 0x02);
    EXPECT_EQ(RateCodeAt(5), 0x02);
}

struct ReportCase {
    const char* name;
    std::uint8_t code;
    bool wireless;
    bool applies;
};

class RateReportTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(RateReportTest, OnlyTheDongleTakesEveryRateOfTheList) {
    EXPECT_EQ(RateReportApplies(GetParam().code, GetParam().wireless), GetParam().applies);
}

INSTANTIATE_TEST_SUITE_P(Cases, RateReportTest,
                         ::testing::Values(ReportCase{"Hz1000OnTheCable", 0x08, false, true},
                                           ReportCase{"Hz4000OnTheCable", 0x02, false, false},
                                           ReportCase{"OfficeOnTheCable", 0x40, false, false},
                                           ReportCase{"OfficeWireless", 0x40, true, true},
                                           ReportCase{"UnknownOnTheCable", 0x33, false, false},
                                           ReportCase{"UnknownWireless", 0x33, true, false}),
                         test::CaseName{});

// --- number fields -----------------------------------------------------------------------

struct TextCase {
    const char* name;
    const char* text;
    int integer;
    int filter;
    int angle;
};

class NumberTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberTextTest, SignAndLeadingDigitsThenTheFieldsLimits) {
    EXPECT_EQ(IntegerValueOf(GetParam().text), GetParam().integer);
    EXPECT_EQ(FilterFromText(GetParam().text), GetParam().filter);
    EXPECT_EQ(AngleFromText(GetParam().text), GetParam().angle);
}

constexpr int Largest = std::numeric_limits<int>::max();
constexpr int Smallest = std::numeric_limits<int>::min();

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberTextTest,
    ::testing::Values(
        TextCase{"Empty", "", 0, 0, 0}, TextCase{"LoneMinus", "-", 0, 0, 0},
        TextCase{"NoDigits", "abc", 0, 0, 0}, TextCase{"TrailingText", "12x4", 12, 12, 12},
        TextCase{"InRange", "25", 25, 25, 25}, TextCase{"JustAboveTheFilters", "26", 26, 25, 26},
        TextCase{"Filter260", "260", 260, 25, 127}, TextCase{"Filter300", "300", 300, 25, 127},
        TextCase{"AngleBelow", "-200", -200, 0, -127},
        TextCase{"AngleLowest", "-127", -127, 0, -127}, TextCase{"Plus", "+7", 7, 7, 7},
        TextCase{"LeadingBlanks", "  9", 9, 9, 9}, TextCase{"DoubleSign", "--3", 0, 0, 0},
        TextCase{"HugeSaturates", "99999999999999999999", Largest, 25, 127},
        TextCase{"HugeNegativeSaturates", "-99999999999999999999", Smallest, 0, -127}),
    test::CaseName{});

struct StoredFilterCase {
    const char* name;
    std::uint8_t stored;
    int shown;
    int switchMode;
};

class StoredFilterTest : public ::testing::TestWithParam<StoredFilterCase> {};

TEST_P(StoredFilterTest, ShowsWhatTheRowCanShow) {
    EXPECT_EQ(ShownFilter(GetParam().stored), GetParam().shown);
    EXPECT_EQ(SwitchModeEntryOf(GetParam().stored), GetParam().switchMode);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredFilterTest,
                         ::testing::Values(StoredFilterCase{"Zero", 0, 0, 0},
                                           StoredFilterCase{"Highest", 25, 25, 0},
                                           StoredFilterCase{"Thirty", 30, 8, 0},
                                           StoredFilterCase{"Byte0xEE", 0xEE, 8, 0},
                                           StoredFilterCase{"SpeedMode", 0xF1, 8, 1},
                                           StoredFilterCase{"SafeMode", 0xF0, 8, 2}),
                         test::CaseName{});

TEST(SwitchModeTest, ASwitchModeStoresItsCodeAndOffStoresTheFilter) {
    EXPECT_EQ(FilterByteFor(1, 8), SpeedModeCode);
    EXPECT_EQ(FilterByteFor(2, 3), SafeModeCode);
    EXPECT_EQ(FilterByteFor(0, 12), 12);
    EXPECT_EQ(FilterByteFor(0, 40), 25) << "no filter byte above 25";
    for (const std::uint8_t stored : {std::uint8_t{0xF1}, std::uint8_t{0xF0}, std::uint8_t{7}}) {
        EXPECT_EQ(FilterByteFor(SwitchModeEntryOf(stored), ShownFilter(stored)), stored);
    }
}

TEST(AngleTest, AStoredMinus128ShowsZero) {
    EXPECT_EQ(ShownAngle(-128), 0);
    EXPECT_EQ(ShownAngle(-127), -127);
    EXPECT_EQ(ShownAngle(127), 127);
}

// --- feature flags --------------------------------------------------------------------------

struct FlagsCase {
    const char* name;
    FeatureChecks checks;
    std::uint8_t flags;
};

class FeatureFlagsTest : public ::testing::TestWithParam<FlagsCase> {};

TEST_P(FeatureFlagsTest, TheThreeBoxesMakeTheWholeByte) {
    EXPECT_EQ(ComposeFeatureFlags(GetParam().checks), GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(Cases, FeatureFlagsTest,
                         ::testing::Values(FlagsCase{"None", {false, false, false}, 0x00},
                                           FlagsCase{"Slamclick", {true, false, false}, 0x01},
                                           FlagsCase{"Acknowledged", {false, true, false}, 0x20},
                                           FlagsCase{"ForceMaxFps", {false, false, true}, 0x40},
                                           FlagsCase{"All", {true, true, true}, 0x61}),
                         test::CaseName{});

}  // namespace
}  // namespace qx9
