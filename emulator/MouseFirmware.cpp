#include "MouseFirmware.h"

#include <array>

namespace qx9::emu {
namespace {

using namespace std::chrono_literals;

// Time the mouse needs for each command, directly and across the radio. Each
// stays inside the wait the tool keeps, so a tool that keeps its waits never
// sees a busy reply, and one that skips them does.
struct Timing {
    std::chrono::milliseconds cable;
    std::chrono::milliseconds wireless;
    std::chrono::milliseconds For(bool viaDongle) const { return viaDongle ? wireless : cable; }
};
constexpr Timing InfoTime{100ms, 250ms};
constexpr Timing BatteryTime{200ms, 300ms};
constexpr Timing ConfigTime{100ms, 350ms};
constexpr Timing WriteTime{400ms, 800ms};
constexpr Timing ResetTime{700ms, 1000ms};

// Where the firmware files each payload byte of the two settings writes.
constexpr std::array<std::size_t, SensorPayloadSize> SensorTargets{
    0x07, 0x08, 0x09, 0x0A, 0x0B, 0x01, 0x0E, 0x0D, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,
    0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36};
constexpr std::array<std::size_t, AdvancedPayloadSize> AdvancedTargets{
    0x0C, 0x05, 0x06, 0x04, 0x3D, 0x44, 0x4B, 0x52, 0x59, 0x03, 0x6F};
constexpr std::size_t ButtonsAt = 0x37;
constexpr std::size_t CurrentLevelAt = 0x0D;
constexpr std::size_t LevelCountAt = 0x0E;
constexpr std::size_t PollingRateAt = 0x05;

Outcome Violation(std::string why) {
    return {{}, {}, std::move(why)};
}

Outcome Done(std::chrono::milliseconds time, std::span<const std::uint8_t> data = {}) {
    return {MakeReply(CommandReportId, CommandReportSize, status::Done, data), time, {}};
}

template <std::size_t N>
void Scatter(std::span<const std::uint8_t> request, const std::array<std::size_t, N>& targets,
             Block& block) {
    for (std::size_t i = 0; i < N; ++i) {
        block[targets[i]] = request[PayloadOffset + i];
    }
}

}  // namespace

bool MouseFirmware::Handles(std::uint8_t code) {
    switch (code) {
        case command::ReadMouseInfo:
        case command::ReadBattery:
        case command::ReadConfig:
        case command::FactoryReset:
        case command::WriteSensorSettings:
        case command::WriteAdvancedSettings:
        case command::WriteButtonMapping:
            return true;
        default:
            return false;
    }
}

Outcome MouseFirmware::Execute(std::span<const std::uint8_t> request, bool viaDongle) {
    const std::uint8_t code = request[1];
    const bool carriesData = code == command::WriteSensorSettings ||
                             code == command::WriteAdvancedSettings ||
                             code == command::WriteButtonMapping;
    if (!carriesData) {
        if (auto why = CheckRequest(request, 0, 0, 0, 0); !why.empty()) {
            return Violation(why);
        }
    }
    switch (code) {
        case command::ReadMouseInfo:
            return Info(viaDongle);
        case command::ReadBattery:
            return Battery(viaDongle);
        case command::ReadConfig:
            return Config(viaDongle);
        case command::FactoryReset:
            return Reset(viaDongle);
        case command::WriteSensorSettings:
            return WriteSensor(request, viaDongle);
        case command::WriteAdvancedSettings:
            return WriteAdvanced(request, viaDongle);
        case command::WriteButtonMapping:
            return WriteButtons(request, viaDongle);
        default:
            return Violation("the mouse does not know command " + std::to_string(code));
    }
}

Outcome MouseFirmware::Info(bool viaDongle) const {
    std::array<std::uint8_t, DeviceInfoSize> info{};
    info[2] = static_cast<std::uint8_t>(state.productId & 0xFF);
    info[3] = static_cast<std::uint8_t>(state.productId >> 8);
    info[7] = static_cast<std::uint8_t>(state.firmwareVersion & 0xFF);
    info[8] = static_cast<std::uint8_t>(state.firmwareVersion >> 8);
    return Done(InfoTime.For(viaDongle), info);
}

Outcome MouseFirmware::Battery(bool viaDongle) const {
    const std::array<std::uint8_t, 1> level{state.battery};
    return Done(BatteryTime.For(viaDongle), level);
}

Outcome MouseFirmware::Config(bool viaDongle) const {
    Outcome outcome;
    outcome.reply = MakeReply(ConfigReportId, ConfigReportSize, status::Done, state.block);
    outcome.processing = ConfigTime.For(viaDongle);
    return outcome;
}

Outcome MouseFirmware::Reset(bool viaDongle) {
    state.block = FactoryBlock();
    return Done(ResetTime.For(viaDongle));
}

Outcome MouseFirmware::WriteSensor(std::span<const std::uint8_t> request, bool viaDongle) {
    if (auto why = CheckRequest(request, command::SettingsWriteSubCode, SensorPayloadLength, 0,
                                SensorPayloadSize);
        !why.empty()) {
        return Violation(why);
    }
    Scatter(request, SensorTargets, state.block);
    return Done(WriteTime.For(viaDongle));
}

Outcome MouseFirmware::WriteAdvanced(std::span<const std::uint8_t> request, bool viaDongle) {
    if (auto why = CheckRequest(request, command::SettingsWriteSubCode, AdvancedPayloadLength, 0,
                                AdvancedPayloadSize);
        !why.empty()) {
        return Violation(why);
    }
    Scatter(request, AdvancedTargets, state.block);
    return Done(WriteTime.For(viaDongle));
}

Outcome MouseFirmware::WriteButtons(std::span<const std::uint8_t> request, bool viaDongle) {
    const std::uint8_t chunk = request.size() > ChunkNumberOffset ? request[ChunkNumberOffset] : 0;
    if (chunk < 1 || chunk > ButtonChunkCount) {
        return Violation("button chunk number must be 1 or 2");
    }
    if (auto why = CheckRequest(request, command::SettingsWriteSubCode, ButtonPayloadLength, chunk,
                                ButtonChunkPayloadSize);
        !why.empty()) {
        return Violation(why);
    }
    const std::size_t at = ButtonsAt + (chunk - 1u) * ButtonChunkPayloadSize;
    std::copy_n(request.begin() + PayloadOffset, ButtonChunkPayloadSize, state.block.begin() + at);
    return Done(WriteTime.For(viaDongle));
}

std::uint8_t MouseFirmware::CycleCpiLevel() {
    const std::uint8_t count = std::max<std::uint8_t>(state.block[LevelCountAt], 1);
    state.block[CurrentLevelAt] =
        static_cast<std::uint8_t>((state.block[CurrentLevelAt] + 1) % count);
    return state.block[CurrentLevelAt];
}

std::uint8_t MouseFirmware::PollingRate() const {
    return state.block[PollingRateAt];
}

void MouseFirmware::SetPollingRate(std::uint8_t code) {
    state.block[PollingRateAt] = code;
}

}  // namespace qx9::emu
