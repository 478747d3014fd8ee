#include <gtest/gtest.h>

#include "KeyTables.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

using namespace keys;

struct KeyCase {
    const char* name;
    std::uint16_t vk;
    std::string_view keyName;
    std::uint16_t usage;
    std::uint16_t readBack;  // the code the stored usage shows as later
};

class KeyTableTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTableTest, NamesStoresAndReadsBackTheKey) {
    EXPECT_EQ(KeyNameForVk(GetParam().vk), GetParam().keyName);
    EXPECT_EQ(VkToKeyUsage(GetParam().vk), GetParam().usage);
    EXPECT_EQ(KeyUsageToVk(GetParam().usage), GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyTableTest,
    ::testing::Values(
        KeyCase{"KeypadFive", 0x65, "5", 0x5D, 0x65}, KeyCase{"TopRowFive", 0x35, "5", 0x22, 0x35},
        KeyCase{"TopRowZeroFollowsNine", 0x30, "0", 0x27, 0x30},
        KeyCase{"KeypadZeroFollowsNine", 0x60, "0", 0x62, 0x60},
        KeyCase{"FirstLetter", 0x41, "A", 0x04, 0x41}, KeyCase{"LastLetter", 0x5A, "Z", 0x1D, 0x5A},
        KeyCase{"F1", 0x70, "F1", 0x3A, 0x70}, KeyCase{"F12", 0x7B, "F12", 0x45, 0x7B},
        KeyCase{"F13PassesThrough", 0x7C, "F13", 0x7C, 0x7C},
        KeyCase{"F24PassesThrough", 0x87, "F24", 0x87, 0x87},
        KeyCase{"UpArrowKeepsItsBlank", 0x26, "UP ARROW ", 0x52, 0x26},
        KeyCase{"VolumeUpKeepsItsBlank", 0xAF, "Volume Up ", 0x80, 0xAF},
        KeyCase{"Pause", 0x13, "PAUSE", 0x48, 0x13},
        KeyCase{"CtrlBreakReadsBackAsPause", 0x03, "", 0x48, 0x13},
        KeyCase{"BrowserBackHasNoName", 0xA6, "", 0xA6, 0xA6},
        KeyCase{"BrowserForward", 0xA7, "Browser Forward", 0xA7, 0xA7},
        KeyCase{"GraveAccent", 0xC0, "`", 0x35, 0xC0}, KeyCase{"Backslash", 0xDC, "\\", 0x31, 0xDC},
        KeyCase{"Apostrophe", 0xDE, "'", 0x34, 0xDE}, KeyCase{"KeypadPlus", 0x6B, "+", 0x57, 0x6B},
        KeyCase{"EqualsKeyShowsPlus", 0xBB, "+", 0x2E, 0xBB},
        KeyCase{"RightWindow", 0x5C, "Right Window", 0xE7, 0x5C},
        KeyCase{"RightAlt", 0xA5, "Right ALT", 0xE6, 0xA5},
        KeyCase{"LeftShift", 0xA0, "Left SHIFT", 0xE1, 0xA0}, KeyCase{"Fn", 0xFF, "Fn", 0xFF, 0xFF},
        KeyCase{"MouseButtonHasAName", 0x01, "Left Button", 0x01, 0x01},
        KeyCase{"NoKey", 0x00, "", 0x00, 0x00}, KeyCase{"BeyondAByte", 0x1234, "", 0x1234, 0x1234}),
    test::CaseName{});

TEST(KeyUsageTest, EveryUsageTheTableMakesReadsBackAsItsKey) {
    for (std::uint16_t vk = 0; vk <= 0xFF; ++vk) {
        const std::uint16_t usage = VkToKeyUsage(vk);
        if (usage == vk) {
            continue;  // passed through
        }
        const std::uint16_t expected = vk == 0x03 ? 0x13 : vk;
        EXPECT_EQ(KeyUsageToVk(usage), expected) << "key code " << vk;
    }
}

}  // namespace
}  // namespace qx9
