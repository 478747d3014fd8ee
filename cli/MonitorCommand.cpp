#include <mutex>

#include "BatteryJson.h"
#include "Commands.h"
#include "DisplayTexts.h"
#include "Json.h"
#include "Settings.h"
#include "StatusListener.h"

namespace qx9::cli {
namespace {

// How often the wait looks whether the device is still there.
constexpr Milliseconds DeviceCheckInterval = 250ms;

// One record as a line; empty for records of no interest here.
std::string RecordLine(const StatusRecord& record, bool onCable, bool json) {
    Json line = Json::object();
    std::string text;
    switch (record.Type()) {
        case record::CpiLevel:
            line["record"] = "active-level";
            line["level"] = record.Value() + 1;
            text = "active-level " + std::to_string(record.Value() + 1);
            break;
        case record::ReportRate: {
            const bool maxFps = record.bytes[2] == 1;
            line["record"] = "report-rate";
            line["rate"] = ReportRateWord(record.Value());
            line["max-sensor-fps"] = maxFps;
            text = "report-rate " + ReportRateWord(record.Value()) + ", max-sensor-fps " +
                   (maxFps ? "on" : "off");
            break;
        }
        case record::Battery: {
            line["record"] = "battery";
            line.update(BatteryJson(record.Value(), onCable));
            text = "battery " + BatteryText(record.Value(), onCable);
            break;
        }
        case record::LinkState:
            if (record.Value() != record::LinkStateOff && record.Value() != record::LinkStateOn) {
                return {};
            }
            line["record"] = "link-lost";
            text = "link-lost";
            break;
        default:
            return {};
    }
    return json ? line.dump() : text;
}

}  // namespace

ExitCode RunMonitor(CommandContext& context) {
    DeviceSession session(context.devices);
    if (const auto failure = session.Detect()) {
        context.console.Error(failure->message);
        return failure->code;
    }
    const bool onCable = session.Found() == LinkMode::Cable;
    std::ostream& out = context.console.out;
    StatusListener listener(context.devices.statusReports, session.Link(), context.devices.clock,
                            [&out, onCable, json = context.json](const StatusRecord& record) {
                                if (const std::string line = RecordLine(record, onCable, json);
                                    !line.empty()) {
                                    out << line << std::endl;  // at once, for a pipe too
                                }
                            });
    context.interruption.Arm();
    if (listener.StartStatusListener() != listener::Started) {
        context.console.Error("the status reports of the mouse could not be opened");
        return ExitCode::DeviceFailed;
    }
    while (!context.interruption.WaitFor(DeviceCheckInterval)) {
        if (!listener.IsRunning()) {
            listener.Stop();
            context.console.Error("the device went away");
            return ExitCode::DeviceFailed;
        }
    }
    listener.Stop();
    return ExitCode::Done;
}

}  // namespace qx9::cli
