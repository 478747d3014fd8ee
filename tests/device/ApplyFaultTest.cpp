#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "ApplySettings.h"
#include "Qx9Emulator.h"
#include "support/CaseName.h"
#include "support/SentCommands.h"

namespace qx9 {
namespace {

using emu::Endpoint;
// Arms a fault for the command of this code that is about to be sent.
using Arm = std::function<void(emu::Qx9Emulator&, std::uint8_t code)>;

// The emulated hardware, with a fault armed just before the first attempt to
// send one particular request, so that it lands on that exchange and no other.
class ArmingBackend final : public FeatureBackend {
  public:
    explicit ArmingBackend(emu::Qx9Emulator& emulator) : emulator_(emulator) {}

    void ArmBefore(std::uint8_t code, std::uint8_t chunk, Arm arm) {
        code_ = code;
        chunk_ = chunk;
        arm_ = std::move(arm);
    }

    bool Fired() const { return !arm_; }

    std::vector<HidInterfaceInfo> EnumerateInterfaces() override {
        return emulator_.EnumerateInterfaces();
    }
    OpenedDevice Open(const std::string& path) override {
        OpenedDevice opened = emulator_.Open(path);
        if (opened.device) {
            opened.device = std::make_unique<Device>(*this, std::move(opened.device));
        }
        return opened;
    }

  private:
    class Device final : public FeatureDevice {
      public:
        Device(ArmingBackend& owner, std::unique_ptr<FeatureDevice> inner)
            : owner_(owner), inner_(std::move(inner)) {}
        bool SetFeature(std::span<const std::uint8_t> report) override {
            owner_.Sending(report);
            return inner_->SetFeature(report);
        }
        bool GetFeature(std::span<std::uint8_t> report) override {
            return inner_->GetFeature(report);
        }
        HidError LastError() const override { return inner_->LastError(); }

      private:
        ArmingBackend& owner_;
        std::unique_ptr<FeatureDevice> inner_;
    };

    void Sending(std::span<const std::uint8_t> report) {
        if (arm_ && report[1] == code_ && report[ChunkNumberOffset] == chunk_) {
            std::exchange(arm_, nullptr)(emulator_, code_);
        }
    }

