#include "DeviceHint.h"

#include "UiTexts.h"

namespace qx9 {

DeviceHint DeviceHintFor(bool loaded, const DiscoveryOutcome& lastDiscovery,
                         bool dongleStillPresent) {
    if (loaded) {
        return DeviceHint::None;
    }
    switch (lastDiscovery.error) {
        case HidError::AccessDenied:
            return DeviceHint::AccessRefused;
        case HidError::None:
            // A dongle found earlier may have been pulled out since; removal
            // discovers nothing anew.
            if (lastDiscovery.productId == DongleProductId && !dongleStillPresent) {
                return DeviceHint::NoDevice;
            }
            return DeviceHint::None;
        default:
            return DeviceHint::NoDevice;
    }
}

const char* DeviceHintText(DeviceHint hint) {
    switch (hint) {
        case DeviceHint::NoDevice:
            return text::NoDeviceHint;
        case DeviceHint::AccessRefused:
            return text::AccessRefusedHint;
        case DeviceHint::None:
            break;
    }
    return "";
}

}  // namespace qx9
