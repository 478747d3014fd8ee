#include "WirelessReconnect.h"

#include <algorithm>

namespace qx9 {
namespace {

bool SaysMouseUnreachable(std::uint8_t outcome) {
    return std::find(LinkCheckMouseUnreachable.begin(), LinkCheckMouseUnreachable.end(), outcome) !=
           LinkCheckMouseUnreachable.end();
}

}  // namespace

std::optional<std::uint8_t> IdentifyMouseBehindDongle(CommandSet& commands) {
    std::uint8_t checked = commands.LinkCheck();
    if (SaysMouseUnreachable(checked)) {
        checked = commands.LinkCheckAlt();
    }
    if (checked != result::Done) {
        return std::nullopt;
    }
    DeviceInfo mouse;
    if (commands.ReadMouseInfo(mouse, ReconnectMouseInfoWait) != result::Done) {
        return std::nullopt;
    }
    return mouse.MouseProductId() == WiredProductId ? recognition::Recognised
                                                    : recognition::Foreign;
}

ReconnectReport ReconnectThroughDongle(DeviceLink& link, CommandSet& commands,
                                       StatusListener& listener, std::uint8_t recognition) {
    ReconnectReport report{recognition, false};
    if (link.ConnectionMode() != LinkMode::None) {
        return report;
    }
    if (recognition == recognition::Unknown) {
        report.recognition = IdentifyMouseBehindDongle(commands).value_or(recognition::Unknown);
    }
    if (report.recognition != recognition::Recognised ||
        !link.DiscoverDevice(DongleId.vendorId, DongleId.productId)) {
        return report;
    }
    // With no connection mode yet this opens nothing: the reader already on
    // the dongle keeps delivering.
    listener.StartStatusListener();
    link.SetDonglePresent(true);
    link.SetConnectionMode(LinkMode::Dongle);
    report.connected = true;
    return report;
}

}  // namespace qx9
