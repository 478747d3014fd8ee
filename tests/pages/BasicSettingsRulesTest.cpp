#include <gtest/gtest.h>

#include "BasicSettingsRules.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

using namespace basic;

struct CpiCase {
    const char* name;
    std::uint32_t typed;
    std::uint32_t shown;
    int slider;
};

class NormalizeCpiTest : public ::testing::TestWithParam<CpiCase> {};

TEST_P(NormalizeCpiTest, StepsAndClampsAndPlacesTheSlider) {
    const std::uint32_t shown = NormalizeCpi(GetParam().typed);
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_EQ(CpiToSliderPos(shown), GetParam().slider);
}

INSTANTIATE_TEST_SUITE_P(Cases, NormalizeCpiTest,
                         ::testing::Values(CpiCase{"BelowTheLowest", 5, 10, 1},
                                           CpiCase{"Zero", 0, 10, 1},
                                           CpiCase{"FineRoundsHalfUp", 405, 410, 41},
                                           CpiCase{"FineRoundsDown", 404, 400, 40},
                                           CpiCase{"FineRoundsUpToTheLimit", 9995, 10000, 1000},
                                           CpiCase{"TheLimitItself", 10000, 10000, 1000},
                                           CpiCase{"CoarseRoundsDown", 10024, 10000, 1000},
                                           CpiCase{"CoarseRoundsHalfUp", 10025, 10050, 1001},
                                           CpiCase{"CoarseInTheMiddle", 12345, 12350, 1047},
                                           CpiCase{"RoundsUpToTheHighest", 29975, 30000, 1400},
                                           CpiCase{"AboveTheHighest", 40000, 30000, 1400},
                                           CpiCase{"Largest", 0xFFFFFFFF, 30000, 1400}),
                         test::CaseName{});

struct SliderCase {
    const char* name;
    int position;
    std::uint32_t cpi;
};

class SliderScaleTest : public ::testing::TestWithParam<SliderCase> {};

