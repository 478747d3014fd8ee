// Times `qx9ctl --emulator status` as a whole process on the real clock and
// sets it beside the waits the device contract prescribes for the commands
// that run sends. The waits come from the very same run in this process on a
// virtual clock, where nothing but the waits moves time. The target: the
// process ends within 2 % plus 20 ms of the waits, counted from its start.
//
//   qx9-bench-status [rounds] [path to qx9ctl]   (5 rounds unless given)

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "EmulatedQx9.h"
#include "Qx9Ctl.h"

extern char** environ;

namespace qx9 {
namespace {

using FractionalMs = std::chrono::duration<double, std::milli>;

constexpr double TargetPercent = 2.0;
constexpr double TargetSlackMs = 20.0;

class NoInterruption final : public cli::Interruption {
  public:
    void Arm() override {}
    bool WaitFor(Milliseconds) override { return true; }
};

// The same emulated hardware as --emulator, on a virtual clock.
class VirtualDevices final : public cli::DeviceProvider {
  public:
    cli::DeviceAccess Devices(bool) override {
        cli::SetUpEmulatedQx9(emulator);
        return {emulator, emulator, clock, nullptr};
    }
    VirtualClock clock;
    emu::Qx9Emulator emulator{clock};
};

Milliseconds ContractWaits() {
    VirtualDevices devices;
    NoInterruption interruption;
    std::ostringstream out;
    std::ostringstream err;
    std::istringstream in;
    cli::Environment environment{{out, err}, in, devices, interruption};
    const Milliseconds began = devices.clock.Now();
    if (cli::RunQx9Ctl({"--emulator", "status"}, environment) != 0) {
        std::fprintf(stderr, "status failed in process: %s", err.str().c_str());
        std::exit(2);
    }
    return devices.clock.Now() - began;
}

// From just before the process is started until it has ended.
double ProcessMs(const char* qx9ctl) {
    char* const arguments[] = {const_cast<char*>(qx9ctl), const_cast<char*>("--emulator"),
                               const_cast<char*>("status"), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto began = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, qx9ctl, &actions, nullptr, arguments, environ) != 0) {
        std::perror(qx9ctl);
        std::exit(2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const auto ended = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s --emulator status failed\n", qx9ctl);
        std::exit(2);
    }
    return FractionalMs(ended - began).count();
}

}  // namespace
}  // namespace qx9

int main(int argc, char** argv) {
    using namespace qx9;
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const char* qx9ctl = argc > 2 ? argv[2] : QX9CTL_BINARY;

    const Milliseconds waits = ContractWaits();
    std::vector<double> measured;
    for (int round = 0; round < rounds; ++round) {
        measured.push_back(ProcessMs(qx9ctl));
    }
    std::sort(measured.begin(), measured.end());
    const double waitMs = static_cast<double>(waits.count());
    const double limit = waitMs * (1.0 + TargetPercent / 100.0) + TargetSlackMs;
    std::printf("qx9ctl --emulator status, %d runs, from process start to its end\n", rounds);
    std::printf("  contract waits   %8.1f ms\n", waitMs);
    std::printf("  fastest          %8.1f ms  (%+.1f ms)\n", measured.front(),
                measured.front() - waitMs);
    std::printf("  median           %8.1f ms  (%+.1f ms)\n", measured[measured.size() / 2],
                measured[measured.size() / 2] - waitMs);
    std::printf("  slowest          %8.1f ms  (%+.1f ms)\n", measured.back(),
                measured.back() - waitMs);
    const bool within = measured[measured.size() / 2] <= limit;
    std::printf("target: median within %.0f %% + %.0f ms of the waits (%.1f ms): %s\n",
                TargetPercent, TargetSlackMs, limit, within ? "met" : "MISSED");
    return within ? 0 : 1;
}
