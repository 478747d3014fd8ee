#include "MouseFirmware.h"

#include <algorithm>
#include <array>

namespace qx9::emu {
namespace {

// Where the firmware files each data byte of the two settings writes.
constexpr std::array<std::size_t, 28> SensorTargets{
    0x07, 0x08, 0x09, 0x0A, 0x0B, 0x01, 0x0E, 0x0D, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,
    0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36};
constexpr std::array<std::size_t, 11> AdvancedTargets{0x0C, 0x05, 0x06, 0x04, 0x3D, 0x44,
                                                      0x4B, 0x52, 0x59, 0x03, 0x6F};
// Each button chunk carries four seven-byte slots, stored from 0x37.
constexpr std::size_t ButtonsAt = 0x37;
constexpr std::size_t ChunkBytes = 28;
constexpr std::size_t CurrentLevelAt = 0x0D;
constexpr std::size_t LevelCountAt = 0x0E;
constexpr std::size_t PollingRateAt = 0x05;

template <std::size_t N>
void Scatter(std::span<const std::uint8_t> request, const std::array<std::size_t, N>& targets,
             Block& block) {
    for (std::size_t i = 0; i < N; ++i) {
        block[targets[i]] = request[fw::DataAt + i];
    }
}

void PutWord(std::span<std::uint8_t> data, std::size_t at, std::uint16_t value) {
    data[at] = static_cast<std::uint8_t>(value & 0xFF);
    data[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace

Outcome MouseFirmware::Execute(const fw::CommandShape& shape, std::span<const std::uint8_t> request,
                               bool viaDongle) {
    switch (shape.command) {
        case fw::Command::MouseInfo: {
            std::array<std::uint8_t, 14> info{};
            PutWord(info, fw::MouseProductIdAt, state.productId);
            PutWord(info, fw::MouseVersionAt, state.firmwareVersion);
            return Answer(shape, viaDongle, fw::Done, info);
        }
        case fw::Command::Battery: {
            std::array<std::uint8_t, 1> level{};
            level[fw::BatteryAt] = state.battery;
            return Answer(shape, viaDongle, fw::Done, level);
        }
        case fw::Command::ReadConfig:
            return Answer(shape, viaDongle, fw::Done, state.block);
        case fw::Command::FactoryReset:
            state.block = FactoryBlock();
            return Answer(shape, viaDongle, fw::Done);
        case fw::Command::WriteSensor:
            Scatter(request, SensorTargets, state.block);
            return Answer(shape, viaDongle, fw::Done);
        case fw::Command::WriteAdvanced:
            Scatter(request, AdvancedTargets, state.block);
            return Answer(shape, viaDongle, fw::Done);
        case fw::Command::WriteButtons: {
            const std::size_t at = ButtonsAt + (request[fw::ChunkAt] - 1u) * ChunkBytes;
            std::copy_n(request.begin() + fw::DataAt, ChunkBytes, state.block.begin() + at);
            return Answer(shape, viaDongle, fw::Done);
        }
        default:
            return Violation(std::string("the mouse does not know the ") + shape.name);
    }
}

std::uint8_t MouseFirmware::CycleCpiLevel() {
    const std::uint8_t count = std::max<std::uint8_t>(state.block[LevelCountAt], 1);
    state.block[CurrentLevelAt] =
        static_cast<std::uint8_t>((state.block[CurrentLevelAt] + 1) % count);
    return state.block[CurrentLevelAt];
}

void MouseFirmware::SetPollingRate(std::uint8_t code) {
    state.block[PollingRateAt] = code;
}

}  // namespace qx9::emu
