#include <gtest/gtest.h>

#include "FixedCpiRules.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

using namespace fixedcpi;

struct CpiCase {
    const char* name;
    std::uint32_t typed;
    std::uint32_t shown;
    int slider;
};

class FixedCpiValueTest : public ::testing::TestWithParam<CpiCase> {};

TEST_P(FixedCpiValueTest, StepsByTenAndPlacesTheSlider) {
    const std::uint32_t shown = NormalizeCpi(GetParam().typed);
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_EQ(CpiToSliderPos(shown), GetParam().slider);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixedCpiValueTest,
    ::testing::Values(CpiCase{"Zero", 0, 10, 1}, CpiCase{"BelowTheLowest", 5, 10, 1},
                      CpiCase{"RoundsDown", 404, 400, 40}, CpiCase{"RoundsHalfUp", 405, 410, 41},
                      CpiCase{"NoCoarseStepAboveTenThousand", 10025, 10030, 1003},
                      CpiCase{"Middle", 12345, 12350, 1235},
                      CpiCase{"LastSliderStep", 13994, 13990, 1399},
                      CpiCase{"SliderEnd", 14000, 14000, 1400},
                      CpiCase{"BeyondTheSlider", 14010, 14010, 1400},
                      CpiCase{"FarBeyondTheSlider", 20000, 20000, 1400},
                      CpiCase{"AboveTheHighest", 30001, 30000, 1400},
                      CpiCase{"Largest", 0xFFFFFFFF, 30000, 1400}),
    test::CaseName{});

TEST(FixedCpiSliderTest, APositionIsTenTimesItsValue) {
    EXPECT_EQ(SliderPosToCpi(MinSliderPos), 10u);
    EXPECT_EQ(SliderPosToCpi(40), 400u);
    EXPECT_EQ(SliderPosToCpi(MaxSliderPos), 14000u);
}

TEST(FixedCpiTextTest, AnEmptyBoxSettlesAtTheLowest) {
    EXPECT_EQ(CommittedCpi(""), 10u);
    EXPECT_EQ(CommittedCpi("12345"), 12350u);
    EXPECT_EQ(CommittedCpi("99999999999999"), 30000u);
}

}  // namespace
}  // namespace qx9