TEST_P(SliderScaleTest, MapsBothWays) {
    EXPECT_EQ(SliderPosToCpi(GetParam().position), GetParam().cpi);
    EXPECT_EQ(CpiToSliderPos(GetParam().cpi), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Cases, SliderScaleTest,
                         ::testing::Values(SliderCase{"First", 1, 10},
                                           SliderCase{"LastFine", 1000, 10000},
                                           SliderCase{"FirstCoarse", 1001, 10050},
                                           SliderCase{"Coarse", 1047, 12350},
                                           SliderCase{"Last", 1400, 30000}),
                         test::CaseName{});

TEST(CpiTextTest, DigitsAreANumberAndAnEmptyBoxSettlesAtTheLowest) {
    EXPECT_EQ(ReadCpiText("1250"), 1250u);
    EXPECT_EQ(ReadCpiText("0007"), 7u);
    EXPECT_EQ(ReadCpiText("99999999999999"), 0xFFFFFFFFu) << "saturates instead of wrapping";
    EXPECT_EQ(ReadCpiText(""), std::nullopt);
    EXPECT_EQ(ReadCpiText("12a"), std::nullopt);
    EXPECT_EQ(CommittedCpi(""), 10u);
    EXPECT_EQ(CommittedCpi("99999999999999"), 30000u);
    EXPECT_EQ(CommittedCpi("9995"), 10000u);
}

// --- lift-off distance -----------------------------------------------------------

struct LodCase {
    const char* name;
    std::uint8_t glassMode;
    int position;
    std::uint8_t code;
};

class LodCodeTest : public ::testing::TestWithParam<LodCase> {};

TEST_P(LodCodeTest, AnEntryStoresItsCode) {
    EXPECT_EQ(LodCodeAt(GetParam().glassMode, GetParam().position), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Cases, LodCodeTest,
                         ::testing::Values(LodCase{"NormalFirst", 0, 0, 0},
                                           LodCase{"NormalLast", 0, 10, 10},
                                           LodCase{"NormalNoneSelected", 0, -1, 3},
                                           LodCase{"NormalPastTheEnd", 0, 11, 3},
                                           LodCase{"GlassOneMillimetre", 1, 0, 1},
                                           LodCase{"GlassTwoMillimetres", 1, 1, 2},
                                           LodCase{"GlassNoneSelected", 1, -1, 1},
                                           LodCase{"OtherModeReadsAsNormal", 7, 5, 5}),
                         test::CaseName{});

class LodPositionTest : public ::testing::TestWithParam<LodCase> {};

TEST_P(LodPositionTest, ACodeShowsItsEntry) {
    EXPECT_EQ(LodPositionOf(GetParam().glassMode, GetParam().code), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Cases, LodPositionTest,
                         ::testing::Values(LodCase{"Normal", 0, 7, 7},
                                           LodCase{"NormalUnknownShowsOneMillimetre", 0, 3, 11},
                                           LodCase{"GlassOne", 1, 0, 1},
                                           LodCase{"GlassTwo", 1, 1, 2},
                                           LodCase{"GlassAnyOtherShowsTwo", 1, 1, 9}),
                         test::CaseName{});

struct RemapCase {
    const char* name;
    std::uint8_t glassMode;
    std::uint8_t code;
    std::uint8_t remapped;
    int position;
};

class LodRemapTest : public ::testing::TestWithParam<RemapCase> {};

TEST_P(LodRemapTest, SwitchingTheSurfaceKeepsTheNearestDistance) {
    const auto remap = RemapLodForGlassMode(GetParam().glassMode, GetParam().code);
    ASSERT_TRUE(remap.has_value());
    EXPECT_EQ(remap->code, GetParam().remapped);
    EXPECT_EQ(remap->position, GetParam().position);
    EXPECT_EQ(LodEntries(GetParam().glassMode).size(), GetParam().glassMode ? 2u : 11u);
}

INSTANTIATE_TEST_SUITE_P(Cases, LodRemapTest,
                         ::testing::Values(RemapCase{"ToGlassFromShort", 1, 0, 1, 0},
                                           RemapCase{"ToGlassFrom1p4", 1, 7, 1, 0},
                                           RemapCase{"ToGlassFrom1p5", 1, 8, 2, 1},
                                           RemapCase{"ToGlassFrom1p7", 1, 10, 2, 1},
                                           RemapCase{"ToGlassKeepsAnUnknownCode", 1, 11, 11, 0},
                                           RemapCase{"ToNormalFromOne", 0, 1, 3, 3},
                                           RemapCase{"ToNormalFromTwo", 0, 2, 10, 10},
                                           RemapCase{"ToNormalKeepsOthers", 0, 5, 5, 3}),
                         test::CaseName{});

TEST(LodRemapTest, AnotherModeChangesNothing) {
    EXPECT_EQ(RemapLodForGlassMode(2, 5), std::nullopt);
}

// --- level rows --------------------------------------------------------------------

struct LevelsCase {
    const char* name;
    std::uint8_t count;
    std::uint8_t active;
    int rows;
    std::optional<int> selector;
    int countIndex;
};

class ShowLevelsTest : public ::testing::TestWithParam<LevelsCase> {};

TEST_P(ShowLevelsTest, ShowsTheRowsInUseAndMarksOneSelector) {
    const LevelRowsShown shown = ShowLevels(GetParam().count, GetParam().active);
    EXPECT_EQ(shown.rows, GetParam().rows);
    EXPECT_EQ(shown.checkedSelector, GetParam().selector);
    EXPECT_EQ(LevelCountIndexOf(GetParam().count), GetParam().countIndex);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShowLevelsTest,
                         ::testing::Values(LevelsCase{"OneAlwaysTheFirst", 1, 3, 1, 1, 0},
                                           LevelsCase{"TwoFirst", 2, 0, 2, 1, 1},
                                           LevelsCase{"TwoWithLevel4Active", 2, 3, 2, 2, 1},
                                           LevelsCase{"ThreeSecond", 3, 1, 3, 2, 2},
                                           LevelsCase{"ThreeWithLevel4Active", 3, 3, 3, 3, 2},
                                           LevelsCase{"FourFourth", 4, 3, 4, 4, 3},
                                           LevelsCase{"FourUnknownLeavesSelectors", 4, 9, 4,
                                                      std::nullopt, 3},
                                           LevelsCase{"ZeroShowsAllWithTheSecond", 0, 0, 4, 2, 3},
                                           LevelsCase{"FiveShowsAllWithTheSecond", 5, 3, 4, 2, 3}),
                         test::CaseName{});

TEST(ActiveLevelTest, AnUnknownLevelMarksTheSecondSelector) {
    EXPECT_EQ(SelectorForActiveLevel(0), 1);
    EXPECT_EQ(SelectorForActiveLevel(3), 4);
    EXPECT_EQ(SelectorForActiveLevel(7), 2);
}

}  // namespace
}  // namespace qx9
