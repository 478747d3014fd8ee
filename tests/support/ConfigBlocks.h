#pragma once

#include <algorithm>

#include "DeviceConfig.h"
#include "FactoryBlock.h"

namespace qx9::test {

inline DeviceConfig DefaultConfig() {
    DeviceConfig config;
    ResetConfigDefaults(config);
    return config;
}

// The emulated mouse's block holding `config`.
inline emu::Block BlockOf(const DeviceConfig& config) {
    emu::Block block = emu::FactoryBlock();
    const ConfigImage image = PackedImage(config);
    std::copy(image.begin(), image.begin() + 0x70, block.begin());
    return block;
}

}  // namespace qx9::test
