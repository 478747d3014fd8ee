#include "LoadSequence.h"

namespace qx9 {
namespace {

LoadReport& Fail(DeviceLink& link, LoadReport& report, LoadStep step, std::uint8_t outcome) {
    link.SetConnectionMode(LinkMode::None);
    report.failedAt = step;
    report.result = outcome;
    return report;
}

// The dongle answers but its mouse does not: pairing is the way forward.
LoadReport& FailToPairing(DeviceLink& link, LoadReport& report, LoadStep step,
                          std::uint8_t outcome) {
    report.toPairing = true;
    return Fail(link, report, step, outcome);
}

bool Done(std::uint8_t outcome) {
    return outcome == result::Done;
}

void ReadBlockIntoBoth(ConfigStore& store) {
    store.UnpackConfig(store.BaseConfig());
}

}  // namespace

LoadReport LoadThroughDongle(DeviceLink& link, CommandSet& commands, ConfigStore& store) {
    LoadReport report;
    link.SetDonglePresent(true);
    report.donglePresent = true;
    if (const auto outcome = commands.DonglePreamble(); !Done(outcome)) {
        return Fail(link, report, LoadStep::LinkCheck, outcome);
    }
    DeviceInfo dongle;
    if (const auto outcome = commands.ReadDongleInfo(dongle); !Done(outcome)) {
        return Fail(link, report, LoadStep::ReadDongleInfo, outcome);
    }
    report.dongleVersion = dongle.DongleVersion();
    if (const auto outcome = commands.DonglePreamble(); !Done(outcome)) {
        return FailToPairing(link, report, LoadStep::LinkCheck, outcome);
    }
    DeviceInfo mouse;
    if (const auto outcome = commands.ReadMouseInfo(mouse, DongleWaits.mouseInfo); !Done(outcome)) {
        return FailToPairing(link, report, LoadStep::ReadMouseInfo, outcome);
    }
    if (mouse.MouseProductId() != WiredProductId) {
        report.recognition = recognition::Foreign;
        return Fail(link, report, LoadStep::Recognition, result::NoReply);
    }
    report.recognition = recognition::Recognised;
    if (const auto outcome = commands.DonglePreamble(); !Done(outcome)) {
        return Fail(link, report, LoadStep::LinkCheck, outcome);
    }
    std::uint8_t level = 0;
    if (const auto outcome = commands.ReadBattery(level, DongleWaits.battery); !Done(outcome)) {
        return Fail(link, report, LoadStep::ReadBattery, outcome);
    }
    report.battery = level;
    report.mouseVersion = mouse.MouseVersion();
    if (const auto outcome = commands.DonglePreamble(); !Done(outcome)) {
        return Fail(link, report, LoadStep::LinkCheck, outcome);
    }
    if (const auto outcome = commands.ReadConfig(DongleWaits.config); !Done(outcome)) {
        return Fail(link, report, LoadStep::ReadConfig, outcome);
    }
    ReadBlockIntoBoth(store);
    return report;
}

LoadReport LoadOnCable(DeviceLink& link, CommandSet& commands, ConfigStore& store) {
    LoadReport report;
    DeviceInfo mouse;
    if (const auto outcome = commands.ReadMouseInfo(mouse, CableWaits.mouseInfo); !Done(outcome)) {
        return Fail(link, report, LoadStep::ReadMouseInfo, outcome);
    }
    // On the cable whatever answers is taken for our mouse.
    report.recognition = recognition::Recognised;
    report.mouseVersion = mouse.MouseVersion();
    std::uint8_t level = 0;
    if (const auto outcome = commands.ReadBattery(level, CableWaits.battery); !Done(outcome)) {
        return Fail(link, report, LoadStep::ReadBattery, outcome);
    }
    report.battery = level;
    if (const auto outcome = commands.ReadConfig(CableWaits.config); !Done(outcome)) {
        return Fail(link, report, LoadStep::ReadConfig, outcome);
    }
    ReadBlockIntoBoth(store);
    if (link.DiscoverDevice(DongleId.vendorId, DongleId.productId)) {
        link.SetDonglePresent(true);
        report.donglePresent = true;
        report.dongleVersion = ReadDongleVersion(commands);
    }
    // Points the link back at the mouse on its cable.
    link.DetectConnection();
    return report;
}

std::optional<std::uint16_t> ReadDongleVersion(CommandSet& commands) {
    DeviceInfo dongle;
    if (Done(commands.DonglePreamble()) && Done(commands.ReadDongleInfo(dongle))) {
        return dongle.DongleVersion();
    }
    return std::nullopt;
}

}  // namespace qx9
