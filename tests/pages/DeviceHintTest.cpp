#include <gtest/gtest.h>

#include "DeviceHint.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

struct HintCase {
    const char* name;
    bool loaded;
    DiscoveryOutcome lastDiscovery;
    bool dongleStillPresent;
    DeviceHint expected;
};

class DeviceHintTest : public ::testing::TestWithParam<HintCase> {};

TEST_P(DeviceHintTest, SaysWhyNoDeviceIsShown) {
    const HintCase& c = GetParam();
    EXPECT_EQ(DeviceHintFor(c.loaded, c.lastDiscovery, c.dongleStillPresent), c.expected);
}

constexpr DiscoveryOutcome Nothing{0, HidError::DeviceGone};
constexpr DiscoveryOutcome Refused{0, HidError::AccessDenied};
constexpr DiscoveryOutcome Cable{WiredProductId, HidError::None};
constexpr DiscoveryOutcome Dongle{DongleProductId, HidError::None};

INSTANTIATE_TEST_SUITE_P(
    Table, DeviceHintTest,
    ::testing::Values(
        HintCase{"Loaded", true, Cable, false, DeviceHint::None},
        HintCase{"LoadedThoughALaterLookFoundNothing", true, Nothing, false, DeviceHint::None},
        HintCase{"NothingPluggedIn", false, Nothing, false, DeviceHint::NoDevice},
        HintCase{"Refused", false, Refused, false, DeviceHint::AccessRefused},
        HintCase{"OpenFailedOtherwise", false, {0, HidError::Other}, false, DeviceHint::NoDevice},
        // Found but not loaded: the connection text and the pages say the rest.
        HintCase{"CableFoundButSilent", false, Cable, false, DeviceHint::None},
        HintCase{"DongleFoundMouseSilent", false, Dongle, true, DeviceHint::None},
        HintCase{"DonglePulledOutSince", false, Dongle, false, DeviceHint::NoDevice}),
    test::CaseName{});

TEST(DeviceHintText, IsEmptyOnlyWhenThereIsNothingToSay) {
    EXPECT_STREQ(DeviceHintText(DeviceHint::None), "");
    EXPECT_STRNE(DeviceHintText(DeviceHint::NoDevice), "");
    EXPECT_STRNE(DeviceHintText(DeviceHint::AccessRefused), "");
    EXPECT_STRNE(DeviceHintText(DeviceHint::NoDevice), DeviceHintText(DeviceHint::AccessRefused));
}

}  // namespace
}  // namespace qx9
