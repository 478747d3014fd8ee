// The composition root of qx9ctl: the real device backends and the
// cross-process device lock, or the emulated mouse for --emulator.

#include <iostream>
#include <optional>

#include "EmulatedQx9.h"
#include "HidapiStatusBackend.h"
#include "HidrawBackend.h"
#include "LockFile.h"
#include "Qx9Ctl.h"
#include "SignalInterruption.h"

namespace {

class SystemDevices final : public qx9::cli::DeviceProvider {
  public:
    qx9::cli::DeviceAccess Devices(bool emulated) override {
        if (emulated) {
            emulator_.emplace(clock_);
            qx9::cli::SetUpEmulatedQx9(*emulator_);
            return {*emulator_, *emulator_, clock_, nullptr};
        }
        features_.emplace();
        statusReports_.emplace();
        // Shared with the window, so the two never talk over each other on the wire.
        lock_.emplace(qx9::DeviceLockPath());
        return {*features_, *statusReports_, clock_, &*lock_};
    }

  private:
    qx9::SteadyClock clock_;
    std::optional<qx9::emu::Qx9Emulator> emulator_;
    std::optional<qx9::HidrawBackend> features_;
    std::optional<qx9::HidapiStatusBackend> statusReports_;
    std::optional<qx9::LockFile> lock_;
};

}  // namespace

int main(int argc, char** argv) {
    SystemDevices devices;
    qx9::cli::SignalInterruption interruption;
    qx9::cli::Environment environment{{std::cout, std::cerr}, std::cin, devices, interruption};
    return qx9::cli::RunQx9Ctl({argv + 1, argv + argc}, environment);
}
