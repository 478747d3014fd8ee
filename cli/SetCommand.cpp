#include "Commands.h"
#include "Settings.h"
#include "WriteSettings.h"

namespace qx9::cli {
namespace {

// NAME=VALUE arguments as the values a profile holds, each placed at its name.
std::vector<Assignment> ReadAssignments(const std::vector<std::string>& given,
                                        std::vector<Problem>& problems) {
    std::vector<Assignment> assignments;
    for (const std::string& argument : given) {
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos || equals == 0) {
            problems.push_back({argument, "expected NAME=VALUE"});
            continue;
        }
        const std::string name = argument.substr(0, equals);
        const Setting* setting = FindSetting(name);
        if (!setting) {
            problems.push_back({name, "no such setting; qx9ctl set --help lists them"});
            continue;
        }
        std::string why;
        if (auto value = ValueFromText(*setting, argument.substr(equals + 1), why)) {
            assignments.push_back({name, std::move(*value), name});
        } else {
            problems.push_back({name, why});
        }
    }
    return assignments;
}

}  // namespace

ExitCode RunSet(CommandContext& context, const std::vector<std::string>& given) {
    std::vector<Problem> problems;
    const std::vector<Assignment> assignments = ReadAssignments(given, problems);
    if (problems.empty()) {
        // What holds for any mouse is checked before the mouse is asked anything.
        DeviceConfig defaults;
        ResetConfigDefaults(defaults);
        problems = EditSettings(defaults, std::nullopt, assignments).problems;
    }
    if (!problems.empty()) {
        context.console.Problems("", problems);
        return ExitCode::BadInput;
    }
    DeviceSession session(context.devices);
    if (const auto failure = session.Load()) {
        context.console.Error(failure->message);
        return failure->code;
    }
    const EditOutcome edited =
        EditSettings(session.Store().BaseConfig(), session.Found(), assignments);
    if (!edited.problems.empty()) {
        context.console.Problems("", edited.problems);
        return ExitCode::BadInput;
    }
    return WriteSettings(context, session, edited.config);
}

}  // namespace qx9::cli
