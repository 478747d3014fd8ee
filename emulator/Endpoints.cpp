#include "Endpoints.h"

#include <algorithm>
#include <cstdio>

#include "Qx9Emulator.h"
#include "WireTables.h"

namespace qx9::emu {
namespace {

constexpr std::uint16_t ForeignVendorId = 0x1234;
constexpr std::uint16_t ForeignProductId = 0x0001;

}  // namespace

std::uint16_t ProductIdOf(Endpoint endpoint) {
    return endpoint == Endpoint::Cable ? fw::MouseProductId : fw::DongleProductId;
}

const char* EndpointName(Endpoint endpoint) {
    return endpoint == Endpoint::Cable ? "cable" : "dongle";
}

std::vector<InterfaceShape> InterfacesOf(bool commandHidden, bool statusHidden) {
    std::vector<HidUsage> vendor;
    if (!statusHidden) {
        vendor.push_back(fw::StatusCollection);
    }
    if (!commandHidden) {
        vendor.push_back(fw::CommandCollection);
    }
    return {
        {1, {{0x0001, 0x0002}}},
        {2, {{0x0001, 0x0006}, {0x000C, 0x0001}}},
        {3, {fw::SpareVendorCollection}},
        {4, vendor},
    };
}

std::string InterfacePath(std::uint16_t vendorId, std::uint16_t productId, unsigned instance) {
    char path[64];
    std::snprintf(path, sizeof path, "/emulator/0003:%04X:%04X.%04X/hidraw", vendorId, productId,
                  instance);
    return path;
}

HidInterfaceInfo ForeignInterface() {
    return {InterfacePath(ForeignVendorId, ForeignProductId, 1),
            ForeignVendorId,
            ForeignProductId,
            {fw::CommandCollection}};
}

// A handle on one endpoint; it goes stale when its device is unplugged, as a
// real handle does.
class Qx9Emulator::Device final : public FeatureDevice {
  public:
    Device(Qx9Emulator& owner, Endpoint endpoint, std::uint64_t generation, bool commandCapable)
        : owner_(owner),
          endpoint_(endpoint),
          generation_(generation),
          commandCapable_(commandCapable) {}

    bool SetFeature(std::span<const std::uint8_t> report) override {
        if (!commandCapable_) {
            return Refuse("feature report sent to an interface without the command collection");
        }
        return owner_.Send(endpoint_, generation_, report, error_);
    }

    bool GetFeature(std::span<std::uint8_t> report) override {
        if (!commandCapable_) {
            return Refuse("feature report read from an interface without the command collection");
        }
        return owner_.Receive(endpoint_, generation_, report, error_);
    }

    HidError LastError() const override { return error_; }

  private:
    bool Refuse(const char* why) {
        {
            std::lock_guard lock(owner_.mutex_);
            owner_.Violate(why);
        }
        error_ = HidError::Other;
        return false;
    }

    Qx9Emulator& owner_;
    Endpoint endpoint_;
    std::uint64_t generation_;
    bool commandCapable_;
    HidError error_ = HidError::None;
};

// Reads the status collection of one endpoint; like a real handle it fails once
// its device is unplugged.
class Qx9Emulator::StatusReader final : public StatusDevice {
  public:
    StatusReader(Qx9Emulator& owner, Endpoint endpoint, std::uint64_t generation,
                 bool carriesStatus)
        : owner_(owner),
          endpoint_(endpoint),
          generation_(generation),
          carriesStatus_(carriesStatus) {
        std::lock_guard lock(owner_.mutex_);
        ++owner_.openStatusReaders_;
    }
    StatusReader(const StatusReader&) = delete;
    StatusReader& operator=(const StatusReader&) = delete;
    ~StatusReader() override {
        std::lock_guard lock(owner_.mutex_);
        --owner_.openStatusReaders_;
    }

    int ReadTimeout(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) override {
        if (!carriesStatus_) {
            std::unique_lock lock(owner_.mutex_);
            owner_.statusChanged_.wait_for(
                lock, timeout, [&] { return !owner_.Attached(endpoint_, generation_); });
            return owner_.Attached(endpoint_, generation_) ? 0 : -1;
        }
        return owner_.ReadStatus(endpoint_, generation_, buffer, timeout);
    }

