// qx9-sim: the real qx9-config on the simulated mouse and dongle.
//
//   qx9-sim [--trace FILE] [--tool PATH]
//
// The tool starts with the mouse on its cable and the dongle plugged. Lines on
// standard input act on the hardware: "cable on", "cable off", "dongle on",
// "dongle off"; "quit" (or the end of input) ends the tool and the runner.

#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "PreloadEnvironment.h"
#include "ToolRunner.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* Usage = "usage: qx9-sim [--trace FILE] [--tool PATH]\n";
constexpr const char* Commands = "commands: cable on | cable off | dongle on | dongle off | quit\n";

// False when the runner is to end.
bool Act(qx9::sim::ToolRunner& runner, const std::string& command) {
    if (command == "cable on" || command == "cable off") {
        runner.PlugCable(command == "cable on");
    } else if (command == "dongle on" || command == "dongle off") {
        runner.PlugDongle(command == "dongle on");
    } else if (command == "quit") {
        return false;
    } else if (!command.empty()) {
        std::fputs(Commands, stderr);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qx9::sim::RunUnderPreload(argv);
    if (!qx9::sim::Preloaded()) {
        std::perror("qx9-sim: cannot start again under umockdev's preload");
        return 1;
    }
    qx9::sim::ToolRunner::Options options{QX9_CONFIG_PATH, ""};
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--trace") == 0 && hasValue) {
            options.tracePath = argv[++i];
        } else if (std::strcmp(argv[i], "--tool") == 0 && hasValue) {
            options.toolPath = argv[++i];
        } else {
            std::fputs(Usage, stderr);
            return 2;
        }
    }

    qx9::sim::ToolRunner runner(options);
    if (!runner.Start()) {
        std::fprintf(stderr, "qx9-sim: cannot start %s\n", options.toolPath.c_str());
        return 1;
    }
    std::fputs(Commands, stdout);
    std::fflush(stdout);

    std::string pending;
    bool going = true;
    while (going && runner.Running()) {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (::poll(&input, 1, 200) <= 0) {
            continue;
        }
        char chunk[256];
        const ssize_t read = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (read <= 0) {
            break;
        }
        pending.append(chunk, static_cast<std::size_t>(read));
        for (std::size_t end; going && (end = pending.find('\n')) != std::string::npos;) {
            going = Act(runner, pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    const auto status = runner.Quit(10s);
    return status.value_or(1);
}
