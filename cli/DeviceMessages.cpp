#include "DeviceMessages.h"

#include <cstdio>

namespace qx9::cli {
namespace {

std::string Hex(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

std::string_view CommandName(std::uint8_t code) {
    switch (code) {
        case command::LinkCheck:
            return "link check";
        case command::ReadDongleInfo:
            return "information read";
        case command::ReadMouseInfo:
            return "information read";
        case command::ReadBattery:
            return "battery read";
        case command::ReadConfig:
            return "settings read";
        case command::FactoryReset:
            return "factory reset";
        case command::WriteSensorSettings:
            return "sensor settings write";
        case command::WriteAdvancedSettings:
            return "advanced settings write";
        case command::WriteButtonMapping:
            return "button mapping write";
        case command::PairDongle:
            return "pairing request";
        default:
            return "command";
    }
}

// What came of a command, worded to stand before the command's name.
std::string OutcomeWords(std::uint8_t outcome) {
    switch (outcome) {
        case result::NoReply:
            return "did not answer";
        case result::SendFailed:  // also the device's own "not done"
            return "did not carry out";
        case result::LinkSendFailed:
            return "could not be reached for";
        case status::Busy:
            return "stayed busy on";
        default:
            return "answered status " + Hex(outcome) + " to";
    }
}

struct StepCommand {
    std::string_view who;
    std::uint8_t code;
};

StepCommand CommandOfStep(LoadStep step) {
    switch (step) {
        case LoadStep::LinkCheck:
            return {"dongle", command::LinkCheck};
        case LoadStep::ReadDongleInfo:
            return {"dongle", command::ReadDongleInfo};
        case LoadStep::ReadBattery:
            return {"mouse", command::ReadBattery};
        case LoadStep::ReadConfig:
            return {"mouse", command::ReadConfig};
        case LoadStep::None:
        case LoadStep::Recognition:
        case LoadStep::ReadMouseInfo:
            break;
    }
    return {"mouse", command::ReadMouseInfo};
}

}  // namespace

std::string CommandDescription(std::uint8_t code) {
    return "the " + std::string(CommandName(code)) + " (command " + Hex(code) + ")";
}

std::string CommandFailure(std::string_view who, std::uint8_t outcome, std::uint8_t code) {
    return "the " + std::string(who) + " " + OutcomeWords(outcome) + " " + CommandDescription(code);
}

std::string LoadFailure(const LoadReport& report) {
    if (report.failedAt == LoadStep::Recognition) {
        return "the mouse behind the dongle is not a QX9";
    }
    const StepCommand failed = CommandOfStep(report.failedAt);
    std::string message = CommandFailure(failed.who, report.result, failed.code);
    if (report.toPairing) {
        message +=
            ": the dongle answers but its mouse does not; switch the mouse on, or pair it "
            "with qx9ctl pair";
    }
    return message;
}

}  // namespace qx9::cli
