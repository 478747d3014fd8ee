#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "HidapiStatusBackend.h"
#include "StatusListener.h"
#include "support/Eventually.h"
#include "support/RecordInbox.h"
#include "support/SimulatedTreeFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::Eventually;

// hidapi reads with real timeouts, so the listener runs on the steady clock.
class HidapiStatusTest : public test::SimulatedTreeFixture {
  protected:
    // The link only names the device to listen to; its own handle stays closed.
    void ListenTo(Endpoint endpoint) {
        if (endpoint == Endpoint::Cable) {
            tree.PlugCable(true);
        } else {
            tree.PlugDongle(true);
        }
        link.SetConnectionMode(endpoint == Endpoint::Cable ? LinkMode::Cable : LinkMode::Dongle);
        ASSERT_EQ(listener.StartStatusListener(), listener::Started);
    }
    std::string StatusNode(std::uint16_t productId) const {
        return tree.NodeWith(VendorId, productId, {StatusUsagePage, StatusUsage});
    }

    SteadyClock steady;
    HidapiStatusBackend statusReports;
    test::RecordInbox inbox;
    StatusListener listener{statusReports, link, steady,
                            [this](const StatusRecord& r) { inbox.Put(r); }};
};

TEST_F(HidapiStatusTest, ListsEachCollectionOfTheDeviceOnItsNode) {
    tree.PlugCable(true);
    tree.PlugDongle(true);

    const auto listed = statusReports.Enumerate(VendorId, DongleProductId);

    std::size_t collections = 0;
    for (const HidInterfaceInfo& node : emulator.EnumerateInterfaces()) {
        if (node.productId == DongleProductId) {
            collections += node.collections.size();
        }
    }
    EXPECT_EQ(listed.size(), collections);
    EXPECT_TRUE(std::all_of(listed.begin(), listed.end(), [](const StatusInterfaceInfo& entry) {
        return entry.vendorId == VendorId && entry.productId == DongleProductId;
    }));
    const auto status = std::find_if(listed.begin(), listed.end(), [](const auto& entry) {
        return entry.usagePage == StatusUsagePage && entry.usage == StatusUsage;
    });
    ASSERT_NE(status, listed.end());
    EXPECT_EQ(status->path, StatusNode(DongleProductId));
}

TEST_F(HidapiStatusTest, DeliversTheReportsTheMouseSendsInOrder) {
    ListenTo(Endpoint::Dongle);

    emulator.SendStatusReport(Endpoint::Dongle, {0x03, 0xB4, 0x55, 0, 0, 0, 0, 0});
    emulator.PressCpiButton();

    const auto records = inbox.WaitFor(2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Type(), record::Battery);
    EXPECT_EQ(records[0].Value(), 0x55);
    EXPECT_EQ(records[1].Type(), record::CpiLevel);
    EXPECT_EQ(tree.Opens(), std::vector<std::string>{StatusNode(DongleProductId)});
}

TEST_F(HidapiStatusTest, StopsWithinItsReadTimeout) {
    ListenTo(Endpoint::Cable);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));

    const auto before = std::chrono::steady_clock::now();
    listener.Stop();
    const auto took = std::chrono::steady_clock::now() - before;

    EXPECT_FALSE(listener.IsRunning());
    EXPECT_LT(took, std::chrono::milliseconds(300));
    EXPECT_TRUE(Eventually([&] { return tree.OpenFiles(StatusNode(WiredProductId)) == 0; }));
}

TEST_F(HidapiStatusTest, EndsAndClosesItsNodeWhenTheDeviceGoesAway) {
    ListenTo(Endpoint::Cable);
    const std::string node = StatusNode(WiredProductId);
    ASSERT_TRUE(Eventually([&] { return tree.OpenFiles(node) == 1; }));

    tree.PlugCable(false);

    EXPECT_TRUE(Eventually([&] { return !listener.IsRunning(); }));
    EXPECT_TRUE(Eventually([&] { return tree.OpenFiles(node) == 0; }));
    EXPECT_TRUE(inbox.WaitFor(0).empty());
}

}  // namespace
}  // namespace qx9
