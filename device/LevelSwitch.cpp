#include "LevelSwitch.h"

#include "SettingsWritePath.h"

namespace qx9 {

void AlignForLevelSwitch(DeviceConfig& edit, DeviceConfig& base) {
    edit.AngleSnapping = base.AngleSnapping;
    edit.LiftOffLed = base.LiftOffLed;
    edit.RippleControl = base.RippleControl;
    edit.LiftOffDistance = base.LiftOffDistance;
    base.CpiLevelCount = edit.CpiLevelCount;
    base.CurrentCpiLevel = edit.CurrentCpiLevel;
    for (std::size_t level = 0; level < CpiLevelSlots; ++level) {
        if (level == edit.CurrentCpiLevel) {
            base.CpiLevels[level] = edit.CpiLevels[level];
        } else if (edit.CurrentCpiLevel < CpiLevelSlots) {
            edit.CpiLevels[level] = base.CpiLevels[level];
        }
    }
}

LevelSwitchResult SwitchActiveLevel(DeviceLink& link, CommandSet& commands, ConfigStore& store) {
    const SettingsWritePath path = PrepareSettingsWrite(link, commands);
    if (!path.ready) {
        return {};
    }
    const DeviceConfig confirmedBase = store.BaseConfig();
    AlignForLevelSwitch(store.EditConfig(), store.BaseConfig());
    const std::uint8_t written = commands.WriteSensorSettings(store.EditConfig(), path.wait);
    if (written != result::Done) {
        store.BaseConfig() = confirmedBase;
    }
    return {true, written};
}

}  // namespace qx9
