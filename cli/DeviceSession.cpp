#include "DeviceSession.h"

#include "DeviceHint.h"
#include "DeviceMessages.h"
#include "MouseRecognition.h"

namespace qx9::cli {

DeviceSession::DeviceSession(const DeviceAccess& access)
    : access_(access),
      link_(access.features, access.clock, access.acrossProcesses),
      commands_(link_, store_) {}

std::optional<DeviceFailure> DeviceSession::Detect() {
    found_ = link_.DetectConnection();
    if (found_ == LinkMode::None) {
        return NoDeviceFailure();
    }
    return std::nullopt;
}

std::optional<DeviceFailure> DeviceSession::Load() {
    store_.ResetBothToDefaults();
    if (auto failure = Detect()) {
        return failure;
    }
    report_ = found_ == LinkMode::Cable ? LoadOnCable(link_, commands_, store_)
                                        : LoadThroughDongle(link_, commands_, store_);
    if (report_.Loaded()) {
        return std::nullopt;
    }
    const ExitCode code =
        report_.recognition == recognition::Foreign ? ExitCode::NoDevice : ExitCode::DeviceFailed;
    return DeviceFailure{code, LoadFailure(report_)};
}

DeviceFailure DeviceSession::NoDeviceFailure() const {
    const DeviceHint hint = DeviceHintFor(false, link_.LastDiscovery(), link_.DonglePresent());
    const char* text = DeviceHintText(hint);
    return {ExitCode::NoDevice, *text ? text : DeviceHintText(DeviceHint::NoDevice)};
}

}  // namespace qx9::cli
