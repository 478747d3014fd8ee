#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "ByteStream.h"
#include "Require.h"
#include "StatusListener.h"

using namespace qx9;
using fuzz::Require;
using namespace std::chrono_literals;

namespace {

// What the device handed over and what reached the handler.
struct Traffic {
    std::vector<StatusRecord> due;
    std::vector<StatusRecord> delivered;
    std::mutex mutex;
    std::condition_variable closedChanged;
    bool closed = false;
};

// A status device whose reads come from the input: per step one byte, whose
// value mod 4 says 0: a report of (next byte mod 9) bytes that follow; 1: the
// timeout passed; 2: dispatch is switched to the next byte's bit 0 before the
// read goes on; 3: the device failed. The input's end fails the device too.
class FuzzedStatusDevice final : public StatusDevice {
  public:
    FuzzedStatusDevice(fuzz::ByteStream& input, StatusListener& listener, Traffic& traffic)
        : input_(input), listener_(listener), traffic_(traffic) {}
    FuzzedStatusDevice(const FuzzedStatusDevice&) = delete;
    FuzzedStatusDevice& operator=(const FuzzedStatusDevice&) = delete;
    ~FuzzedStatusDevice() override {
        std::lock_guard lock(traffic_.mutex);
        traffic_.closed = true;
        traffic_.closedChanged.notify_all();
    }

    int ReadTimeout(std::span<std::uint8_t> buffer, std::chrono::milliseconds) override {
        Require(buffer.size() == StatusReportSize && buffer[0] == StatusReportId &&
                    std::all_of(buffer.begin() + 1, buffer.end(),
                                [](std::uint8_t b) { return b == 0; }),
                "every read starts from a clean report 3");
        while (!input_.Empty()) {
            switch (input_.Byte() % 4) {
                case 0:
                    return Report(buffer);
                case 1:
                    return 0;
                case 2:
                    listener_.StatusDispatchEnabled = (input_.Byte() & 1) != 0;
                    continue;
                default:
                    return -1;
            }
        }
        return -1;
    }

  private:
    int Report(std::span<std::uint8_t> buffer) {
        const auto bytes = input_.Take(input_.Byte() % (StatusReportSize + 1));
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        if (!bytes.empty() && listener_.StatusDispatchEnabled) {
            // Bytes 1-7 as sent; what a short report leaves out reads 0.
            StatusRecord record;
            for (std::size_t i = 1; i < bytes.size(); ++i) {
                record.bytes[i - 1] = bytes[i];
            }
            traffic_.due.push_back(record);
        }
        return static_cast<int>(bytes.size());
    }

    fuzz::ByteStream& input_;
    StatusListener& listener_;
    Traffic& traffic_;
};

class FuzzedStatusBackend final : public StatusBackend {
  public:
    FuzzedStatusBackend(fuzz::ByteStream& input, Traffic& traffic)
        : input_(input), traffic_(traffic) {}
    void Serve(StatusListener& listener) { listener_ = &listener; }

    std::vector<StatusInterfaceInfo> Enumerate(std::uint16_t vendorId,
                                               std::uint16_t productId) override {
        return {{"fuzzed", vendorId, productId, StatusUsagePage, StatusUsage}};
    }
    std::unique_ptr<StatusDevice> OpenPath(const std::string&) override {
        return std::make_unique<FuzzedStatusDevice>(input_, *listener_, traffic_);
    }

  private:
    fuzz::ByteStream& input_;
    Traffic& traffic_;
    StatusListener* listener_ = nullptr;
};

class NoFeatureBackend final : public FeatureBackend {
  public:
    std::vector<HidInterfaceInfo> EnumerateInterfaces() override { return {}; }
    OpenedDevice Open(const std::string&) override { return {nullptr, HidError::DeviceGone}; }
};

}  // namespace

// Input: one byte choosing cable (even) or dongle (odd), then the device's steps.
// Every record read while dispatch is on reaches the handler, in order, as
// bytes 1-7 of its report; nothing else does; the reader ends and closes its
// device when the device fails.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteStream input({data, size});
    Traffic traffic;
    VirtualClock clock;
    NoFeatureBackend features;
    DeviceLink link(features, clock);
    link.SetConnectionMode(input.Byte() % 2 == 0 ? LinkMode::Cable : LinkMode::Dongle);
    FuzzedStatusBackend backend(input, traffic);
    StatusListener listener(backend, link, clock, [&traffic](const StatusRecord& record) {
        traffic.delivered.push_back(record);
    });
    backend.Serve(listener);

    Require(listener.StartStatusListener() == listener::Started, "the listener starts");
    {
        std::unique_lock lock(traffic.mutex);
        Require(traffic.closedChanged.wait_for(lock, 5s, [&] { return traffic.closed; }),
                "the reader closes its device once the device fails");
    }
    listener.Stop();
    Require(!listener.IsRunning(), "a stopped listener does not run");
    Require(traffic.delivered == traffic.due, "the handler gets exactly the records due, in order");
    return 0;
}
