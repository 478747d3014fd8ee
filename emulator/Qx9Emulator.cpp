#include "Qx9Emulator.h"

#include <algorithm>
#include <cstdio>

namespace qx9::emu {
namespace {

using namespace std::chrono_literals;

// How long the dongle waits for a mouse that does not answer before it reports
// the command as not done.
constexpr auto UnansweredTime = 250ms;
constexpr auto RefusalTime = 100ms;

struct InterfaceShape {
    unsigned instance;
    std::vector<HidUsage> collections;
};

// Each device shows its mouse, keyboard and consumer collections, a vendor
// collection of the wrong usage, and the node that carries status and commands.
std::vector<InterfaceShape> InterfacesOf(bool commandHidden, bool statusHidden = false) {
    std::vector<HidUsage> vendor;
    if (!statusHidden) {
        vendor.push_back({StatusUsagePage, StatusUsage});
    }
    if (!commandHidden) {
        vendor.push_back({CommandUsagePage, CommandUsage});
    }
    return {
        {1, {{0x0001, 0x0002}}},
        {2, {{0x0001, 0x0006}, {0x000C, 0x0001}}},
        {3, {{CommandUsagePage, 0x0001}}},
        {4, vendor},
    };
}

std::string InterfacePath(std::uint16_t vendorId, std::uint16_t productId, unsigned instance) {
    char path[64];
    std::snprintf(path, sizeof path, "/emulator/0003:%04X:%04X.%04X/hidraw", vendorId, productId,
                  instance);
    return path;
}

std::uint16_t ProductIdOf(Endpoint endpoint) {
    return endpoint == Endpoint::Cable ? WiredProductId : DongleProductId;
}

const char* EndpointName(Endpoint endpoint) {
    return endpoint == Endpoint::Cable ? "cable" : "dongle";
}

// A device of another maker that carries a collection of the same usage.
constexpr std::uint16_t ForeignVendorId = 0x1234;
constexpr std::uint16_t ForeignProductId = 0x0001;

}  // namespace

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

Qx9Emulator::Qx9Emulator(Clock& clock) : clock_(clock), start_(clock.Now()) {}

Qx9Emulator::~Qx9Emulator() = default;

std::string Qx9Emulator::InterfaceName(Endpoint endpoint) {
    return InterfacePath(VendorId, ProductIdOf(endpoint), InterfacesOf(false).back().instance);
}

std::vector<std::string> Qx9Emulator::InterfaceNames(Endpoint endpoint) {
    std::vector<std::string> names;
    for (const InterfaceShape& shape : InterfacesOf(false)) {
        names.push_back(InterfacePath(VendorId, ProductIdOf(endpoint), shape.instance));
    }
    return names;
}

std::string Qx9Emulator::MouseInputName(Endpoint endpoint) {
    return InterfacePath(VendorId, ProductIdOf(endpoint), InterfacesOf(false).front().instance);
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
            found.push_back({InterfacePath(VendorId, productId, shape.instance), VendorId,
                             productId, shape.collections});
        }
    }
    found.push_back({InterfacePath(ForeignVendorId, ForeignProductId, 1),
                     ForeignVendorId,
                     ForeignProductId,
                     {{CommandUsagePage, CommandUsage}}});
    return found;
}

