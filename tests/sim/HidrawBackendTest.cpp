#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "CommandPayloads.h"
#include "HidapiStatusBackend.h"
#include "StatusListener.h"
#include "support/CaseName.h"
#include "support/CommandWaitCases.h"
#include "support/SimulatedTreeFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::SimulatedTreeFixture;

using HidrawDiscoveryTest = SimulatedTreeFixture;

TEST_F(HidrawDiscoveryTest, ListsEveryNodeWithTheIdsAndCollectionsTheHardwareShows) {
    tree.PlugCable(true);
    tree.PlugDongle(true);

    const std::vector<HidInterfaceInfo> listed = backend.EnumerateInterfaces();
    const std::vector<HidInterfaceInfo> shown = emulator.EnumerateInterfaces();
    ASSERT_EQ(listed.size(), shown.size());
    const std::vector<std::string> nodes = tree.Nodes();
    for (const HidInterfaceInfo& interface : shown) {
        const auto same = [&](const HidInterfaceInfo& node) {
            return node.vendorId == interface.vendorId && node.productId == interface.productId &&
                   node.collections == interface.collections;
        };
        EXPECT_EQ(std::count_if(listed.begin(), listed.end(), same), 1) << interface.path;
    }
    for (const HidInterfaceInfo& node : listed) {
        EXPECT_NE(std::find(nodes.begin(), nodes.end(), node.path), nodes.end()) << node.path;
    }
}

struct PlugCase {
    const char* name;
    bool cable;
    bool dongle;
    LinkMode mode;
    std::uint16_t openedProductId;  // 0: nothing opened
};

class HidrawDetectTest : public SimulatedTreeFixture,
                         public ::testing::WithParamInterface<PlugCase> {};

