#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>

#include "Clock.h"
#include "DeviceContract.h"
#include "DeviceLock.h"
#include "FeatureBackend.h"

namespace qx9 {

enum class LinkMode : std::uint8_t {
    Cable = 0x11,
    Dongle = 0x22,
    None = 0xFF,
};

// What the last discovery came to: the product whose interface it opened, or
// why it opened none (DeviceGone: no interface of those ids carries the
// command collection; AccessDenied: one does, but the system refused it).
// One aligned word, so that every compiler keeps it atomic without a lock.
struct alignas(4) DiscoveryOutcome {
    std::uint16_t productId = 0;
    HidError error = HidError::DeviceGone;
    friend bool operator==(const DiscoveryOutcome&, const DiscoveryOutcome&) = default;
};
static_assert(std::atomic<DiscoveryOutcome>::is_always_lock_free);

// The one path to the device's command collection: discovery, the connection
// mode and the feature-report exchanges with their retry rules.
class DeviceLink {
  public:
    // With a cross-process lock, the device lock keeps other processes out too.
    DeviceLink(FeatureBackend& backend, Clock& clock, CrossProcessLock* acrossProcesses = nullptr);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Releases the current handle, then keeps the first interface of these ids
    // that carries the command collection and opens.
    bool DiscoverDevice(std::uint16_t vendorId, std::uint16_t productId);
    // Cable first, then dongle. When neither opens, a refused one is reported
    // over a missing one.
    LinkMode DetectConnection();
    DiscoveryOutcome LastDiscovery() const { return lastDiscovery_.load(); }

    bool SetFeatureWithRetry(std::span<const std::uint8_t, CommandReportSize> report);
    // One attempt, no retry rule.
    bool SetFeatureOnce(std::span<const std::uint8_t> report);
    // On entry the buffer holds the request; on return the reply. True when the
    // last read succeeded at the transport level; the caller judges the status.
    bool GetFeatureWithRetry(std::span<std::uint8_t> report, Milliseconds busyBase);

    bool HoldsDevice() const;

    LinkMode ConnectionMode() const { return mode_.load(); }
    void SetConnectionMode(LinkMode mode) { mode_.store(mode); }
    bool DonglePresent() const { return donglePresent_.load(); }
    void SetDonglePresent(bool present) { donglePresent_.store(present); }
    bool LinkRetargeted() const { return linkRetargeted_.load(); }
    void SetLinkRetargeted(bool retargeted) { linkRetargeted_.store(retargeted); }

    CMyCriticalSection& DeviceLock() { return lock_; }
    Clock& clock() { return clock_; }

  private:
    OpenedDevice OpenCommandCollection(std::uint16_t vendorId, std::uint16_t productId);
    bool RereadWhileBusy(FeatureDevice& device, std::span<std::uint8_t> report,
                         std::span<const std::uint8_t> request, Milliseconds busyBase);

    FeatureBackend& backend_;
    Clock& clock_;
    CMyCriticalSection lock_;
    std::unique_ptr<FeatureDevice> device_;
    std::atomic<LinkMode> mode_{LinkMode::None};
    std::atomic<bool> donglePresent_{false};
    std::atomic<bool> linkRetargeted_{false};
    std::atomic<DiscoveryOutcome> lastDiscovery_{};
};

}  // namespace qx9