std::optional<Qx9Emulator::OpenedInterface> Qx9Emulator::TakeOpen(const std::string& path,
                                                                  HidError& error) {
    if (TakeFault(failOpens_)) {
        error = openError_;
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
            if (path == InterfacePath(VendorId, ProductIdOf(endpoint), shape.instance)) {
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
                                     opened->Carries({CommandUsagePage, CommandUsage})),
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
                                          opened->Carries({StatusUsagePage, StatusUsage}));
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

std::optional<Endpoint> Qx9Emulator::MouseReportsOn() const {
    if (cable_.plugged) {
        return Endpoint::Cable;
    }
    if (MouseInRange()) {
        return Endpoint::Dongle;
    }
    return std::nullopt;
}

void Qx9Emulator::SendStatusReport(Endpoint endpoint, const std::array<std::uint8_t, 8>& report) {
    std::lock_guard lock(mutex_);
    QueueStatus(endpoint, report);
}

void Qx9Emulator::PressCpiButton() {
    std::lock_guard lock(mutex_);
    const std::uint8_t level = mouse_.CycleCpiLevel();
    if (const auto endpoint = MouseReportsOn()) {
        QueueStatus(*endpoint, {StatusReportId, record::CpiLevel, level});
    }
}

void Qx9Emulator::ChangeReportRate(std::uint8_t code, bool forcedMaxFrameRate) {
    std::lock_guard lock(mutex_);
    mouse_.SetPollingRate(code);
    if (const auto endpoint = MouseReportsOn()) {
        QueueStatus(*endpoint, {StatusReportId, record::ReportRate, code,
                                static_cast<std::uint8_t>(forcedMaxFrameRate ? 1 : 0)});
    }
}

void Qx9Emulator::AnnounceProductId() {
    std::lock_guard lock(mutex_);
    if (const auto endpoint = MouseReportsOn()) {
        const std::uint16_t id = mouse_.state.productId;
        QueueStatus(*endpoint,
                    {StatusReportId, record::ProductId, 0, static_cast<std::uint8_t>(id & 0xFF),
                     static_cast<std::uint8_t>(id >> 8)});
    }
}

void Qx9Emulator::ReportBattery() {
    std::lock_guard lock(mutex_);
    if (const auto endpoint = MouseReportsOn()) {
        QueueStatus(*endpoint, {StatusReportId, record::Battery, mouse_.state.battery});
    }
}

void Qx9Emulator::DropWirelessLink() {
    std::lock_guard lock(mutex_);
    linkUp_ = false;
    QueueStatus(Endpoint::Dongle, {StatusReportId, record::LinkState, record::LinkStateOff});
}

std::size_t Qx9Emulator::QueuedStatusReports(Endpoint endpoint) const {
    std::lock_guard lock(mutex_);
    return PortOf(endpoint).statusQueue.size();
}

int Qx9Emulator::OpenStatusReaders() const {
    std::lock_guard lock(mutex_);
    return openStatusReaders_;
}

void Qx9Emulator::HideStatusCollection(bool hidden) {
    std::lock_guard lock(mutex_);
    statusCollectionHidden_ = hidden;
}

bool Qx9Emulator::Attached(Endpoint endpoint, std::uint64_t generation) const {
    const Port& port = PortOf(endpoint);
    return port.plugged && port.generation == generation;
}

bool Qx9Emulator::TakeFault(int& counter) {
    if (counter <= 0) {
        return false;
    }
    --counter;
    return true;
}

std::optional<std::uint8_t> Qx9Emulator::TakeRefusal(std::uint8_t code) {
    const auto found = refusals_.find(code);
    if (found == refusals_.end()) {
        return std::nullopt;
    }
    Refusal& refusal = found->second;
    if (refusal.skip > 0) {
        --refusal.skip;
        return std::nullopt;
    }
    const std::uint8_t refusedWith = refusal.status;
    if (refusal.remaining > 0 && --refusal.remaining == 0) {
        refusals_.erase(found);
    }
    return refusedWith;
}

Outcome Qx9Emulator::Execute(Endpoint endpoint, std::span<const std::uint8_t> report) {
    if (report.size() != CommandReportSize || report[0] != CommandReportId) {
        return {{}, {}, "command report must be 64 bytes with report id A1"};
    }
    const std::uint8_t code = report[1];
    if (const auto refusedWith = TakeRefusal(code)) {
        const bool config = code == command::ReadConfig;
        return {MakeReply(config ? ConfigReportId : CommandReportId,
                          config ? ConfigReportSize : CommandReportSize, *refusedWith),
                RefusalTime,
                {}};
    }
    if (endpoint == Endpoint::Cable) {
        if (!MouseFirmware::Handles(code)) {
            return {{}, {}, "command " + std::to_string(code) + " sent to the mouse on its cable"};
        }
        return mouse_.Execute(report, false);
    }
    if (DongleFirmware::Handles(code)) {
        return dongle_fw_.Execute(report);
    }
    if (!MouseFirmware::Handles(code)) {
        return {{}, {}, "the dongle does not know command " + std::to_string(code)};
    }
    if (!MouseInRange()) {
        return {MakeReply(CommandReportId, CommandReportSize, status::NotDone), UnansweredTime, {}};
    }
    return mouse_.Execute(report, true);
}

bool Qx9Emulator::Send(Endpoint endpoint, std::uint64_t generation,
                       std::span<const std::uint8_t> report, HidError& error) {
    std::lock_guard lock(mutex_);
    if (!Attached(endpoint, generation)) {
        error = HidError::DeviceGone;
        Record(endpoint, Direction::Send, report, false);
        return false;
    }
    if (failSendsAfter_ > 0) {
        --failSendsAfter_;
    } else if (TakeFault(failSends_)) {
        error = sendError_;
        Record(endpoint, Direction::Send, report, false);
        return false;
    }
    Outcome outcome = Execute(endpoint, report);
    if (!outcome.violation.empty()) {
        Violate(outcome.violation);
        error = HidError::Other;
        Record(endpoint, Direction::Send, report, false);
        return false;
    }
    Record(endpoint, Direction::Send, report, true);
    PortOf(endpoint).pending = Pending{std::move(outcome.reply), clock_.Now() + outcome.processing};
    if (vanishNext_) {
        vanishNext_ = false;
        Plug(endpoint, false);
    }
    error = HidError::None;
    return true;
}

bool Qx9Emulator::Receive(Endpoint endpoint, std::uint64_t generation,
                          std::span<std::uint8_t> report, HidError& error) {
    std::lock_guard lock(mutex_);
    const auto fail = [&](HidError kind) {
        error = kind;
        Record(endpoint, Direction::Receive, report, false);
        return false;
    };
    if (!Attached(endpoint, generation)) {
        return fail(HidError::DeviceGone);
    }
    if (TakeFault(failReads_)) {
        return fail(readError_);
    }
    const std::optional<Pending>& pending = PortOf(endpoint).pending;
    if (!pending) {
        Violate("reply read with no command sent");
        return fail(HidError::Other);
    }
    if (report.empty() || report.size() != pending->reply.size() ||
        report[0] != pending->reply[0]) {
        Violate("reply read with the wrong report id or size");
        return fail(HidError::Other);
    }
    if (repliesBusy_ || clock_.Now() < pending->readyAt) {
        std::fill(report.begin(), report.end(), 0);
        report[0] = pending->reply[0];
        report[StatusByteOffset] = status::Busy;
    } else {
        std::copy(pending->reply.begin(), pending->reply.end(), report.begin());
    }
    Record(endpoint, Direction::Receive, report, true);
    error = HidError::None;
    return true;
}

void Qx9Emulator::Plug(Endpoint endpoint, bool plugged) {
    Port& port = PortOf(endpoint);
    if (port.plugged == plugged) {
        return;
    }
    port.plugged = plugged;
    ++port.generation;
    port.pending.reset();
    port.statusQueue.clear();
    statusChanged_.notify_all();  // a blocked status read ends with an error
}

void Qx9Emulator::Record(Endpoint endpoint, Direction direction,
                         std::span<const std::uint8_t> bytes, bool ok) {
    TraceEntry entry{clock_.Now() - start_, direction, EndpointName(endpoint),
                     std::vector<std::uint8_t>(bytes.begin(), bytes.end()), ok};
    if (observer_) {
        observer_(entry);
    }
    trace_.push_back(std::move(entry));
}

void Qx9Emulator::Violate(std::string why) {
    violations_.push_back(std::move(why));
}

void Qx9Emulator::PlugCable(bool plugged) {
    std::lock_guard lock(mutex_);
    Plug(Endpoint::Cable, plugged);
}

void Qx9Emulator::PlugDongle(bool plugged) {
    std::lock_guard lock(mutex_);
    Plug(Endpoint::Dongle, plugged);
}

void Qx9Emulator::SetMousePowered(bool on) {
    std::lock_guard lock(mutex_);
    mousePowered_ = on;
}

void Qx9Emulator::SetPaired(bool paired) {
    std::lock_guard lock(mutex_);
    dongle_fw_.state.paired = paired;
    if (paired) {
        dongle_fw_.state.pairingRequested = false;
    }
}

void Qx9Emulator::SetWirelessLink(bool up) {
    std::lock_guard lock(mutex_);
    linkUp_ = up;
}

void Qx9Emulator::SetBattery(std::uint8_t percent) {
    std::lock_guard lock(mutex_);
    mouse_.state.battery = percent;
}

void Qx9Emulator::SetMouseFirmwareVersion(std::uint16_t version) {
    std::lock_guard lock(mutex_);
    mouse_.state.firmwareVersion = version;
}

void Qx9Emulator::SetMouseProductId(std::uint16_t productId) {
    std::lock_guard lock(mutex_);
    mouse_.state.productId = productId;
}

void Qx9Emulator::SetDongleFirmwareVersion(std::uint16_t version) {
    std::lock_guard lock(mutex_);
    dongle_fw_.state.firmwareVersion = version;
}

void Qx9Emulator::SetConfigBlock(const Block& block) {
    std::lock_guard lock(mutex_);
    mouse_.state.block = block;
}

void Qx9Emulator::HideCommandCollection(bool hidden) {
    std::lock_guard lock(mutex_);
    commandCollectionHidden_ = hidden;
}

bool Qx9Emulator::CablePlugged() const {
    std::lock_guard lock(mutex_);
    return cable_.plugged;
}

bool Qx9Emulator::DonglePlugged() const {
    std::lock_guard lock(mutex_);
    return dongle_.plugged;
}

bool Qx9Emulator::MouseReachableWirelessly() const {
    std::lock_guard lock(mutex_);
    return MouseInRange();
}

bool Qx9Emulator::MouseInRange() const {
    return dongle_.plugged && mousePowered_ && dongle_fw_.state.paired && linkUp_;
}

bool Qx9Emulator::PairingRequested() const {
    std::lock_guard lock(mutex_);
    return dongle_fw_.state.pairingRequested;
}

Block Qx9Emulator::ConfigBlock() const {
    std::lock_guard lock(mutex_);
    return mouse_.state.block;
}

std::uint8_t Qx9Emulator::Battery() const {
    std::lock_guard lock(mutex_);
    return mouse_.state.battery;
}

void Qx9Emulator::FailNextSends(int count, HidError error, int after) {
    std::lock_guard lock(mutex_);
    failSends_ = count;
    failSendsAfter_ = after;
    sendError_ = error;
}

void Qx9Emulator::FailNextReads(int count, HidError error) {
    std::lock_guard lock(mutex_);
    failReads_ = count;
    readError_ = error;
}

void Qx9Emulator::FailNextOpens(int count, HidError error) {
    std::lock_guard lock(mutex_);
    failOpens_ = count;
    openError_ = error;
}

void Qx9Emulator::KeepRepliesBusy(bool busy) {
    std::lock_guard lock(mutex_);
    repliesBusy_ = busy;
}

void Qx9Emulator::RefuseCommand(std::uint8_t code, std::uint8_t status, int count, int after) {
    std::lock_guard lock(mutex_);
    refusals_[code] = {status, count, after};
}

void Qx9Emulator::VanishDuringNextCommand() {
    std::lock_guard lock(mutex_);
    vanishNext_ = true;
}

std::vector<TraceEntry> Qx9Emulator::Trace() const {
    std::lock_guard lock(mutex_);
    return trace_;
}

void Qx9Emulator::ClearTrace() {
    std::lock_guard lock(mutex_);
    trace_.clear();
}

void Qx9Emulator::SetTraceObserver(std::function<void(const TraceEntry&)> observer) {
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

std::vector<std::string> Qx9Emulator::Violations() const {
    std::lock_guard lock(mutex_);
    return violations_;
}

}  // namespace qx9::emu
