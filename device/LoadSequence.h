#pragma once

#include <cstdint>
#include <optional>

#include "CommandSet.h"
#include "ConfigStore.h"
#include "DeviceLink.h"
#include "MouseRecognition.h"

namespace qx9 {

// The step of loading that failed, so that a front end can say which.
enum class LoadStep : std::uint8_t {
    None,
    LinkCheck,  // the dongle's link checks
    ReadDongleInfo,
    ReadMouseInfo,
    Recognition,  // the mouse behind the dongle is not a QX9
    ReadBattery,
    ReadConfig,
};

// What loading the mouse found, for a front end to show. Each value is set once
// the sequence got that far, so a load that fails part way still reports what
// it read before.
struct LoadReport {
    std::uint8_t result = result::Done;  // 1: the configuration is read
    LoadStep failedAt = LoadStep::None;
    bool toPairing = false;      // the dongle answers but its mouse does not
    bool donglePresent = false;  // the dongle was found and answered discovery
    std::optional<std::uint8_t> recognition;
    std::optional<std::uint16_t> dongleVersion;
    std::optional<std::uint16_t> mouseVersion;
    std::optional<std::uint8_t> battery;

    bool Loaded() const { return result == result::Done; }
    bool Recognised() const { return recognition == recognition::Recognised; }
};

// The device part of connecting: identify the mouse, read versions, battery and
// the configuration. On success ConfigBlock holds the mouse's block and both
// records equal it; on failure the link is left with no connection mode.
LoadReport LoadThroughDongle(DeviceLink& link, CommandSet& commands, ConfigStore& store);
// On the cable the dongle's version is read too, if it is plugged; the link
// ends pointing at the mouse again.
LoadReport LoadOnCable(DeviceLink& link, CommandSet& commands, ConfigStore& store);
// With the link at the dongle: the dongle preamble, then its firmware version
// when every check answered.
std::optional<std::uint16_t> ReadDongleVersion(CommandSet& commands);

}  // namespace qx9
