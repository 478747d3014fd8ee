#include "DeviceConfig.h"

#include <algorithm>
#include <span>

#include "ConfigLayout.h"
#include "LittleEndian.h"

namespace qx9 {
namespace {

constexpr std::array<std::uint16_t, CpiLevelSlots> DefaultCpi{400, 800, 1600, 3200};
constexpr std::array<ButtonSlot, ButtonSlotCount> DefaultButtons{{
    {ActionMouseButton, 0x01, 0, 0, 8},
    {ActionMouseButton, 0x02, 0, 0, 8},
    {ActionMouseButton, 0x04, 0, 0, 8},
    {ActionMouseButton, 0x08, 0, 0, 8},
    {ActionMouseButton, 0x10, 0, 0, 8},
    {ActionCpiLoop, 0xF1, 0, 0, 8},
    {ActionWheel, 0x01, 0, 0, 8},
    {ActionWheel, 0xFF, 0, 0, 8},
}};

bool IsAdvancedOffset(std::size_t offset) {
    using namespace layout;
    if (offset == DeepSleep || offset == PowerSaving || offset == PollingRate ||
        offset == FeatureFlags || offset == MotionSync || offset == GlassMode) {
        return true;
    }
    for (std::size_t slot = 0; slot < ButtonSlotCount; ++slot) {
        if (offset == FilterAt(slot)) {
            return true;
        }
    }
    return false;
}

bool IsSensorOffset(std::size_t offset) {
    using namespace layout;
    return offset == AngleTuning || (offset >= CfgByte07 && offset <= RippleControl) ||
           (offset >= CurrentCpiLevel && offset < Buttons);
}

bool IsButtonOffset(std::size_t offset) {
    return offset >= layout::Buttons && offset < layout::ButtonAt(ButtonSlotCount);
}

}  // namespace

void ResetConfigDefaults(DeviceConfig& config) {
    config = DeviceConfig{};
    config.PollingRate = 2;
    config.PowerSaving = 1;
    config.DeepSleep = 3;
    config.FeatureFlags = 0x01;
    config.CurrentCpiLevel = 1;
    config.CpiLevelCount = 4;
    config.LiftOffLed = 1;
    config.LiftOffDistance = 3;
    for (std::size_t level = 0; level < CpiLevelSlots; ++level) {
        config.CpiLevels[level] = {0, DefaultCpi[level], DefaultCpi[level]};
    }
    config.Buttons = DefaultButtons;
}

void UnpackConfig(const ConfigBlockData& block, DeviceConfig& config) {
    using namespace layout;
    const std::span<const std::uint8_t> bytes(block);
    config.CfgByte00 = block[CfgByte00];
    config.AngleTuning = static_cast<std::int8_t>(block[AngleTuning]);
    config.DeepSleep = block[DeepSleep];
    config.PowerSaving = block[PowerSaving];
    config.PollingRate = block[PollingRate];
    config.FeatureFlags = block[FeatureFlags];
    config.CfgByte07 = block[CfgByte07];
    config.LiftOffLed = block[LiftOffLed];
    config.LiftOffDistance = block[LiftOffDistance];
    config.AngleSnapping = block[AngleSnapping];
    config.RippleControl = block[RippleControl];
    config.MotionSync = block[MotionSync];
    config.CurrentCpiLevel = block[CurrentCpiLevel];
    config.CpiLevelCount = block[CpiLevelCount];
    std::copy_n(block.begin() + CfgBytes0F, CfgBytes0FSize, config.CfgBytes0F.begin());
    for (std::size_t level = 0; level < CpiLevelSlots; ++level) {
        const std::size_t at = CpiLevelAt(level);
        config.CpiLevels[level] = {block[at], ReadU16(bytes, at + 1), ReadU16(bytes, at + 3)};
    }
    for (std::size_t slot = 0; slot < ButtonSlotCount; ++slot) {
        const std::size_t at = ButtonAt(slot);
        config.Buttons[slot] = {block[at], block[at + 1], ReadU16(bytes, at + 2),
                                ReadU16(bytes, at + 4), block[at + ButtonFilterInSlot]};
    }
    config.GlassMode = block[GlassMode];
}

void PackConfig(const DeviceConfig& config, ConfigImage& image) {
    using namespace layout;
    const std::span<std::uint8_t> bytes(image);
    image[CfgByte00] = config.CfgByte00;
    image[AngleTuning] = static_cast<std::uint8_t>(config.AngleTuning);
    image[DeepSleep] = config.DeepSleep;
    image[PowerSaving] = config.PowerSaving;
    image[PollingRate] = config.PollingRate;
    image[FeatureFlags] = config.FeatureFlags;
    image[CfgByte07] = config.CfgByte07;
    image[LiftOffLed] = config.LiftOffLed;
    image[LiftOffDistance] = config.LiftOffDistance;
    image[AngleSnapping] = config.AngleSnapping;
    image[RippleControl] = config.RippleControl;
    image[MotionSync] = config.MotionSync;
    image[CurrentCpiLevel] = config.CurrentCpiLevel;
    image[CpiLevelCount] = config.CpiLevelCount;
    std::copy(config.CfgBytes0F.begin(), config.CfgBytes0F.end(), image.begin() + CfgBytes0F);
    for (std::size_t level = 0; level < CpiLevelSlots; ++level) {
        const std::size_t at = CpiLevelAt(level);
        const CpiLevel& cpi = config.CpiLevels[level];
        image[at] = cpi.XySeparate;
        WriteU16(bytes, at + 1, cpi.CpiX);
        WriteU16(bytes, at + 3, cpi.CpiY);
    }
    for (std::size_t slot = 0; slot < ButtonSlotCount; ++slot) {
        const std::size_t at = ButtonAt(slot);
        const ButtonSlot& button = config.Buttons[slot];
        image[at] = button.ActionType;
        image[at + 1] = button.ActionCode;
        WriteU16(bytes, at + 2, button.Param1);
        WriteU16(bytes, at + 4, button.Param2);
        image[at + ButtonFilterInSlot] = button.MulticlickFilter;
    }
    image[GlassMode] = config.GlassMode;
}

ConfigImage PackedImage(const DeviceConfig& config) {
    ConfigImage image{};
    PackConfig(config, image);
    return image;
}

std::uint8_t SectionOfOffset(std::size_t offset) {
    if (IsAdvancedOffset(offset)) {
        return AdvancedSection;
    }
    if (IsSensorOffset(offset)) {
        return SensorSection;
    }
    if (IsButtonOffset(offset)) {
        return ButtonSection;
    }
    return 0;
}

std::uint8_t ChangedSections(const DeviceConfig& edit, const DeviceConfig& base) {
    const ConfigImage a = PackedImage(edit);
    const ConfigImage b = PackedImage(base);
    std::uint8_t sections = 0;
    for (std::size_t offset = 0; offset < ConfigImageSize; ++offset) {
        if (a[offset] != b[offset]) {
            sections |= SectionOfOffset(offset);
        }
    }
    return sections;
}

bool ConfigsDiffer(const DeviceConfig& edit, const DeviceConfig& base) {
    return PackedImage(edit) != PackedImage(base);
}

void CopyBlockFields(const DeviceConfig& from, DeviceConfig& to) {
    const std::uint8_t ackShown = to.AckShown;
    to = from;
    to.AckShown = ackShown;
}

}  // namespace qx9
