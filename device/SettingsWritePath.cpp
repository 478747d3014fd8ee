#include "SettingsWritePath.h"

namespace qx9 {

SettingsWritePath PrepareSettingsWrite(DeviceLink& link, CommandSet& commands) {
    if (link.ConnectionMode() == LinkMode::None) {
        link.DetectConnection();
    }
    switch (link.ConnectionMode()) {
        case LinkMode::Cable:
            // Pairing from the cable left the link on the dongle.
            if (link.LinkRetargeted() && link.DetectConnection() == LinkMode::Cable) {
                link.SetLinkRetargeted(false);
            }
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
