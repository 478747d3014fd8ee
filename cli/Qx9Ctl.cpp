#include "Qx9Ctl.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iomanip>
#include <sstream>

#include "ButtonSettings.h"
#include "Commands.h"
#include "Settings.h"

namespace qx9::cli {
namespace {

constexpr char Description[] =
    "Reads and sets the QX9 wireless gaming mouse and its dongle from a terminal, with the same "
    "rules and device sequences as the qx9-config window. Errors go to standard error, one line "
    "each. Exit status: 0 done, 1 the device refused a command or did not answer, 2 bad usage or "
    "bad input, 3 no device found.";

// The settings `set` takes, with their values, under its help.
std::string SettingsFooter() {
    std::ostringstream footer;
    footer << "Settings:\n";
    for (const Setting& setting : Settings()) {
        footer << "  " << std::left << std::setw(28) << setting.name << setting.values << '\n';
    }
    footer << ActionNamesHelp();
    return footer.str();
}

struct Request {
    bool emulated = false;
    bool json = false;
    bool confirmed = false;
    std::vector<std::string> assignments;
    std::string level;
    std::string file;
};

}  // namespace

int RunQx9Ctl(const std::vector<std::string>& arguments, Environment& environment) {
    const Console& console = environment.console;
    Request request;
    CLI::App app{Description, "qx9ctl"};
    app.set_version_flag("--version", std::string("qx9ctl ") + QX9_VERSION);
    app.require_subcommand(1);
    // --emulator and --json may also follow the sub-command.
    app.fallthrough();
    app.add_flag("--emulator", request.emulated,
                 "talk to the built-in emulated mouse instead of the real one; every run starts "
                 "from its factory settings");
    app.add_flag("--json", request.json, "print results as JSON, for machines");

    CLI::App* status =
        app.add_subcommand("status", "connection, mouse and dongle firmware versions, and battery");
    CLI::App* show = app.add_subcommand("show", "every setting of the mouse");
    CLI::App* set = app.add_subcommand(
        "set", "change settings by the window's rules and write only the sections that changed");
    set->add_option("NAME=VALUE", request.assignments, "a setting and its new value")->required();
    set->footer(SettingsFooter());
    CLI::App* level = app.add_subcommand("level", "switch the active CPI level at once");
    level->add_option("N", request.level, "the level, 1..4")->required();
    CLI::App* exportProfile =
        app.add_subcommand("export", "write every setting to a profile (JSON)");
    exportProfile->add_option("FILE", request.file, "the profile; standard output when left out");
    CLI::App* importProfile = app.add_subcommand(
        "import", "check a whole profile, then write what differs; nothing on any problem");
    importProfile->add_option("FILE", request.file, "the profile; - for standard input")
        ->required();
    CLI::App* reset = app.add_subcommand("reset", "restore the mouse's factory settings");
    reset->add_flag("--yes", request.confirmed, "go ahead: every setting is lost");
    CLI::App* pair = app.add_subcommand("pair", "put the dongle into pairing mode");
    CLI::App* monitor = app.add_subcommand(
        "monitor", "print each status report of the mouse as it arrives, until interrupted");

    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {  // --help or --version
            return app.exit(error, console.out, console.err);
        }
        console.Error(std::string(error.what()) + "; see qx9ctl --help");
        return static_cast<int>(ExitCode::BadInput);
    }

    CommandContext context{console, environment.input,
                           environment.devices.Devices(request.emulated), request.json,
                           environment.interruption};
    ExitCode code = ExitCode::BadInput;
    if (status->parsed()) {
        code = RunStatus(context);
    } else if (show->parsed()) {
        code = RunShow(context);
    } else if (set->parsed()) {
        code = RunSet(context, request.assignments);
    } else if (level->parsed()) {
        code = RunLevel(context, request.level);
    } else if (exportProfile->parsed()) {
        code = RunExport(context, request.file);
    } else if (importProfile->parsed()) {
        code = RunImport(context, request.file);
    } else if (reset->parsed()) {
        code = RunReset(context, request.confirmed);
    } else if (pair->parsed()) {
        code = RunPair(context);
    } else if (monitor->parsed()) {
        code = RunMonitor(context);
    }
    return static_cast<int>(code);
}

}  // namespace qx9::cli