TEST_P(HidrawDetectTest, OpensOnlyTheCommandNodeOfTheDeviceItPicks) {
    const PlugCase& c = GetParam();
    tree.PlugCable(c.cable);
    tree.PlugDongle(c.dongle);

    EXPECT_EQ(link.DetectConnection(), c.mode);

    const std::vector<std::string> opened = tree.Opens();
    if (c.openedProductId == 0) {
        EXPECT_TRUE(opened.empty());
    } else {
        EXPECT_EQ(opened, std::vector<std::string>{CommandNode(c.openedProductId)});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HidrawDetectTest,
    ::testing::Values(PlugCase{"BothCableWins", true, true, LinkMode::Cable, WiredProductId},
                      PlugCase{"DongleOnly", false, true, LinkMode::Dongle, DongleProductId},
                      PlugCase{"Neither", false, false, LinkMode::None, 0}),
    test::CaseName{});

TEST_F(HidrawDiscoveryTest, RightIdsWithOnlyOtherCollectionsOpenNothing) {
    emulator.HideCommandCollection(true);
    tree.PlugCable(true);
    tree.PlugDongle(true);

    EXPECT_EQ(link.DetectConnection(), LinkMode::None);
    EXPECT_FALSE(link.HoldsDevice());
    EXPECT_TRUE(tree.Opens().empty());
}

// Enumerates, then the cable is pulled before the node can be opened.
class UnpluggedBeforeOpen final : public FeatureBackend {
  public:
    UnpluggedBeforeOpen(FeatureBackend& real, sim::SimulatedDeviceTree& tree)
        : real_(real), tree_(tree) {}
    std::vector<HidInterfaceInfo> EnumerateInterfaces() override {
        auto listed = real_.EnumerateInterfaces();
        tree_.PlugCable(false);
        return listed;
    }
    OpenedDevice Open(const std::string& path) override { return real_.Open(path); }

  private:
    FeatureBackend& real_;
    sim::SimulatedDeviceTree& tree_;
};

TEST_F(HidrawDiscoveryTest, ANodeThatVanishesBeforeItsOpenIsNotFound) {
    tree.PlugCable(true);
    const std::string node = CommandNode(WiredProductId);
    UnpluggedBeforeOpen racing(backend, tree);
    DeviceLink racingLink(racing, clock);

    EXPECT_FALSE(racingLink.DiscoverDevice(VendorId, WiredProductId));
    EXPECT_FALSE(racingLink.HoldsDevice());
    EXPECT_EQ(racingLink.LastDiscovery().error, HidError::DeviceGone);
    const OpenedDevice opened = backend.Open(node);
    EXPECT_EQ(opened.device, nullptr);
    EXPECT_EQ(opened.error, HidError::DeviceGone);
}

// Root opens any file; to be refused as a user is, this thread checks file
// access as an unprivileged user for as long as it lives.
class WithoutRootFileAccess {
  public:
    WithoutRootFileAccess() : previous_(::setfsuid(::geteuid() == 0 ? Nobody : ::geteuid())) {}
    WithoutRootFileAccess(const WithoutRootFileAccess&) = delete;
    WithoutRootFileAccess& operator=(const WithoutRootFileAccess&) = delete;
    ~WithoutRootFileAccess() { ::setfsuid(static_cast<uid_t>(previous_)); }

  private:
    static constexpr uid_t Nobody = 65534;
    int previous_;
};

TEST_F(HidrawDiscoveryTest, ANodeTheUserMayNotOpenIsAClearFailure) {
    tree.PlugCable(true);
    tree.DenyAccess(CommandNode(WiredProductId));
    HidapiStatusBackend statusReports;
    StatusListener listener(statusReports, link, clock, [](const StatusRecord&) {});
    WithoutRootFileAccess asUser;

    const OpenedDevice opened = backend.Open(CommandNode(WiredProductId));
    EXPECT_EQ(opened.device, nullptr);
    EXPECT_EQ(opened.error, HidError::AccessDenied);
    EXPECT_EQ(link.DetectConnection(), LinkMode::None);
    EXPECT_FALSE(link.HoldsDevice());
    EXPECT_EQ(link.LastDiscovery().error, HidError::AccessDenied);
    link.SetConnectionMode(LinkMode::Cable);
    EXPECT_EQ(listener.StartStatusListener(), listener::OpenFailed);
}

// --- every command through the kernel interface -------------------------------

class HidrawCommandTest : public SimulatedTreeFixture,
                          public ::testing::WithParamInterface<test::WaitCase> {};

TEST_P(HidrawCommandTest, CrossesTheIoctlsWithItsWaitsAndNeverSeesBusy) {
    Connect(GetParam().endpoint);
    EXPECT_EQ(GetParam().run(commands, store), result::Done);
    EXPECT_EQ(Elapsed(), GetParam().waited);

    const auto trace = emulator.Trace();
    const auto requests = tree.FeatureRequests();
    ASSERT_EQ(requests.size(), trace.size()) << "every report crossed an ioctl";
    for (std::size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].set, trace[i].direction == emu::Direction::Send);
        EXPECT_EQ(requests[i].error, 0);
        EXPECT_EQ(
            requests[i].devnode,
            CommandNode(GetParam().endpoint == Endpoint::Cable ? WiredProductId : DongleProductId));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HidrawCommandTest, ::testing::ValuesIn(test::CommandWaitCases),
                         test::CaseName{});

TEST_F(HidrawDiscoveryTest, TheConfigurationCrossesAsTheLongFeatureReport) {
    Connect(Endpoint::Cable);
    emu::Block block = emulator.ConfigBlock();
    block[0] = 0x5A;
    block[ConfigBlockSize - 1] = 0xA5;
    emulator.SetConfigBlock(block);

    ASSERT_EQ(commands.ReadConfig(CableWaits.config), result::Done);

    EXPECT_EQ(store.ConfigBlock(), block);
    const auto trace = emulator.Trace();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[1].bytes.size(), ConfigReportSize);
}

// --- the retry rules on the errors the kernel gives -----------------------------

struct ErrnoCase {
    const char* name;
    bool send;  // a failing send; otherwise a failing read of the reply
    int error;
    int failures;
    bool expected;
    Milliseconds waited;
    std::size_t attempts;
};

