#include "Commands.h"
#include "DeviceMessages.h"
#include "Json.h"
#include "RestoreFactorySettings.h"

namespace qx9::cli {

ExitCode RunReset(CommandContext& context, bool confirmed) {
    if (!confirmed) {
        context.console.Error(
            "reset restores the factory settings, and every setting of the mouse is lost; "
            "run qx9ctl reset --yes to go ahead");
        return ExitCode::BadInput;
    }
    DeviceSession session(context.devices);
    if (const auto failure = session.Detect()) {
        context.console.Error(failure->message);
        return failure->code;
    }
    const FactoryResetResult reset =
        RestoreFactorySettings(session.Link(), session.Commands(), session.Store());
    if (!reset.sent) {
        const DeviceFailure none = session.NoDeviceFailure();
        context.console.Error(none.message);
        return none.code;
    }
    if (!reset.confirmed) {
        context.console.Error(CommandFailure("mouse", reset.outcome, command::FactoryReset));
        return ExitCode::DeviceFailed;
    }
    if (context.json) {
        context.console.out << Json{{"reset", true}}.dump(2) << '\n';
    } else {
        context.console.out << "factory settings restored\n";
    }
    return ExitCode::Done;
}

}  // namespace qx9::cli
