#include "SettingsWritePath.h"

namespace qx9 {

void ReturnLinkToMouse(DeviceLink& link) {
    if (link.LinkRetargeted() && link.DetectConnection() == LinkMode::Cable) {
        link.SetLinkRetargeted(false);
    }
}

SettingsWritePath PrepareSettingsWrite(DeviceLink& link, CommandSet& commands) {
    if (link.ConnectionMode() == LinkMode::None) {
        link.DetectConnection();
    }
    switch (link.ConnectionMode()) {
        case LinkMode::Cable:
            ReturnLinkToMouse(link);
            return {true, LinkMode::Cable, CableWaits.settingsWrite};
        case LinkMode::Dongle: {
            const std::uint8_t checked = commands.DonglePreamble();
            return {checked == result::Done, LinkMode::Dongle, DongleWaits.settingsWrite, checked};
        }
        case LinkMode::None:
            break;
    }
    return {};
}

}  // namespace qx9
