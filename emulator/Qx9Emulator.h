#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Clock.h"
#include "DongleFirmware.h"
#include "Endpoints.h"
#include "FaultInjection.h"
#include "FeatureBackend.h"
#include "MouseFirmware.h"
#include "StatusBackend.h"
#include "Trace.h"

namespace qx9::emu {

// The mouse, its dongle and the cable as the tool sees them through HID. Strict:
// a request outside the device contract is recorded as a violation and fails;
// each command takes the whole wait the tool must keep for it, so a shorter
// wait meets a busy reply; a read with no reply to give, and a command sent
// over an unread reply or into a button chunk being stored, are violations.
// All members may be called from any thread.
class Qx9Emulator final : public FeatureBackend, public StatusBackend {
  public:
    explicit Qx9Emulator(Clock& clock);
    ~Qx9Emulator() override;

    std::vector<HidInterfaceInfo> EnumerateInterfaces() override;
    OpenedDevice Open(const std::string& path) override;
    std::vector<StatusInterfaceInfo> Enumerate(std::uint16_t vendorId,
                                               std::uint16_t productId) override;
    std::unique_ptr<StatusDevice> OpenPath(const std::string& path) override;

    // --- the hardware ----------------------------------------------------------
    void PlugCable(bool plugged);
    void PlugDongle(bool plugged);
    void SetMousePowered(bool on);
    void SetPaired(bool paired);
    void SetWirelessLink(bool up);
    void SetBattery(std::uint8_t percent);
    void SetMouseFirmwareVersion(std::uint16_t version);
    void SetMouseProductId(std::uint16_t productId);
    void SetDongleFirmwareVersion(std::uint16_t version);
    void SetConfigBlock(const Block& block);
    // Only the collections that the tool must not pick, under the right ids.
    void HideCommandCollection(bool hidden);
    void HideStatusCollection(bool hidden);

    // --- what the mouse and dongle report on their own ---------------------------
    // The mouse's CPI button: it moves to its next level and reports it.
    void PressCpiButton();
    void ChangeReportRate(std::uint8_t code, bool forcedMaxFrameRate);
    void AnnounceProductId();
    void ReportBattery();
    // The radio link fails; the dongle reports it.
    void DropWirelessLink();
    // Any input report, queued on the endpoint's status collection.
    void SendStatusReport(Endpoint endpoint, const std::array<std::uint8_t, 8>& report);
    std::size_t QueuedStatusReports(Endpoint endpoint) const;
    int OpenStatusReaders() const;

    bool CablePlugged() const;
    bool DonglePlugged() const;
    bool MousePowered() const;
    bool MouseReachableWirelessly() const;
    bool PairingRequested() const;
    Block ConfigBlock() const;
    std::uint8_t Battery() const;
    // The syspath-like name of an endpoint's command interface; it carries
    // "VVVV:PPPP" as device names do.
    static std::string InterfaceName(Endpoint endpoint);
    // Every interface of an endpoint, as hot-plug names them one by one.
    static std::vector<std::string> InterfaceNames(Endpoint endpoint);
    // The interface that carries the endpoint's mouse collection, which raw
    // mouse input names as its source.
    static std::string MouseInputName(Endpoint endpoint);

    // --- faults on demand --------------------------------------------------------
    // The `count` sends that follow the next `after` successful ones fail.
    void FailNextSends(int count, HidError error, int after = 0);
    void FailNextReads(int count, HidError error);
    // The next `count` opens of any interface fail with this kind (AccessDenied:
    // a node the user may not open).
    void FailNextOpens(int count, HidError error = HidError::Other);
    void KeepRepliesBusy(bool busy);
    // After `after` commands with this code, the next `count` (every one when
    // count < 0) are refused with the status and change nothing.
    void RefuseCommand(std::uint8_t code, std::uint8_t status, int count = 1, int after = 0);
    // The device that takes the next command accepts it and then disappears.
    void VanishDuringNextCommand();

    // --- observation -------------------------------------------------------------
    std::vector<TraceEntry> Trace() const;
    void ClearTrace();
    // Called for every exchange, under the emulator's lock: it must not call back.
    void SetTraceObserver(std::function<void(const TraceEntry&)> observer);
    std::vector<std::string> Violations() const;

  private:
    class Device;
    class StatusReader;
    using StatusReport = std::array<std::uint8_t, fw::StatusReportSize>;
    struct Pending {
        std::vector<std::uint8_t> reply;
        std::chrono::milliseconds readyAt{};
        bool readTried = false;
        bool storesChunk = false;
    };
    struct OpenedInterface {
        Endpoint endpoint;
        std::uint64_t generation;
        std::vector<HidUsage> collections;
        bool Carries(HidUsage collection) const;
    };
    struct Port {
        bool plugged = false;
        std::uint64_t generation = 0;
        std::optional<Pending> pending;
        bool lastSendFailed = false;
        // Until then the mouse stores a button chunk and takes no command.
        std::chrono::milliseconds acceptsAt{};
        std::deque<StatusReport> statusQueue;
    };

    bool Send(Endpoint endpoint, std::uint64_t generation, std::span<const std::uint8_t> report,
              HidError& error);
    bool Receive(Endpoint endpoint, std::uint64_t generation, std::span<std::uint8_t> report,
                 HidError& error);
    bool Attached(Endpoint endpoint, std::uint64_t generation) const;
    // The plugged interface at this path, unless an open is to fail; else why not.
    std::optional<OpenedInterface> TakeOpen(const std::string& path, HidError& error);
    bool MouseInRange() const;
    RadioLink Radio() const;
    // Why the host may not send on this port now; empty when it may.
    std::string SendRefusedBecause(const Port& port) const;
    std::optional<Endpoint> MouseReportsOn() const;
    void QueueStatus(Endpoint endpoint, const StatusReport& report);
    int ReadStatus(Endpoint endpoint, std::uint64_t generation, std::span<std::uint8_t> buffer,
                   std::chrono::milliseconds timeout);
    Outcome Execute(Endpoint endpoint, const fw::CommandShape& shape,
                    std::span<const std::uint8_t> report);
    void Plug(Endpoint endpoint, bool plugged);
    void Record(Endpoint endpoint, Direction direction, std::span<const std::uint8_t> bytes,
                bool ok);
    void Violate(std::string why);
    Port& PortOf(Endpoint endpoint) { return endpoint == Endpoint::Cable ? cable_ : dongle_; }
    const Port& PortOf(Endpoint endpoint) const {
        return endpoint == Endpoint::Cable ? cable_ : dongle_;
    }

    Clock& clock_;
    const std::chrono::milliseconds start_;
    mutable std::mutex mutex_;
    MouseFirmware mouse_;
    DongleFirmware dongle_fw_;
    Port cable_;
    Port dongle_;
    bool mousePowered_ = true;
    bool linkUp_ = true;
    bool commandCollectionHidden_ = false;
    bool statusCollectionHidden_ = false;
    int openStatusReaders_ = 0;
    std::condition_variable statusChanged_;
    FaultInjection faults_;

    std::vector<TraceEntry> trace_;
    std::function<void(const TraceEntry&)> observer_;
    std::vector<std::string> violations_;
};

}  // namespace qx9::emu
