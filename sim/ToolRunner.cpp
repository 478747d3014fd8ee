#include "ToolRunner.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include "PreloadEnvironment.h"
#include "Trace.h"

namespace qx9::sim {
namespace {

using namespace std::chrono_literals;

constexpr auto ExitPoll = 20ms;

}  // namespace

ToolRunner::ToolRunner(const Options& options) : options_(options) {
    if (!options_.tracePath.empty()) {
        trace_ = std::make_unique<emu::TraceFile>(options_.tracePath);
        emulator_.SetTraceObserver(
            [this](const emu::TraceEntry& entry) { trace_->Append(emu::TraceLine(entry)); });
    }
    // As a user would first meet it: on the cable, dongle plugged, mouse on and paired.
    emulator_.PlugCable(true);
    emulator_.PlugDongle(true);
    tree_ = std::make_unique<SimulatedDeviceTree>(emulator_);
}

ToolRunner::~ToolRunner() {
    Quit(5s);
    tree_.reset();
    emulator_.SetTraceObserver({});
}

bool ToolRunner::Start() {
    if (child_ > 0) {
        return false;
    }
    std::vector<std::string> variables = PreloadEnvironment();
    std::string program = options_.toolPath;
    char* arguments[] = {program.data(), nullptr};
    exitStatus_.reset();
    if (::posix_spawn(&child_, program.c_str(), nullptr, nullptr, arguments,
                      EnvironmentBlock(variables).data()) != 0) {
        child_ = -1;
        return false;
    }
    return true;
}

bool ToolRunner::Running() {
    WaitForExit(0ms);
    return child_ > 0;
}

std::optional<int> ToolRunner::Quit(std::chrono::milliseconds patience) {
    if (child_ <= 0) {
        return exitStatus_;
    }
    ::kill(child_, SIGTERM);
    WaitForExit(patience);
    if (child_ > 0) {
        ::kill(child_, SIGKILL);
        ::waitpid(child_, nullptr, 0);
        child_ = -1;
        exitStatus_.reset();
    }
    return exitStatus_;
}

void ToolRunner::WaitForExit(std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (child_ > 0) {
        int status = 0;
        const pid_t ended = ::waitpid(child_, &status, WNOHANG);
        if (ended != 0) {
            child_ = -1;
            exitStatus_.reset();
            if (ended > 0 && WIFEXITED(status)) {
                exitStatus_ = WEXITSTATUS(status);
            }
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return;
        }
        std::this_thread::sleep_for(ExitPoll);
    }
}

}  // namespace qx9::sim
