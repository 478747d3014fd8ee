#pragma once

#include "DeviceConfig.h"

namespace qx9 {

// The block as last read from the device, the record the pages edit, and the
// record that mirrors what the device holds.
class ConfigStore {
  public:
    ConfigStore();

    ConfigBlockData& ConfigBlock() { return block_; }
    const ConfigBlockData& ConfigBlock() const { return block_; }
    DeviceConfig& EditConfig() { return edit_; }
    const DeviceConfig& EditConfig() const { return edit_; }
    DeviceConfig& BaseConfig() { return base_; }
    const DeviceConfig& BaseConfig() const { return base_; }

    void UnpackConfig(DeviceConfig& config) const { qx9::UnpackConfig(block_, config); }
    void ResetBothToDefaults();
    void CopyEditToBase() { CopyBlockFields(edit_, base_); }
    std::uint8_t ChangedSections() const { return qx9::ChangedSections(edit_, base_); }
    bool ConfigsDiffer() const { return qx9::ConfigsDiffer(edit_, base_); }

  private:
    ConfigBlockData block_{};
    DeviceConfig edit_;
    DeviceConfig base_;
};

}  // namespace qx9