class HidrawErrnoTest : public SimulatedTreeFixture,
                        public ::testing::WithParamInterface<ErrnoCase> {};

TEST_P(HidrawErrnoTest, ReachesTheRetryRulesAsItsKind) {
    const ErrnoCase& c = GetParam();
    Connect(Endpoint::Cable);
    const CommandReport request = BuildCommandReport(wire::ReadMouseInfo);
    std::vector<std::uint8_t> reply(CommandReportSize, 0);
    reply[0] = CommandReportId;

    bool outcome = false;
    if (c.send) {
        tree.FailNextSetFeature(c.failures, c.error);
        outcome = link.SetFeatureWithRetry(request);
    } else {
        ASSERT_TRUE(link.SetFeatureWithRetry(request));
        clock.Advance(CableWaits.mouseInfo);
        tree.ClearFeatureRequests();
        RestartTimer();
        tree.FailNextGetFeature(c.failures, c.error);
        outcome = link.GetFeatureWithRetry(reply, wire::ReadMouseInfo.busyBase);
    }

    EXPECT_EQ(outcome, c.expected);
    EXPECT_EQ(Elapsed(), c.waited);
    EXPECT_EQ(tree.FeatureRequests().size(), c.attempts);
    if (!c.send && c.expected) {
        EXPECT_EQ(reply[StatusByteOffset], status::Done);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HidrawErrnoTest,
    ::testing::Values(ErrnoCase{"SendProtocolErrorThreeTimes", true, EPROTO, 3, true, 100ms, 4},
                      ErrnoCase{"SendTimedOutFourTimes", true, ETIMEDOUT, 4, false, 150ms, 4},
                      ErrnoCase{"SendStalledOnce", true, EPIPE, 1, true, 0ms, 2},
                      ErrnoCase{"SendBusFaultOnce", true, EIO, 1, true, 0ms, 2},
                      ErrnoCase{"SendRefusedAsMadeOnce", true, EINVAL, 1, true, 0ms, 2},
                      ErrnoCase{"SendToAGoneDevice", true, ENODEV, 1, false, 0ms, 1},
                      ErrnoCase{"SendOnABadDescriptor", true, EBADF, 1, false, 0ms, 1},
                      ErrnoCase{"SendNotPermitted", true, EPERM, 1, false, 0ms, 1},
                      ErrnoCase{"ReadNotReadyOnce", false, EAGAIN, 1, true, 50ms, 2},
                      ErrnoCase{"ReadBabbleTwice", false, EOVERFLOW, 2, true, 100ms, 3},
                      ErrnoCase{"ReadCrcThreeTimes", false, EILSEQ, 3, false, 150ms, 3},
                      ErrnoCase{"ReadFromAGoneDevice", false, ENODEV, 1, false, 50ms, 1},
                      ErrnoCase{"ReadUnknownError", false, ENOTTY, 1, false, 50ms, 1}),
    test::CaseName{});

TEST_F(HidrawDiscoveryTest, AfterTheCableIsPulledTheHeldHandleFailsAsGone) {
    Connect(Endpoint::Cable);
    tree.PlugCable(false);
    RestartTimer();

    EXPECT_FALSE(link.SetFeatureWithRetry(BuildCommandReport(wire::ReadMouseInfo)));
    EXPECT_EQ(Elapsed(), 0ms) << "a gone device is not retried";
    const auto requests = tree.FeatureRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].error, ENODEV);
}

TEST_F(HidrawDiscoveryTest, ADeviceThatLeavesMidCommandTakesItsNodesWithIt) {
    Connect(Endpoint::Cable);
    const std::string node = CommandNode(WiredProductId);
    emulator.VanishDuringNextCommand();

    DeviceInfo info;
    EXPECT_EQ(commands.ReadMouseInfo(info, CableWaits.mouseInfo), result::NoReply);
    EXPECT_TRUE(CommandNode(WiredProductId).empty());
    EXPECT_EQ(link.DetectConnection(), LinkMode::None);
}

}  // namespace
}  // namespace qx9
