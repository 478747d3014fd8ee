#include <iomanip>

#include "Commands.h"
#include "Settings.h"

namespace qx9::cli {
namespace {

constexpr int NameWidth = 28;

// Page by page under the pages' titles, one setting a line.
void PrintSettings(std::ostream& out, const DeviceConfig& config) {
    std::optional<Page> page;
    for (const Setting& setting : Settings()) {
        if (setting.page != page) {
            page = setting.page;
            out << PageTitle(*page) << '\n';
        }
        out << "  " << std::left << std::setw(NameWidth) << setting.name
            << SettingText(setting, config) << '\n';
    }
}

}  // namespace

ExitCode RunShow(CommandContext& context) {
    DeviceSession session(context.devices);
    if (const auto failure = session.Load()) {
        context.console.Error(failure->message);
        return failure->code;
    }
    const DeviceConfig& config = session.Store().BaseConfig();
    if (context.json) {
        context.console.out << SettingValues(config).dump(2) << '\n';
    } else {
        PrintSettings(context.console.out, config);
    }
    return ExitCode::Done;
}

}  // namespace qx9::cli
