#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "DisplayTexts.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

struct VersionCase {
    const char* name;
    std::uint16_t word;
    int hundredths;
    const char* text;
};

class DecimalCodedVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(DecimalCodedVersionTest, ReadsTheHexDigitsAsDecimal) {
    const DecodedVersion version = DecimalCodedVersion(GetParam().word);
    EXPECT_EQ(version.hundredths, GetParam().hundredths);
    EXPECT_EQ(version.text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, DecimalCodedVersionTest,
                         ::testing::Values(VersionCase{"OnePointOhFive", 0x0105, 105, "1.05"},
                                           VersionCase{"TrailingZero", 0x0120, 120, "1.20"},
                                           VersionCase{"StopsAtALetter", 0x012A, 12, "0.12"},
                                           VersionCase{"LeadingLetter", 0xA123, 0, "0.00"},
                                           VersionCase{"Zero", 0x0000, 0, "0.00"},
                                           VersionCase{"TwoPointOh", 0x0200, 200, "2.00"},
                                           VersionCase{"FourDigits", 0x1999, 1999, "19.99"}),
                         test::CaseName{});

TEST(DisplayTexts, SoftwareVersionReadsOnePointOhOh) {
    EXPECT_EQ(FormatVersion(SoftwareVersion), "1.00");
}

struct BatteryCase {
    const char* name;
    std::uint8_t level;
    const char* percent;
    const char* cable;
};

class BatteryTextsTest : public ::testing::TestWithParam<BatteryCase> {};

TEST_P(BatteryTextsTest, CapAtOneHundredAndChargeOnTheCable) {
    EXPECT_EQ(BatteryPercentText(GetParam().level), GetParam().percent);
    EXPECT_EQ(CableBatteryText(GetParam().level), GetParam().cable);
    EXPECT_EQ(BatteryText(GetParam().level, false), GetParam().percent);
    EXPECT_EQ(BatteryText(GetParam().level, true), GetParam().cable);
}

INSTANTIATE_TEST_SUITE_P(Table, BatteryTextsTest,
                         ::testing::Values(BatteryCase{"Empty", 0, "0%", "Charging"},
                                           BatteryCase{"Partly", 85, "85%", "Charging"},
                                           BatteryCase{"Full", 100, "100%", "100%"},
                                           BatteryCase{"Over", 120, "100%", "100%"},
                                           BatteryCase{"Largest", 255, "100%", "100%"}),
                         test::CaseName{});

struct DongleVersionCase {
    const char* name;
    std::uint16_t word;
    std::optional<std::string> throughDongle;
    std::string besideCable;
};

class ShownDongleVersionTest : public ::testing::TestWithParam<DongleVersionCase> {};

TEST_P(ShownDongleVersionTest, ThroughTheDongleFromTwoOnIsNotShown) {
    EXPECT_EQ(ShownDongleVersion(GetParam().word, true), GetParam().throughDongle);
    EXPECT_EQ(ShownDongleVersion(GetParam().word, false), GetParam().besideCable);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShownDongleVersionTest,
    ::testing::Values(DongleVersionCase{"Usual", 0x0104, "1.04", "1.04"},
                      DongleVersionCase{"JustBelowTwo", 0x0199, "1.99", "1.99"},
                      DongleVersionCase{"Two", 0x0200, std::nullopt, "2.00"},
                      DongleVersionCase{"LetterStopsReading", 0x0A10, "0.00", "0.00"}),
    test::CaseName{});

}  // namespace
}  // namespace qx9
