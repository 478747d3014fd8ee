#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Clock.h"
#include "Qx9Emulator.h"
#include "SimulatedDeviceTree.h"
#include "TraceFile.h"

namespace qx9::sim {

// The real qx9-config on the simulated device tree. The runner owns the
// emulated hardware (cable and dongle plugged, the mouse on and paired, the
// device's real timing) and the tree, and starts the tool as its child under
// the umockdev preload; the tool itself is the installed program, unchanged.
// Every exchange on the wire is appended to the trace file as it happens.
class ToolRunner {
  public:
    struct Options {
        std::string toolPath;
        std::string tracePath;  // no trace file when empty
    };

    explicit ToolRunner(const Options& options);
    ToolRunner(const ToolRunner&) = delete;
    ToolRunner& operator=(const ToolRunner&) = delete;
    // Ends the tool first if it still runs: it cannot outlive its devices.
    ~ToolRunner();

    // False when the tool could not be started.
    bool Start();
    bool Running();
    // Asks the tool to end, as the session does at logout, and waits for it.
    // Its exit status; none when it was killed by a signal or had to be.
    std::optional<int> Quit(std::chrono::milliseconds patience);

    // How another program on the same tree ended, and what it printed.
    struct Finished {
        std::optional<int> exitStatus;  // none when killed by a signal or for its patience
        std::string output;             // standard output and error together
    };
    // Runs another program (qx9ctl, say) on the tree to its end, beside the
    // tool if the tool runs.
    Finished RunToEnd(const std::string& program, const std::vector<std::string>& arguments,
                      std::chrono::milliseconds patience);

    // The tool's process while it runs.
    pid_t Pid() const { return child_; }
    void PlugCable(bool plugged) { tree_->PlugCable(plugged); }
    void PlugDongle(bool plugged) { tree_->PlugDongle(plugged); }
    emu::Qx9Emulator& Emulator() { return emulator_; }
    SimulatedDeviceTree& Tree() { return *tree_; }

  private:
    // Until the tool has ended or the patience ran out.
    void WaitForExit(std::chrono::milliseconds patience);

    Options options_;
    SteadyClock clock_;
    emu::Qx9Emulator emulator_{clock_};
    std::unique_ptr<emu::TraceFile> trace_;
    std::unique_ptr<SimulatedDeviceTree> tree_;
    pid_t child_ = -1;
    std::optional<int> exitStatus_;
};

}  // namespace qx9::sim
