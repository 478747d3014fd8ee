#include "Qx9Emulator.h"

#include <algorithm>

namespace qx9::emu {
namespace {

std::string MsText(std::chrono::milliseconds time) {
    return std::to_string(time.count()) + " ms";
}

bool OnlyReportId(std::span<const std::uint8_t> request) {
    return std::all_of(request.begin() + 1, request.end(), [](std::uint8_t b) { return b == 0; });
}

}  // namespace

Qx9Emulator::Qx9Emulator(Clock& clock) : clock_(clock), start_(clock.Now()) {}

Qx9Emulator::~Qx9Emulator() = default;

// --- the exchange -----------------------------------------------------------------

std::string Qx9Emulator::SendRefusedBecause(const Port& port) const {
    if (port.pending && !port.pending->readTried) {
        return "a command was sent while the reply to the previous one was still unread";
    }
    if (const auto now = clock_.Now(); now < port.acceptsAt) {
        return "a command was sent " + MsText(port.acceptsAt - now) +
               " too early after a button chunk's reply, while the mouse stores the chunk";
    }
    return {};
}

Outcome Qx9Emulator::Execute(Endpoint endpoint, const fw::CommandShape& shape,
                             std::span<const std::uint8_t> report) {
    if (endpoint == Endpoint::Cable && shape.owner == fw::Owner::Dongle) {
        return Violation(std::string("the ") + shape.name + " sent to the mouse on its cable");
    }
    const bool viaDongle = endpoint == Endpoint::Dongle;
    // A refused command is still one the firmware understood.
    if (const auto refusedWith = faults_.TakeRefusal(shape.code)) {
        return Answer(shape, viaDongle, *refusedWith);
    }
    if (!viaDongle) {
        return mouse_.Execute(shape, report, false);
    }
    return dongle_fw_.Execute(shape, report, Radio(), mouse_);
}

bool Qx9Emulator::Send(Endpoint endpoint, std::uint64_t generation,
                       std::span<const std::uint8_t> report, HidError& error) {
    std::lock_guard lock(mutex_);
    const auto fail = [&](HidError kind) {
        error = kind;
        Record(endpoint, Direction::Send, report, false);
        return false;
    };
    if (!Attached(endpoint, generation)) {
        return fail(HidError::DeviceGone);
    }
    Port& port = PortOf(endpoint);
    const std::string tooEarly = SendRefusedBecause(port);
    // Whatever becomes of this send, the earlier reply is gone.
    port.pending.reset();
    port.lastSendFailed = true;
    const Request request = ReadRequest(report);
    const std::string& violation = tooEarly.empty() ? request.violation : tooEarly;
    if (!violation.empty()) {
        Violate(violation);
        return fail(HidError::Other);
    }
    if (const auto failure = faults_.TakeSendFailure()) {
        return fail(*failure);
    }
    Outcome outcome = Execute(endpoint, *request.shape, report);
    if (!outcome.violation.empty()) {
        Violate(outcome.violation);
        return fail(HidError::Other);
    }
    Record(endpoint, Direction::Send, report, true);
    port.pending = Pending{std::move(outcome.reply), clock_.Now() + outcome.processing, false,
                           request.shape->chunked};
    port.lastSendFailed = false;
    if (faults_.TakeVanishing()) {
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
    Port& port = PortOf(endpoint);
    if (!port.pending) {
        Violate(port.lastSendFailed ? "reply read after a failed send, which leaves none"
                                    : "reply read with no command sent");
        return fail(HidError::Other);
    }
    Pending& pending = *port.pending;
    const auto now = clock_.Now();
    pending.readTried = true;
    if (pending.storesChunk) {
        port.acceptsAt = now + fw::ChunkStoreTime();
    }
    if (const auto failure = faults_.TakeReadFailure()) {
        return fail(*failure);
    }
    if (report.empty() || report.size() != pending.reply.size() || report[0] != pending.reply[0]) {
        Violate("reply read with the wrong report id or size");
        return fail(HidError::Other);
    }
    if (!OnlyReportId(report)) {
        Violate("read request carries bytes past its report id");
        return fail(HidError::Other);
    }
    if (faults_.RepliesStayBusy() || now < pending.readyAt) {
        report[fw::StatusAt] = fw::Busy;
    } else {
        std::copy(pending.reply.begin(), pending.reply.end(), report.begin());
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
    port.lastSendFailed = false;
    port.acceptsAt = {};
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

// --- the radio and the mouse's own reports -------------------------------------------

RadioLink Qx9Emulator::Radio() const {
    if (!dongle_fw_.state.paired) {
        return RadioLink::NotPaired;
    }
    if (!mousePowered_) {
        return RadioLink::MouseSilent;
    }
    return linkUp_ ? RadioLink::Up : RadioLink::OutOfRange;
}

bool Qx9Emulator::MouseInRange() const {
    return dongle_.plugged && Radio() == RadioLink::Up;
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
        QueueStatus(*endpoint, {fw::StatusReportId, fw::RecordCpiLevel, level});
    }
}

void Qx9Emulator::ChangeReportRate(std::uint8_t code, bool forcedMaxFrameRate) {
    std::lock_guard lock(mutex_);
    mouse_.SetPollingRate(code);
    if (const auto endpoint = MouseReportsOn()) {
        QueueStatus(*endpoint, {fw::StatusReportId, fw::RecordReportRate, code,
                                static_cast<std::uint8_t>(forcedMaxFrameRate ? 1 : 0)});
    }
}

void Qx9Emulator::AnnounceProductId() {
    std::lock_guard lock(mutex_);
    if (const auto endpoint = MouseReportsOn()) {
        const std::uint16_t id = mouse_.state.productId;
        QueueStatus(*endpoint,
                    {fw::StatusReportId, fw::RecordProductId, 0,
                     static_cast<std::uint8_t>(id & 0xFF), static_cast<std::uint8_t>(id >> 8)});
    }
}

void Qx9Emulator::ReportBattery() {
    std::lock_guard lock(mutex_);
    if (const auto endpoint = MouseReportsOn()) {
        QueueStatus(*endpoint, {fw::StatusReportId, fw::RecordBattery, mouse_.state.battery});
    }
}

void Qx9Emulator::DropWirelessLink() {
    std::lock_guard lock(mutex_);
    linkUp_ = false;
    QueueStatus(Endpoint::Dongle, {fw::StatusReportId, fw::RecordLink, fw::LinkLost});
}

// --- the hardware -------------------------------------------------------------------

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

void Qx9Emulator::HideStatusCollection(bool hidden) {
    std::lock_guard lock(mutex_);
    statusCollectionHidden_ = hidden;
}

bool Qx9Emulator::CablePlugged() const {
    std::lock_guard lock(mutex_);
    return cable_.plugged;
}

bool Qx9Emulator::DonglePlugged() const {
    std::lock_guard lock(mutex_);
    return dongle_.plugged;
}

bool Qx9Emulator::MousePowered() const {
    std::lock_guard lock(mutex_);
    return mousePowered_;
}

bool Qx9Emulator::MouseReachableWirelessly() const {
    std::lock_guard lock(mutex_);
    return MouseInRange();
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

// --- faults on demand ---------------------------------------------------------------

void Qx9Emulator::FailNextSends(int count, HidError error, int after) {
    std::lock_guard lock(mutex_);
    faults_.FailSends(count, error, after);
}

void Qx9Emulator::FailNextReads(int count, HidError error) {
    std::lock_guard lock(mutex_);
    faults_.FailReads(count, error);
}

void Qx9Emulator::FailNextOpens(int count, HidError error) {
    std::lock_guard lock(mutex_);
    faults_.FailOpens(count, error);
}

void Qx9Emulator::KeepRepliesBusy(bool busy) {
    std::lock_guard lock(mutex_);
    faults_.KeepRepliesBusy(busy);
}

void Qx9Emulator::RefuseCommand(std::uint8_t code, std::uint8_t status, int count, int after) {
    std::lock_guard lock(mutex_);
    faults_.Refuse(code, status, count, after);
}

void Qx9Emulator::VanishDuringNextCommand() {
    std::lock_guard lock(mutex_);
    faults_.VanishDuringNextCommand();
}

// --- observation --------------------------------------------------------------------

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
