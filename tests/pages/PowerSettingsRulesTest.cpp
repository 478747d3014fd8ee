#include <gtest/gtest.h>

#include "PowerSettingsRules.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

using namespace power;

struct MinutesCase {
    const char* name;
    const char* text;
    std::uint32_t committed;  // what the field settles to
    ReadBackProblem powerSavingCheck;
    ReadBackProblem deepSleepCheck;
};

class MinutesTextTest : public ::testing::TestWithParam<MinutesCase> {};

TEST_P(MinutesTextTest, SettlesWithinRangeAndReadsBackWithTheFieldsCheck) {
    const MinutesCase& c = GetParam();
    EXPECT_EQ(CommittedMinutes(c.text), c.committed);
    const ReadBack powerSaving = ReadBackMinutes(c.text, true);
    EXPECT_EQ(powerSaving.problem, c.powerSavingCheck);
    if (powerSaving.problem == ReadBackProblem::None) {
        EXPECT_EQ(powerSaving.minutes, c.committed);
    }
    const ReadBack deepSleep = ReadBackMinutes(c.text, false);
    EXPECT_EQ(deepSleep.problem, c.deepSleepCheck);
    if (deepSleep.problem == ReadBackProblem::None) {
        EXPECT_EQ(deepSleep.minutes, c.committed) << "never a value outside 1..120";
    }
}

constexpr auto Fine = ReadBackProblem::None;
constexpr auto NoNumber = ReadBackProblem::NotAPositiveInteger;
constexpr auto OutOfRange = ReadBackProblem::OutOfRange;

INSTANTIATE_TEST_SUITE_P(Cases, MinutesTextTest,
                         ::testing::Values(MinutesCase{"Empty", "", 1, NoNumber, NoNumber},
                                           MinutesCase{"Zero", "0", 1, OutOfRange, Fine},
                                           MinutesCase{"Lowest", "1", 1, Fine, Fine},
                                           MinutesCase{"Highest", "120", 120, Fine, Fine},
                                           MinutesCase{"JustAbove", "121", 120, OutOfRange, Fine},
                                           MinutesCase{"Typed250", "250", 120, OutOfRange, Fine},
                                           MinutesCase{"LeadingZeros", "007", 7, Fine, Fine},
                                           MinutesCase{"HugeSaturates", "99999999999999999999", 120,
                                                       OutOfRange, Fine},
                                           MinutesCase{"NotDigits", "5a", 1, NoNumber, NoNumber}),
                         test::CaseName{});

struct ComposeCase {
    const char* name;
    std::uint32_t minutes;
    bool on;
    std::uint8_t stored;
};

class ComposeTimeoutTest : public ::testing::TestWithParam<ComposeCase> {};

TEST_P(ComposeTimeoutTest, BitSevenMeansOffAndTheMinutesComeBack) {
    EXPECT_EQ(ComposeTimeout(GetParam().minutes, GetParam().on), GetParam().stored);
    const Timeout back = DecomposeTimeout(GetParam().stored);
    EXPECT_EQ(back.minutes, GetParam().minutes);
    EXPECT_EQ(back.on, GetParam().on);
}

INSTANTIATE_TEST_SUITE_P(Cases, ComposeTimeoutTest,
                         ::testing::Values(ComposeCase{"OnFive", 5, true, 0x05},
                                           ComposeCase{"OffFive", 5, false, 0x85},
                                           ComposeCase{"OnHighest", 120, true, 0x78},
                                           ComposeCase{"OffLowest", 1, false, 0x81}),
                         test::CaseName{});

TEST(DecomposeTimeoutTest, StoredMinutesOutsideTheRangeShowWithinIt) {
    EXPECT_EQ(DecomposeTimeout(0x00).minutes, 1u);
    EXPECT_EQ(DecomposeTimeout(0x80).minutes, 1u);
    EXPECT_EQ(DecomposeTimeout(0x7F).minutes, 120u);
    EXPECT_FALSE(DecomposeTimeout(0xFF).on);
}

struct LoadCase {
    const char* name;
    std::uint8_t powerSaving;
    std::uint8_t deepSleep;
    std::uint8_t pollingRate;
    PowerTimeouts shown;
    bool forced;
};

class LoadedPowerPageTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadedPowerPageTest, ShowsTheTimeoutsTheRateAndTheEqualMinutesRuleAllow) {
    const PowerPageState state =
        LoadedPowerPage(GetParam().powerSaving, GetParam().deepSleep, GetParam().pollingRate);
    const PowerTimeouts& want = GetParam().shown;
    EXPECT_EQ(state.shown.powerSavingMinutes, want.powerSavingMinutes);
    EXPECT_EQ(state.shown.powerSavingOn, want.powerSavingOn);
    EXPECT_EQ(state.shown.deepSleepMinutes, want.deepSleepMinutes);
    EXPECT_EQ(state.shown.deepSleepOn, want.deepSleepOn);
    EXPECT_EQ(state.powerSavingForced, GetParam().forced);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadedPowerPageTest,
    ::testing::Values(
        LoadCase{"PowerSavingOff", 0x85, 0x03, 0x02, {5, false, 3, true}, false},
        LoadCase{"OfficeRateForcesItOn", 0x81, 0x03, 0x40, {1, true, 3, true}, true},
        LoadCase{"PowerSavingRateForcesItOn", 0x85, 0x83, 0x80, {5, true, 3, false}, true},
        LoadCase{"EqualMinutesBothOn", 10, 10, 0x02, {10, false, 10, true}, false},
        LoadCase{"EqualMinutesDeepSleepOff", 10, 0x8A, 0x02, {10, true, 10, false}, false},
        LoadCase{"EqualMinutesAfterTheRange", 0x7F, 120, 0x02, {120, false, 120, true}, false}),
    test::CaseName{});

}  // namespace
}  // namespace qx9
