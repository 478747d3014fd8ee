#include "RestoreFactorySettings.h"

#include "SettingsWritePath.h"

namespace qx9 {
namespace {

// The reset's wait follows how the mouse was reached when the action began.
Milliseconds PrepareReset(DeviceLink& link, CommandSet& commands) {
    switch (link.ConnectionMode()) {
        case LinkMode::Cable:
            ReturnLinkToMouse(link);
            return CableWaits.factoryReset;
        case LinkMode::Dongle:
            // The reset is sent whatever the link checks say.
            commands.DonglePreamble();
            return DongleWaits.factoryReset;
        case LinkMode::None:
            break;
    }
    return LateDetectFactoryResetWait;
}

}  // namespace

FactoryResetResult RestoreFactorySettings(DeviceLink& link, CommandSet& commands,
                                          ConfigStore& store) {
    const Milliseconds wait = PrepareReset(link, commands);
    if (link.ConnectionMode() == LinkMode::None && link.DetectConnection() == LinkMode::None) {
        return {};
    }
    const std::uint8_t outcome = commands.FactoryReset(wait);
    if (outcome != result::Done) {
        return {true, false, outcome};
    }
    store.ResetBothToDefaults();
    return {true, true, outcome};
}

}  // namespace qx9