    emu::Qx9Emulator& emulator_;
    std::uint8_t code_ = 0;
    std::uint8_t chunk_ = 0;
    Arm arm_;
};

struct TargetCase {
    const char* name;
    std::uint8_t code;
    std::uint8_t chunk;
    // Button chunks go out in one attempt, without the transport's retries.
    bool sendRetried;
};

struct FaultCase {
    const char* name;
    Arm arm;
    bool survivedBySendRetry;
    bool survivedByReadRetry;
};

using FaultParam = std::tuple<Endpoint, TargetCase, FaultCase>;

class ApplyFaultTest : public ::testing::TestWithParam<FaultParam> {
  protected:
    VirtualClock clock;
    emu::Qx9Emulator emulator{clock};
    ArmingBackend backend{emulator};
    DeviceLink link{backend, clock};
    ConfigStore store;
    CommandSet commands{link, store};
};

// Whatever goes wrong during whichever write, BaseConfig moves only when the
// mouse confirmed everything, and a section after a failed one stays unsent.
TEST_P(ApplyFaultTest, BaseConfigAdvancesOnlyForAFullyConfirmedApply) {
    const auto& [endpoint, target, fault] = GetParam();
    (endpoint == Endpoint::Cable ? emulator.PlugCable(true) : emulator.PlugDongle(true));
    ASSERT_NE(link.DetectConnection(), LinkMode::None);
    DeviceConfig& edit = store.EditConfig();
    edit.CpiLevels[1].CpiX = 900;
    edit.PollingRate = 8;
    edit.Buttons[1] = {0x20, 0xCD, 0, 0, 8};
    edit.Buttons[6] = {0xFF, 0, 0, 0, 8};
    const DeviceConfig before = store.BaseConfig();
    backend.ArmBefore(target.code, target.chunk, fault.arm);

    const ApplyResult applied = ApplySettings(link, commands, store);

    ASSERT_TRUE(backend.Fired()) << "the fault met its write";
    const bool survives = target.sendRetried
                              ? fault.survivedBySendRetry || fault.survivedByReadRetry
                              : fault.survivedByReadRetry;
    EXPECT_EQ(applied.confirmed, survives);
    if (survives) {
        EXPECT_EQ(store.BaseConfig(), edit);
    } else {
        EXPECT_EQ(store.BaseConfig(), before);
        EXPECT_EQ(store.ChangedSections(), SensorSection | AdvancedSection | ButtonSection);
        // Writes go out in the order of their codes, one section bit each.
        EXPECT_EQ(applied.lastWritten, 1u << (target.code - command::WriteSensorSettings))
            << "the result names the write that failed";
        // The three writes' codes rise in the order they go out.
        for (const emu::TraceEntry& entry : emulator.Trace()) {
            const bool laterWrite = entry.direction == emu::Direction::Send &&
                                    entry.bytes[1] != command::LinkCheck &&
                                    entry.bytes[1] > target.code;
            EXPECT_FALSE(laterWrite)
                << "a later section went out: " << test::CommandName(entry.bytes);
        }
    }
    EXPECT_TRUE(emulator.Violations().empty());
}

std::string FaultName(const ::testing::TestParamInfo<FaultParam>& info) {
    const auto& [endpoint, target, fault] = info.param;
    return std::string(endpoint == Endpoint::Cable ? "Cable" : "Dongle") + target.name + fault.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyFaultTest,
    ::testing::Combine(
        ::testing::Values(Endpoint::Cable, Endpoint::Dongle),
        ::testing::Values(TargetCase{"Sensor", command::WriteSensorSettings, 0, true},
                          TargetCase{"Advanced", command::WriteAdvancedSettings, 0, true},
                          TargetCase{"ButtonChunk1", command::WriteButtonMapping, 1, false},
                          TargetCase{"ButtonChunk2", command::WriteButtonMapping, 2, false}),
        ::testing::Values(
            FaultCase{"SendFailsForGood",
                      [](emu::Qx9Emulator& e, std::uint8_t) { e.FailNextSends(4, HidError::Crc); },
                      false, false},
            FaultCase{
                "SendFailsOnce",
                [](emu::Qx9Emulator& e, std::uint8_t) { e.FailNextSends(1, HidError::WriteFault); },
                true, false},
            FaultCase{
                "SendFailsNotRetryable",
                [](emu::Qx9Emulator& e, std::uint8_t) { e.FailNextSends(1, HidError::BadHandle); },
                false, false},
            FaultCase{
                "ReplyUnreadable",
                [](emu::Qx9Emulator& e, std::uint8_t) { e.FailNextReads(3, HidError::NotReady); },
                false, false},
            FaultCase{"ReplyReadOnRetry",
                      [](emu::Qx9Emulator& e, std::uint8_t) { e.FailNextReads(1, HidError::Crc); },
                      false, true},
            FaultCase{"RepliesStayBusy",
                      [](emu::Qx9Emulator& e, std::uint8_t) { e.KeepRepliesBusy(true); }, false,
                      false},
            FaultCase{"Refused",
                      [](emu::Qx9Emulator& e,
                         std::uint8_t code) { e.RefuseCommand(code, status::NotDone); },
                      false, false},
            FaultCase{"RefusedWithAnotherStatus",
                      [](emu::Qx9Emulator& e, std::uint8_t code) { e.RefuseCommand(code, 0x21); },
                      false, false},
            FaultCase{"DeviceVanishes",
                      [](emu::Qx9Emulator& e, std::uint8_t) { e.VanishDuringNextCommand(); }, false,
                      false})),
    FaultName);

}  // namespace
}  // namespace qx9
