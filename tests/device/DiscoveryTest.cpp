#include <gtest/gtest.h>

#include "CommandPayloads.h"
#include "support/CaseName.h"
#include "support/EmulatorFixture.h"

namespace qx9 {
namespace {

using test::EmulatorFixture;

struct PlugCase {
    const char* name;
    bool cable;
    bool dongle;
    LinkMode mode;
    bool donglePresent;
};

class DetectConnectionTest : public EmulatorFixture,
                             public ::testing::WithParamInterface<PlugCase> {};

TEST_P(DetectConnectionTest, CableFirstThenDongle) {
    const PlugCase& c = GetParam();
    emulator.PlugCable(c.cable);
    emulator.PlugDongle(c.dongle);

    EXPECT_EQ(link.DetectConnection(), c.mode);
    EXPECT_EQ(link.ConnectionMode(), c.mode);
    EXPECT_EQ(link.DonglePresent(), c.donglePresent);
    EXPECT_EQ(link.HoldsDevice(), c.mode != LinkMode::None);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectConnectionTest,
    ::testing::Values(PlugCase{"Both", true, true, LinkMode::Cable, false},
                      PlugCase{"CableOnly", true, false, LinkMode::Cable, false},
                      PlugCase{"DongleOnly", false, true, LinkMode::Dongle, true},
                      PlugCase{"Neither", false, false, LinkMode::None, false}),
    test::CaseName{});

using DiscoveryTest = EmulatorFixture;

TEST_F(DiscoveryTest, WithBothPluggedTheLinkTalksToTheMouseOnItsCable) {
    emulator.PlugCable(true);
    emulator.PlugDongle(true);
    ASSERT_EQ(link.DetectConnection(), LinkMode::Cable);

    DeviceInfo info;
    EXPECT_EQ(commands.ReadMouseInfo(info, CableWaits.mouseInfo), result::Done);
    const auto sends = Sends();
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_EQ(sends[0].endpoint, "cable");
}

TEST_F(DiscoveryTest, RightIdsWithOnlyOtherCollectionsAreNotFound) {
    emulator.PlugCable(true);
    emulator.HideCommandCollection(true);

    EXPECT_FALSE(link.DiscoverDevice(VendorId, WiredProductId));
    EXPECT_FALSE(link.HoldsDevice());
}

TEST_F(DiscoveryTest, AnInterfaceThatCannotBeOpenedIsNotFound) {
    emulator.PlugCable(true);
    emulator.FailNextOpens(1);

    EXPECT_FALSE(link.DiscoverDevice(VendorId, WiredProductId));
    EXPECT_FALSE(link.HoldsDevice());
}

struct OutcomeCase {
    const char* name;
    bool cable;
    bool dongle;
    int refusedOpens;  // the next opens fail with the access error
    DiscoveryOutcome expected;
};

class DetectionOutcomeTest : public EmulatorFixture,
                             public ::testing::WithParamInterface<OutcomeCase> {};

// The window tells "nothing there" from "there, but refused" by this value.
TEST_P(DetectionOutcomeTest, SaysWhatWasOpenedOrWhyNothingWas) {
    const OutcomeCase& c = GetParam();
    emulator.PlugCable(c.cable);
    emulator.PlugDongle(c.dongle);
    emulator.FailNextOpens(c.refusedOpens, HidError::AccessDenied);

    link.DetectConnection();

    EXPECT_EQ(link.LastDiscovery(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectionOutcomeTest,
    ::testing::Values(
        OutcomeCase{"Nothing", false, false, 0, {0, HidError::DeviceGone}},
        OutcomeCase{"Cable", true, false, 0, {WiredProductId, HidError::None}},
        OutcomeCase{"Dongle", false, true, 0, {DongleProductId, HidError::None}},
        OutcomeCase{"CableRefused", true, false, 1, {0, HidError::AccessDenied}},
        OutcomeCase{"DongleRefused", false, true, 1, {0, HidError::AccessDenied}},
        OutcomeCase{"CableRefusedDongleOpens", true, true, 1, {DongleProductId, HidError::None}},
        OutcomeCase{"BothRefused", true, true, 2, {0, HidError::AccessDenied}}),
    test::CaseName{});

TEST_F(DiscoveryTest, AnOpenThatFailsOtherwiseKeepsItsOwnKind) {
    emulator.PlugCable(true);
    emulator.FailNextOpens(1, HidError::Other);

    EXPECT_FALSE(link.DiscoverDevice(VendorId, WiredProductId));
    EXPECT_EQ(link.LastDiscovery().error, HidError::Other);
}

TEST_F(DiscoveryTest, AFailedDiscoveryReleasesTheEarlierHandle) {
    emulator.PlugCable(true);
    ASSERT_TRUE(link.DiscoverDevice(VendorId, WiredProductId));

    EXPECT_FALSE(link.DiscoverDevice(VendorId, DongleProductId));
    EXPECT_FALSE(link.HoldsDevice());
}

TEST_F(DiscoveryTest, WithoutAHandleBothExchangesFailWithoutTouchingTheDevice) {
    emulator.PlugCable(true);
    CommandReport report = BuildCommandReport(wire::ReadMouseInfo);

    EXPECT_FALSE(link.SetFeatureWithRetry(report));
    EXPECT_FALSE(link.SetFeatureOnce(report));
    EXPECT_FALSE(link.GetFeatureWithRetry(report, 100ms));
    EXPECT_TRUE(emulator.Trace().empty());
    EXPECT_EQ(Elapsed(), 0ms);
}

TEST_F(DiscoveryTest, AStaleHandleFailsUntilTheNextDiscovery) {
    Connect(emu::Endpoint::Cable);
    emulator.PlugCable(false);
    emulator.PlugCable(true);

    DeviceInfo info;
    EXPECT_EQ(commands.ReadMouseInfo(info, CableWaits.mouseInfo), result::SendFailed);
    ASSERT_EQ(link.DetectConnection(), LinkMode::Cable);
    EXPECT_EQ(commands.ReadMouseInfo(info, CableWaits.mouseInfo), result::Done);
}

}  // namespace
}  // namespace qx9
