#include <iomanip>

#include "BatteryJson.h"
#include "Commands.h"
#include "DisplayTexts.h"
#include "Json.h"
#include "UiTexts.h"

namespace qx9::cli {
namespace {

// The status area as the window would fill it after the same load.
struct StatusView {
    std::string connection;  // "Wired", "Wireless" or "N/A"
    std::optional<std::uint8_t> battery;
    bool onCable = false;
    std::optional<std::string> mouseVersion;
    std::optional<std::string> dongleVersion;
};

StatusView ViewOf(const DeviceSession& session) {
    const LoadReport& report = session.Report();
    StatusView view;
    view.onCable = session.Found() == LinkMode::Cable;
    // A failed cable load still reads "Wired"; through the dongle only a
    // recognised mouse reads "Wireless".
    if (view.onCable) {
        view.connection = text::Wired;
    } else if (session.Found() == LinkMode::Dongle && report.Recognised()) {
        view.connection = text::Wireless;
    } else {
        view.connection = text::NotAvailable;
    }
    view.battery = report.battery;
    if (report.mouseVersion) {
        view.mouseVersion = DecimalCodedVersion(*report.mouseVersion).text;
    }
    if (report.dongleVersion) {
        view.dongleVersion =
            ShownDongleVersion(*report.dongleVersion, session.Found() == LinkMode::Dongle);
    }
    return view;
}

Json OptionalText(const std::optional<std::string>& text) {
    return text ? Json(*text) : Json(nullptr);
}

Json StatusJson(const StatusView& view) {
    Json status = Json::object();
    if (view.connection == text::Wired) {
        status["connection"] = "wired";
    } else if (view.connection == text::Wireless) {
        status["connection"] = "wireless";
    } else {
        status["connection"] = "none";
    }
    status["battery"] = view.battery ? BatteryJson(*view.battery, view.onCable) : Json(nullptr);
    status["mouseFirmware"] = OptionalText(view.mouseVersion);
    status["dongleFirmware"] = OptionalText(view.dongleVersion);
    return status;
}

void PrintStatus(std::ostream& out, const StatusView& view) {
    const auto line = [&out](std::string_view label, const std::optional<std::string>& value) {
        out << std::left << std::setw(17) << label << value.value_or("-") << '\n';
    };
    line("connection", view.connection);
    line("battery",
         view.battery ? std::optional(BatteryText(*view.battery, view.onCable)) : std::nullopt);
    line("mouse firmware", view.mouseVersion);
    line("dongle firmware", view.dongleVersion);
}

}  // namespace

ExitCode RunStatus(CommandContext& context) {
    DeviceSession session(context.devices);
    const auto failure = session.Load();
    const StatusView view = ViewOf(session);
    if (context.json) {
        context.console.out << StatusJson(view).dump(2) << '\n';
    } else {
        PrintStatus(context.console.out, view);
    }
    if (failure) {
        context.console.Error(failure->message);
        return failure->code;
    }
    return ExitCode::Done;
}

}  // namespace qx9::cli
