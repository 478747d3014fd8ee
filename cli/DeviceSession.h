#pragma once

#include <optional>
#include <string>

#include "Clock.h"
#include "CommandSet.h"
#include "ConfigStore.h"
#include "CrossProcessLock.h"
#include "DeviceLink.h"
#include "ExitCode.h"
#include "FeatureBackend.h"
#include "LoadSequence.h"
#include "StatusBackend.h"

namespace qx9::cli {

// What reaches the device in this run: the real one or the emulated one.
struct DeviceAccess {
    FeatureBackend& features;
    StatusBackend& statusReports;
    Clock& clock;
    CrossProcessLock* acrossProcesses = nullptr;  // none for the emulated device
};

// Why a run with the device came to nothing, in one line a user understands.
struct DeviceFailure {
    ExitCode code;
    std::string message;
};

// The device link, the configuration records and the command set of one run,
// the same objects the window is built on.
class DeviceSession {
  public:
    explicit DeviceSession(const DeviceAccess& access);
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    DeviceLink& Link() { return link_; }
    ConfigStore& Store() { return store_; }
    CommandSet& Commands() { return commands_; }
    const DeviceAccess& Access() const { return access_; }

    // Finds the mouse, cable first, and reads it as the window does when it
    // starts: versions, battery and every setting. Empty when it all worked.
    std::optional<DeviceFailure> Load();
    // How the mouse was found, and what loading read, whether or not it worked.
    LinkMode Found() const { return found_; }
    const LoadReport& Report() const { return report_; }

    // Finds the mouse without reading it; a failure when there is none.
    std::optional<DeviceFailure> Detect();
    // Why no device was found, as the window's hint line says it.
    DeviceFailure NoDeviceFailure() const;

  private:
    DeviceAccess access_;
    DeviceLink link_;
    ConfigStore store_;
    CommandSet commands_;
    LinkMode found_ = LinkMode::None;
    LoadReport report_;
};

}  // namespace qx9::cli
