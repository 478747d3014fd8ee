#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "DeviceContract.h"

namespace qx9 {

inline constexpr std::size_t CpiLevelSlots = 4;
inline constexpr std::size_t ConfigImageSize = 114;

using ConfigBlockData = std::array<std::uint8_t, ConfigBlockSize>;
// The interpreted head of the block plus two spare bytes; compared, never sent.
using ConfigImage = std::array<std::uint8_t, ConfigImageSize>;

struct CpiLevel {
    std::uint8_t XySeparate = 0;
    std::uint16_t CpiX = 0;
    std::uint16_t CpiY = 0;
    friend bool operator==(const CpiLevel&, const CpiLevel&) = default;
};

struct ButtonSlot {
    std::uint8_t ActionType = 0;
    std::uint8_t ActionCode = 0;
    std::uint16_t Param1 = 0;
    std::uint16_t Param2 = 0;
    std::uint8_t MulticlickFilter = 0;
    friend bool operator==(const ButtonSlot&, const ButtonSlot&) = default;
};

// Every setting of the mouse, in the order the pages and commands know them.
struct DeviceConfig {
    std::uint8_t CfgByte00 = 0;
    std::uint8_t PollingRate = 0;
    std::uint8_t PowerSaving = 0;
    std::uint8_t DeepSleep = 0;
    std::uint8_t FeatureFlags = 0;
    std::uint8_t AckShown = 0;  // lives only here, never on the device
    std::uint8_t CurrentCpiLevel = 0;
    std::uint8_t CpiLevelCount = 0;
    std::uint8_t CfgByte07 = 0;
    std::uint8_t AngleSnapping = 0;
    std::uint8_t RippleControl = 0;
    std::uint8_t MotionSync = 0;
    std::uint8_t GlassMode = 0;
    std::int8_t AngleTuning = 0;
    std::uint8_t LiftOffLed = 0;
    std::uint8_t LiftOffDistance = 0;
    std::array<CpiLevel, CpiLevelSlots> CpiLevels{};
    std::array<ButtonSlot, ButtonSlotCount> Buttons{};
    std::array<std::uint8_t, 20> CfgBytes0F{};
    friend bool operator==(const DeviceConfig&, const DeviceConfig&) = default;
};

// Section bits, as the write commands group the block.
inline constexpr std::uint8_t SensorSection = 1u << 0;
inline constexpr std::uint8_t AdvancedSection = 1u << 1;
inline constexpr std::uint8_t ButtonSection = 1u << 2;

void ResetConfigDefaults(DeviceConfig& config);
void UnpackConfig(const ConfigBlockData& block, DeviceConfig& config);
// The image must arrive zeroed; bytes 0x02, 0x70 and 0x71 stay as they are.
void PackConfig(const DeviceConfig& config, ConfigImage& image);
ConfigImage PackedImage(const DeviceConfig& config);
// The section bit a block offset belongs to, or 0 for none.
std::uint8_t SectionOfOffset(std::size_t offset);
std::uint8_t ChangedSections(const DeviceConfig& edit, const DeviceConfig& base);
bool ConfigsDiffer(const DeviceConfig& edit, const DeviceConfig& base);
// Every block-backed field; AckShown of the target is kept.
void CopyBlockFields(const DeviceConfig& from, DeviceConfig& to);

}  // namespace qx9
