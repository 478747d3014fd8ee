#include "WriteSettings.h"

#include "ApplySettings.h"
#include "DeviceMessages.h"
#include "Settings.h"

namespace qx9::cli {
namespace {

std::uint8_t WriteCommandOf(std::uint8_t section) {
    switch (section) {
        case SensorSection:
            return command::WriteSensorSettings;
        case AdvancedSection:
            return command::WriteAdvancedSettings;
        default:
            return command::WriteButtonMapping;
    }
}

std::string NotConfirmed(const ApplyResult& applied) {
    if (applied.lastWritten == 0) {
        return "nothing was written";
    }
    std::string message =
        CommandFailure("mouse", applied.outcome, WriteCommandOf(applied.lastWritten));
    // Sections go out in the order of their bits; those before the failed one went through.
    if ((applied.sections & (applied.lastWritten - 1)) != 0) {
        message += "; the writes before it went through";
    }
    return message;
}

void ReportChanges(CommandContext& context, const DeviceConfig& before, const DeviceConfig& after) {
    Json changes = Json::object();
    for (const Setting& setting : Settings()) {
        const Json from = setting.value(before);
        const Json to = setting.value(after);
        if (from == to) {
            continue;
        }
        if (context.json) {
            changes[std::string(setting.name)] = Json{{"from", from}, {"to", to}};
        } else {
            context.console.out << setting.name << ": " << SettingText(setting, before) << " -> "
                                << SettingText(setting, after) << '\n';
        }
    }
    if (context.json) {
        context.console.out << Json{{"changed", changes}}.dump(2) << '\n';
    }
}

}  // namespace

ExitCode WriteSettings(CommandContext& context, DeviceSession& session,
                       const DeviceConfig& edited) {
    ConfigStore& store = session.Store();
    const DeviceConfig before = store.BaseConfig();
    store.EditConfig() = edited;
    if (!store.ConfigsDiffer()) {
        if (context.json) {
            context.console.out << Json{{"changed", Json::object()}}.dump(2) << '\n';
        } else {
            context.console.out << "nothing to change: the mouse holds these values already\n";
        }
        return ExitCode::Done;
    }
    const ApplyResult applied = ApplySettings(session.Link(), session.Commands(), store);
    if (!applied.reached) {
        context.console.Error(CommandFailure("dongle", result::NoReply, command::LinkCheck) +
                              "; nothing was written");
        return ExitCode::DeviceFailed;
    }
    if (!applied.confirmed) {
        context.console.Error(NotConfirmed(applied));
        return ExitCode::DeviceFailed;
    }
    ReportChanges(context, before, store.BaseConfig());
    return ExitCode::Done;
}

}  // namespace qx9::cli