  private:
    Qx9Emulator& owner_;
    Endpoint endpoint_;
    std::uint64_t generation_;
    bool carriesStatus_;
};

std::string Qx9Emulator::InterfaceName(Endpoint endpoint) {
    return InterfacePath(fw::VendorId, ProductIdOf(endpoint),
                         InterfacesOf(false, false).back().instance);
}

std::vector<std::string> Qx9Emulator::InterfaceNames(Endpoint endpoint) {
    std::vector<std::string> names;
    for (const InterfaceShape& shape : InterfacesOf(false, false)) {
        names.push_back(InterfacePath(fw::VendorId, ProductIdOf(endpoint), shape.instance));
    }
    return names;
}

std::string Qx9Emulator::MouseInputName(Endpoint endpoint) {
    return InterfacePath(fw::VendorId, ProductIdOf(endpoint),
                         InterfacesOf(false, false).front().instance);
}

std::vector<HidInterfaceInfo> Qx9Emulator::EnumerateInterfaces() {
    std::lock_guard lock(mutex_);
    std::vector<HidInterfaceInfo> found;
    for (const Endpoint endpoint : {Endpoint::Dongle, Endpoint::Cable}) {
        if (!PortOf(endpoint).plugged) {
            continue;
        }
        for (const InterfaceShape& shape :
             InterfacesOf(commandCollectionHidden_, statusCollectionHidden_)) {
            const std::uint16_t productId = ProductIdOf(endpoint);
            found.push_back({InterfacePath(fw::VendorId, productId, shape.instance), fw::VendorId,
                             productId, shape.collections});
        }
    }
    found.push_back(ForeignInterface());
    return found;
}

std::optional<Qx9Emulator::OpenedInterface> Qx9Emulator::TakeOpen(const std::string& path,
                                                                  HidError& error) {
    if (const auto failure = faults_.TakeOpenFailure()) {
        error = *failure;
        return std::nullopt;
    }
    error = HidError::DeviceGone;
    for (const Endpoint endpoint : {Endpoint::Dongle, Endpoint::Cable}) {
        const Port& port = PortOf(endpoint);
        if (!port.plugged) {
            continue;
        }
        for (const InterfaceShape& shape :
             InterfacesOf(commandCollectionHidden_, statusCollectionHidden_)) {
            if (path == InterfacePath(fw::VendorId, ProductIdOf(endpoint), shape.instance)) {
                return OpenedInterface{endpoint, port.generation, shape.collections};
            }
        }
    }
    return std::nullopt;
}

bool Qx9Emulator::OpenedInterface::Carries(HidUsage collection) const {
    return std::find(collections.begin(), collections.end(), collection) != collections.end();
}

OpenedDevice Qx9Emulator::Open(const std::string& path) {
    std::lock_guard lock(mutex_);
    HidError error = HidError::None;
    const auto opened = TakeOpen(path, error);
    if (!opened) {
        return {nullptr, error};
    }
    return {std::make_unique<Device>(*this, opened->endpoint, opened->generation,
                                     opened->Carries(fw::CommandCollection)),
            HidError::None};
}

std::vector<StatusInterfaceInfo> Qx9Emulator::Enumerate(std::uint16_t vendorId,
                                                        std::uint16_t productId) {
    // As hidapi lists them: every collection, each with the path of its node.
    std::vector<StatusInterfaceInfo> found;
    for (const HidInterfaceInfo& node : EnumerateInterfaces()) {
        if (node.vendorId != vendorId || node.productId != productId) {
            continue;
        }
        for (const HidUsage& collection : node.collections) {
            found.push_back(
                {node.path, node.vendorId, node.productId, collection.usagePage, collection.usage});
        }
    }
    return found;
}

std::unique_ptr<StatusDevice> Qx9Emulator::OpenPath(const std::string& path) {
    std::optional<OpenedInterface> opened;
    {
        std::lock_guard lock(mutex_);
        HidError ignored = HidError::None;
        opened = TakeOpen(path, ignored);
    }
    // The reader counts itself in under the lock, so it is made outside it.
    if (!opened) {
        return nullptr;
    }
    return std::make_unique<StatusReader>(*this, opened->endpoint, opened->generation,
                                          opened->Carries(fw::StatusCollection));
}

int Qx9Emulator::ReadStatus(Endpoint endpoint, std::uint64_t generation,
                            std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    Port& port = PortOf(endpoint);
    statusChanged_.wait_for(lock, timeout, [&] {
        return !Attached(endpoint, generation) || !port.statusQueue.empty();
    });
    if (!Attached(endpoint, generation)) {
        return -1;
    }
    if (port.statusQueue.empty()) {
        return 0;
    }
    const StatusReport report = port.statusQueue.front();
    port.statusQueue.pop_front();
    const std::size_t size = std::min(buffer.size(), report.size());
    std::copy_n(report.begin(), size, buffer.begin());
    statusChanged_.notify_all();
    return static_cast<int>(size);
}

void Qx9Emulator::QueueStatus(Endpoint endpoint, const StatusReport& report) {
    Port& port = PortOf(endpoint);
    if (!port.plugged) {
        return;
    }
    port.statusQueue.push_back(report);
    statusChanged_.notify_all();
}

std::size_t Qx9Emulator::QueuedStatusReports(Endpoint endpoint) const {
    std::lock_guard lock(mutex_);
    return PortOf(endpoint).statusQueue.size();
}

int Qx9Emulator::OpenStatusReaders() const {
    std::lock_guard lock(mutex_);
    return openStatusReaders_;
}

bool Qx9Emulator::Attached(Endpoint endpoint, std::uint64_t generation) const {
    const Port& port = PortOf(endpoint);
    return port.plugged && port.generation == generation;
}

}  // namespace qx9::emu
