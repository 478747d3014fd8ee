#include "HotPlugLink.h"

#include "LoadSequence.h"

namespace qx9 {

bool MoveToArrivedCable(DeviceLink& link, StatusListener& listener) {
    if (!link.DiscoverDevice(WiredMouseId.vendorId, WiredMouseId.productId)) {
        // The discovery released whatever the link held.
        link.SetConnectionMode(LinkMode::None);
        return false;
    }
    link.SetConnectionMode(LinkMode::Cable);
    link.clock().SleepFor(ArrivalSettleWait);
    listener.StartStatusListener();
    return true;
}

bool MoveToArrivedDongle(DeviceLink& link, StatusListener& listener) {
    if (!link.DiscoverDevice(DongleId.vendorId, DongleId.productId)) {
        return false;
    }
    link.SetDonglePresent(true);
    link.clock().SleepFor(ArrivalSettleWait);
    link.SetConnectionMode(LinkMode::Dongle);
    listener.StartStatusListener();
    return true;
}

DongleBesideCable ReadArrivedDongle(DeviceLink& link, CommandSet& commands) {
    DongleBesideCable seen;
    seen.found = link.DiscoverDevice(DongleId.vendorId, DongleId.productId);
    if (seen.found) {
        link.SetDonglePresent(true);
        seen.version = ReadDongleVersion(commands);
    }
    // APPLY and the level switch go to the mouse on its cable.
    link.DiscoverDevice(WiredMouseId.vendorId, WiredMouseId.productId);
    return seen;
}

bool MoveToDongleAfterCable(DeviceLink& link, StatusListener& listener) {
    if (!link.DiscoverDevice(DongleId.vendorId, DongleId.productId)) {
        link.SetConnectionMode(LinkMode::None);
        return false;
    }
    link.SetDonglePresent(true);
    link.SetConnectionMode(LinkMode::Dongle);
    listener.StartStatusListener();
    return true;
}

}  // namespace qx9
