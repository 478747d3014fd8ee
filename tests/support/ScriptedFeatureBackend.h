#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "FeatureBackend.h"

namespace qx9::test {

// One scripted transfer: success with the reply to hand back, or a failure.
struct Step {
    bool ok = true;
    HidError error = HidError::None;
    std::vector<std::uint8_t> reply;

    static Step Succeed(std::vector<std::uint8_t> replyBytes = {}) {
        return {true, HidError::None, std::move(replyBytes)};
    }
    static Step Fail(HidError kind) { return {false, kind, {}}; }
};

// What the scripted device was asked to do, shared with the test.
struct Script {
    std::deque<Step> sends;
    std::deque<Step> reads;
    std::vector<std::vector<std::uint8_t>> sent;
    std::vector<std::vector<std::uint8_t>> readRequests;
};

// A device whose every transfer follows the script; an unscripted transfer
// succeeds and leaves the buffer as it came.
class ScriptedDevice final : public FeatureDevice {
  public:
    explicit ScriptedDevice(std::shared_ptr<Script> script) : script_(std::move(script)) {}

    bool SetFeature(std::span<const std::uint8_t> report) override {
        script_->sent.emplace_back(report.begin(), report.end());
        return Take(script_->sends, {});
    }

    bool GetFeature(std::span<std::uint8_t> report) override {
        script_->readRequests.emplace_back(report.begin(), report.end());
        return Take(script_->reads, report);
    }

    HidError LastError() const override { return error_; }

  private:
    bool Take(std::deque<Step>& steps, std::span<std::uint8_t> buffer) {
        if (steps.empty()) {
            error_ = HidError::None;
            return true;
        }
        const Step step = steps.front();
        steps.pop_front();
        error_ = step.error;
        std::copy_n(step.reply.begin(), std::min(step.reply.size(), buffer.size()), buffer.begin());
        return step.ok;
    }

    std::shared_ptr<Script> script_;
    HidError error_ = HidError::None;
};

// One interface carrying the command collection, backed by the script.
class ScriptedFeatureBackend final : public FeatureBackend {
  public:
    std::shared_ptr<Script> script = std::make_shared<Script>();

    std::vector<HidInterfaceInfo> EnumerateInterfaces() override {
        return {{"scripted", VendorIdForTests, ProductIdForTests, {{0xFF01, 0x0002}}}};
    }
    OpenedDevice Open(const std::string&) override {
        return {std::make_unique<ScriptedDevice>(script), HidError::None};
    }

    static constexpr std::uint16_t VendorIdForTests = 0x0001;
    static constexpr std::uint16_t ProductIdForTests = 0x0002;
};

}  // namespace qx9::test
