#include "PairRequest.h"

namespace qx9 {

PairResult PairRequest(DeviceLink& link, CommandSet& commands) {
    const bool onCable = link.ConnectionMode() == LinkMode::Cable;
    if (!link.DiscoverDevice(DongleId.vendorId, DongleId.productId)) {
        // The search released the mouse's handle: without this every cable
        // command would fail until the next detection.
        if (onCable) {
            link.DetectConnection();
        }
        return {};
    }
    if (onCable) {
        link.SetLinkRetargeted(true);
    }
    const std::uint8_t checked = commands.DonglePreamble();
    if (checked != result::Done) {
        return {true, false, checked};
    }
    return {true, true, commands.PairDongle()};
}

}  // namespace qx9
