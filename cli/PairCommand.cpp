#include "Commands.h"
#include "DeviceMessages.h"
#include "Json.h"
#include "PairRequest.h"
#include "UiTexts.h"

namespace qx9::cli {

ExitCode RunPair(CommandContext& context) {
    DeviceSession session(context.devices);
    // With the mouse on its cable the request goes to the dongle beside it.
    session.Link().DetectConnection();
    const PairResult paired = PairRequest(session.Link(), session.Commands());
    if (!paired.dongleFound) {
        context.console.Error("no dongle found: plug the dongle in to pair the mouse with it");
        return ExitCode::NoDevice;
    }
    if (!paired.sent) {
        context.console.Error(CommandFailure("dongle", paired.outcome, command::LinkCheck));
        return ExitCode::DeviceFailed;
    }
    if (paired.outcome != result::Done) {
        context.console.Error(CommandFailure("dongle", paired.outcome, command::PairDongle));
        return ExitCode::DeviceFailed;
    }
    // What the window's message box says after the request.
    if (context.json) {
        context.console.out
            << Json{{"pairing", true}, {"instruction", text::PairingInstruction}}.dump(2) << '\n';
    } else {
        context.console.out << text::PairingInstruction << '\n';
    }
    return ExitCode::Done;
}

}  // namespace qx9::cli
