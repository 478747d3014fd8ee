#include "DeviceLink.h"

#include <algorithm>
#include <vector>

namespace qx9 {
namespace {

bool CarriesCommandCollection(const HidInterfaceInfo& info) {
    const HidUsage wanted{CommandUsagePage, CommandUsage};
    return std::find(info.collections.begin(), info.collections.end(), wanted) !=
           info.collections.end();
}

bool HasStatus(std::span<const std::uint8_t> report, std::uint8_t value) {
    return report.size() > StatusByteOffset && report[StatusByteOffset] == value;
}

}  // namespace

DeviceLink::DeviceLink(FeatureBackend& backend, Clock& clock, CrossProcessLock* acrossProcesses)
    : backend_(backend), clock_(clock), lock_(acrossProcesses) {}

bool DeviceLink::DiscoverDevice(std::uint16_t vendorId, std::uint16_t productId) {
    // Under the lock, so a command on another thread never uses a released handle.
    CCriticalSectionAutoLock hold(lock_);
    device_.reset();
    OpenedDevice opened = OpenCommandCollection(vendorId, productId);
    device_ = std::move(opened.device);
    lastDiscovery_.store({device_ ? productId : std::uint16_t{0}, opened.error});
    return device_ != nullptr;
}

OpenedDevice DeviceLink::OpenCommandCollection(std::uint16_t vendorId, std::uint16_t productId) {
    HidError why = HidError::DeviceGone;
    for (const HidInterfaceInfo& info : backend_.EnumerateInterfaces()) {
        if (info.vendorId != vendorId || info.productId != productId ||
            !CarriesCommandCollection(info)) {
            continue;
        }
        OpenedDevice opened = backend_.Open(info.path);
        if (opened.device) {
            return opened;
        }
        // A refusal is what the user can act on; later failures do not hide it.
        if (why != HidError::AccessDenied) {
            why = opened.error;
        }
    }
    return {nullptr, why};
}

LinkMode DeviceLink::DetectConnection() {
    SetConnectionMode(LinkMode::None);
    if (DiscoverDevice(WiredMouseId.vendorId, WiredMouseId.productId)) {
        SetConnectionMode(LinkMode::Cable);
        return ConnectionMode();
    }
    const DiscoveryOutcome cable = LastDiscovery();
    if (DiscoverDevice(DongleId.vendorId, DongleId.productId)) {
        SetDonglePresent(true);
        SetConnectionMode(LinkMode::Dongle);
    } else if (cable.error == HidError::AccessDenied) {
        lastDiscovery_.store(cable);
    }
    return ConnectionMode();
}

bool DeviceLink::HoldsDevice() const {
    return device_ != nullptr;
}

bool DeviceLink::SetFeatureWithRetry(std::span<const std::uint8_t, CommandReportSize> report) {
    CCriticalSectionAutoLock hold(lock_);
    if (!device_) {
        return false;
    }
    // The seam takes the report as const, so every attempt sends the original bytes.
    if (device_->SetFeature(report)) {
        return true;
    }
    if (!IsRetryable(device_->LastError())) {
        return false;
    }
    for (int retry = 0; retry < SendRetries; ++retry) {
        if (device_->SetFeature(report)) {
            return true;
        }
        clock_.SleepFor(SendRetryWait);
    }
    return false;
}

bool DeviceLink::SetFeatureOnce(std::span<const std::uint8_t> report) {
    CCriticalSectionAutoLock hold(lock_);
    return device_ && device_->SetFeature(report);
}

bool DeviceLink::GetFeatureWithRetry(std::span<std::uint8_t> report, Milliseconds busyBase) {
    CCriticalSectionAutoLock hold(lock_);
    if (!device_) {
        return false;
    }
    const std::vector<std::uint8_t> request(report.begin(), report.end());
    bool ok = device_->GetFeature(report);
    if (ok) {
        if (!HasStatus(report, status::Busy)) {
            return true;
        }
        return RereadWhileBusy(*device_, report, request, busyBase);
    }
    const HidError error = device_->LastError();
    clock_.SleepFor(ReadRetryWait);
    if (!IsRetryable(error)) {
        return false;
    }
    for (int retry = 0; retry < ReadRetries && !ok; ++retry) {
        ok = device_->GetFeature(report);
        if (!ok) {
            clock_.SleepFor(ReadRetryWait);
        }
    }
    return ok;
}

bool DeviceLink::RereadWhileBusy(FeatureDevice& device, std::span<std::uint8_t> report,
                                 std::span<const std::uint8_t> request, Milliseconds busyBase) {
    bool ok = true;
    for (const Milliseconds extra : BusyRereadExtraWaits) {
        clock_.SleepFor(busyBase + extra);
        std::copy(request.begin(), request.end(), report.begin());
        ok = device.GetFeature(report);
        if (ok && HasStatus(report, status::Done)) {
            break;
        }
    }
    return ok;
}

}  // namespace qx9
