#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/EmulatorFixture.h"

namespace qx9 {
namespace {

using ConcurrentDiscoveryTest = test::EmulatorFixture;

// Discovery on one thread while commands run on another: the handle is only
// ever swapped between whole exchanges, so no command sees a released one.
TEST_F(ConcurrentDiscoveryTest, DiscoveryAndCommandsOnTwoThreadsNeverShareAReleasedHandle) {
    emulator.PlugCable(true);
    ASSERT_EQ(link.DetectConnection(), LinkMode::Cable);
    std::atomic<bool> stop{false};
    std::thread rediscover([&] {
        for (int i = 0; i < 200; ++i) {
            link.DiscoverDevice(VendorId, WiredProductId);
        }
        stop = true;
    });
    int answered = 0;
    int asked = 0;
    do {
        DeviceInfo info;
        answered += commands.ReadMouseInfo(info, CableWaits.mouseInfo) == result::Done;
        ++asked;
    } while (!stop);
    rediscover.join();
    EXPECT_EQ(answered, asked);
}

}  // namespace
}  // namespace qx9
