#include "BasicSettingsRules.h"
#include "Commands.h"
#include "DeviceMessages.h"
#include "Json.h"
#include "LevelSwitch.h"

namespace qx9::cli {
namespace {

std::optional<int> ReadLevel(const std::string& text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + basic::LevelRows) {
        return std::nullopt;
    }
    return text[0] - '0';
}

// What picking level n on the Basic Settings page puts into EditConfig: the
// active level, the count as its list shows it, and the level's values as
// its boxes show them.
void SelectLevel(DeviceConfig& edit, int level) {
    const auto k = static_cast<std::size_t>(level - 1);
    edit.CurrentCpiLevel = static_cast<std::uint8_t>(k);
    edit.CpiLevelCount =
        static_cast<std::uint8_t>(basic::LevelCountIndexOf(edit.CpiLevelCount) + 1);
    edit.CpiLevels[k] = basic::LevelFromValues(basic::NormalizeCpi(edit.CpiLevels[k].CpiX),
                                               basic::NormalizeCpi(edit.CpiLevels[k].CpiY));
}

}  // namespace

ExitCode RunLevel(CommandContext& context, const std::string& text) {
    const auto level = ReadLevel(text);
    if (!level) {
        context.console.Error("level: expected 1, 2, 3 or 4, not " + text);
        return ExitCode::BadInput;
    }
    DeviceSession session(context.devices);
    if (const auto failure = session.Load()) {
        context.console.Error(failure->message);
        return failure->code;
    }
    ConfigStore& store = session.Store();
    // The page shows a selector for each level in use, and no more.
    const int count = basic::LevelCountIndexOf(store.BaseConfig().CpiLevelCount) + 1;
    if (*level > count) {
        context.console.Error("level: " + text + " is not in use: cpi-levels is " +
                              std::to_string(count) + ", so the levels are 1.." +
                              std::to_string(count));
        return ExitCode::BadInput;
    }
    SelectLevel(store.EditConfig(), *level);
    const LevelSwitchResult switched = SwitchActiveLevel(session.Link(), session.Commands(), store);
    if (!switched.sent) {
        context.console.Error(CommandFailure("dongle", result::NoReply, command::LinkCheck) +
                              "; the level was not switched");
        return ExitCode::DeviceFailed;
    }
    if (switched.written != result::Done) {
        context.console.Error(
            CommandFailure("mouse", switched.written, command::WriteSensorSettings));
        return ExitCode::DeviceFailed;
    }
    if (context.json) {
        context.console.out << Json{{"activeLevel", *level}}.dump(2) << '\n';
    } else {
        context.console.out << "active-level: " << *level << '\n';
    }
    return ExitCode::Done;
}

}  // namespace qx9::cli
