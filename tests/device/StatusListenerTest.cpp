#include <gtest/gtest.h>

#include <vector>

#include "HidapiStatusBackend.h"
#include "Qx9Emulator.h"
#include "StatusListener.h"
#include "support/Eventually.h"
#include "support/RecordInbox.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using namespace std::chrono_literals;
using test::Eventually;

StatusRecord Record(std::array<std::uint8_t, StatusRecordSize> bytes) {
    return {bytes};
}

class StatusListenerTest : public ::testing::Test {
  protected:
    void Connect(Endpoint endpoint) {
        (endpoint == Endpoint::Cable ? emulator.PlugCable(true) : emulator.PlugDongle(true));
        link.DetectConnection();
    }

    VirtualClock clock;
    emu::Qx9Emulator emulator{clock};
    DeviceLink link{emulator, clock};
    test::RecordInbox inbox;
    StatusListener listener{emulator, link, clock, [this](const StatusRecord& r) { inbox.Put(r); }};
};

TEST_F(StatusListenerTest, WithNoDeviceThereIsNothingToStart) {
    EXPECT_EQ(listener.StartStatusListener(), listener::Started);
    EXPECT_FALSE(listener.IsRunning());
    EXPECT_EQ(emulator.OpenStatusReaders(), 0);
}

TEST_F(StatusListenerTest, WithoutTheStatusCollectionTheStartFails) {
    emulator.HideStatusCollection(true);
    Connect(Endpoint::Dongle);
    EXPECT_EQ(listener.StartStatusListener(), listener::OpenFailed);
    EXPECT_FALSE(listener.IsRunning());
    EXPECT_FALSE(listener.StatusDispatchEnabled);
}

TEST_F(StatusListenerTest, AFailingOpenFailsTheStart) {
    Connect(Endpoint::Dongle);
    emulator.FailNextOpens(1);
    EXPECT_EQ(listener.StartStatusListener(), listener::OpenFailed);
    EXPECT_FALSE(listener.IsRunning());
}

TEST_F(StatusListenerTest, DeliversBytesOneToSevenInOrder) {
    Connect(Endpoint::Dongle);
    ASSERT_EQ(listener.StartStatusListener(), listener::Started);
    EXPECT_TRUE(listener.StatusDispatchEnabled);

    emulator.SendStatusReport(Endpoint::Dongle, {0x03, 0xB4, 0x55, 0, 0, 0, 0, 0});
    emulator.SendStatusReport(Endpoint::Dongle, {0x03, 0x0E, 0x00, 0x11, 0x5C, 0, 0, 0});

    const auto records = inbox.WaitFor(2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], Record({0xB4, 0x55, 0, 0, 0, 0, 0}));
    EXPECT_EQ(records[0].Value(), 85);
    EXPECT_EQ(records[1].Type(), 0x0E);
    EXPECT_EQ(records[1].Word(), 0x5C11);
}

TEST_F(StatusListenerTest, TheMouseButtonsReportThroughTheListener) {
    Connect(Endpoint::Cable);
    ASSERT_EQ(listener.StartStatusListener(), listener::Started);

    emulator.PressCpiButton();
    emulator.ChangeReportRate(0x08, true);

    const auto records = inbox.WaitFor(2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], Record({0x02, 2, 0, 0, 0, 0, 0})) << "CPI level 2";
    EXPECT_EQ(records[1], Record({0x06, 0x08, 1, 0, 0, 0, 0})) << "1000 Hz, forced frame rate";
}

TEST_F(StatusListenerTest, WhileDispatchIsOffRecordsAreReadAndDropped) {
    Connect(Endpoint::Dongle);
    ASSERT_EQ(listener.StartStatusListener(), listener::Started);
    listener.StatusDispatchEnabled = false;

    emulator.SendStatusReport(Endpoint::Dongle, {0x03, 0xB4, 0x10});
    emulator.SendStatusReport(Endpoint::Dongle, {0x03, 0xB4, 0x20});
    ASSERT_TRUE(Eventually([&] { return emulator.QueuedStatusReports(Endpoint::Dongle) == 0; }));
    // Drained is not delivered: give the reader a moment past its last read.
    std::this_thread::sleep_for(50ms);
    listener.StatusDispatchEnabled = true;
    emulator.SendStatusReport(Endpoint::Dongle, {0x03, 0xB4, 0x30});

    const auto records = inbox.WaitFor(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Value(), 0x30);
}

TEST_F(StatusListenerTest, ARestartStopsTheEarlierReaderFirst) {
    Connect(Endpoint::Dongle);
    ASSERT_EQ(listener.StartStatusListener(), listener::Started);
    Connect(Endpoint::Cable);
    ASSERT_EQ(link.ConnectionMode(), LinkMode::Cable);

    ASSERT_EQ(listener.StartStatusListener(), listener::Started);

    EXPECT_EQ(emulator.OpenStatusReaders(), 1);
    emulator.SendStatusReport(Endpoint::Cable, {0x03, 0xB4, 0x64});
    const auto records = inbox.WaitFor(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Value(), 0x64);
}

TEST_F(StatusListenerTest, AnUnplugDuringAReadEndsTheReaderAndClosesItsDevice) {
    Connect(Endpoint::Dongle);
    ASSERT_EQ(listener.StartStatusListener(), listener::Started);
    ASSERT_TRUE(listener.IsRunning());

    emulator.PlugDongle(false);

    EXPECT_TRUE(Eventually([&] { return !listener.IsRunning(); }));
    EXPECT_TRUE(Eventually([&] { return emulator.OpenStatusReaders() == 0; }));
    EXPECT_TRUE(inbox.WaitFor(0).empty());
}

TEST_F(StatusListenerTest, StoppingEndsTheReaderAndClosesItsDevice) {
    Connect(Endpoint::Cable);
    ASSERT_EQ(listener.StartStatusListener(), listener::Started);

    listener.Stop();

    EXPECT_FALSE(listener.IsRunning());
    EXPECT_EQ(emulator.OpenStatusReaders(), 0);
}

// The real hidapi path on a machine without the mouse: nothing is found and
// nothing opens, without a crash.
TEST(HidapiStatusBackend, FindsNothingWithoutTheMouse) {
    HidapiStatusBackend backend;
    VirtualClock clock;
    emu::Qx9Emulator nothingPlugged{clock};
    DeviceLink link{nothingPlugged, clock};
    StatusListener listener{backend, link, clock, [](const StatusRecord&) {}};

    EXPECT_EQ(listener.OpenStatusDevice(VendorId, WiredProductId), nullptr);
    EXPECT_EQ(backend.OpenPath("/dev/does-not-exist"), nullptr);
}

}  // namespace
}  // namespace qx9
