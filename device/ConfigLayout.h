#pragma once

#include <cstddef>

#include "DeviceContract.h"

// Where each setting lives in the device's configuration block.
namespace qx9::layout {

inline constexpr std::size_t CfgByte00 = 0x00;
inline constexpr std::size_t AngleTuning = 0x01;
inline constexpr std::size_t DeepSleep = 0x03;
inline constexpr std::size_t PowerSaving = 0x04;
inline constexpr std::size_t PollingRate = 0x05;
inline constexpr std::size_t FeatureFlags = 0x06;
inline constexpr std::size_t CfgByte07 = 0x07;
inline constexpr std::size_t LiftOffLed = 0x08;
inline constexpr std::size_t LiftOffDistance = 0x09;
inline constexpr std::size_t AngleSnapping = 0x0A;
inline constexpr std::size_t RippleControl = 0x0B;
inline constexpr std::size_t MotionSync = 0x0C;
inline constexpr std::size_t CurrentCpiLevel = 0x0D;
inline constexpr std::size_t CpiLevelCount = 0x0E;
inline constexpr std::size_t CfgBytes0F = 0x0F;
inline constexpr std::size_t CfgBytes0FSize = 20;
inline constexpr std::size_t CpiLevels = 0x23;
inline constexpr std::size_t CpiLevelBytes = 5;
inline constexpr std::size_t Buttons = 0x37;
inline constexpr std::size_t ButtonFilterInSlot = 6;
inline constexpr std::size_t GlassMode = 0x6F;

constexpr std::size_t CpiLevelAt(std::size_t level) {
    return CpiLevels + CpiLevelBytes * level;
}
constexpr std::size_t ButtonAt(std::size_t slot) {
    return Buttons + ButtonSlotBytes * slot;
}
constexpr std::size_t FilterAt(std::size_t slot) {
    return ButtonAt(slot) + ButtonFilterInSlot;
}

}  // namespace qx9::layout
