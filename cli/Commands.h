#pragma once

#include <istream>
#include <string>
#include <vector>

#include "Console.h"
#include "DeviceSession.h"
#include "ExitCode.h"
#include "Interruption.h"

// The sub-commands of qx9ctl, each given what it was asked on the command line.
namespace qx9::cli {

struct CommandContext {
    const Console& console;
    std::istream& input;  // a profile given as "-"
    DeviceAccess devices;
    bool json = false;  // output for machines instead of people
    Interruption& interruption;
};

ExitCode RunStatus(CommandContext& context);
ExitCode RunShow(CommandContext& context);
ExitCode RunSet(CommandContext& context, const std::vector<std::string>& assignments);
ExitCode RunLevel(CommandContext& context, const std::string& level);
// To standard output when the file is empty or "-".
ExitCode RunExport(CommandContext& context, const std::string& file);
// From standard input when the file is "-".
ExitCode RunImport(CommandContext& context, const std::string& file);
ExitCode RunReset(CommandContext& context, bool confirmed);
ExitCode RunPair(CommandContext& context);
ExitCode RunMonitor(CommandContext& context);

}  // namespace qx9::cli
