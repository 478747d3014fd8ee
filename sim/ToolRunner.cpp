#include "ToolRunner.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "PreloadEnvironment.h"
#include "Trace.h"

namespace qx9::sim {
namespace {

using namespace std::chrono_literals;

constexpr auto ExitPoll = 20ms;

// Waits for the child to end, until the patience runs out; kills it then.
std::optional<int> Reap(pid_t child, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    int status = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(child, &status, WNOHANG)) == 0 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(ExitPoll);
    }
    if (ended == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        return std::nullopt;
    }
    if (ended > 0 && WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return std::nullopt;
}

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

ToolRunner::Finished ToolRunner::RunToEnd(const std::string& program,
                                          const std::vector<std::string>& arguments,
                                          std::chrono::milliseconds patience) {
    char outputPath[] = "/tmp/qx9-sim-output.XXXXXX";
    const int output = ::mkstemp(outputPath);
    if (output < 0) {
        return {};
    }
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables = PreloadEnvironment();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDERR_FILENO);
    pid_t child = -1;
    const bool started = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(),
                                       EnvironmentBlock(variables).data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(output);

    Finished finished;
    if (started) {
        finished.exitStatus = Reap(child, patience);
        std::ifstream file(outputPath);
        finished.output.assign(std::istreambuf_iterator<char>(file),
                               std::istreambuf_iterator<char>());
    }
    std::remove(outputPath);
    return finished;
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
