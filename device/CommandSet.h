#pragma once

#include <cstdint>
#include <span>

#include "ConfigStore.h"
#include "DeviceInfo.h"
#include "DeviceLink.h"

namespace qx9 {

// The device's commands. Each holds the device lock for its whole exchange and
// returns a result code: 1 done, 2 send failed, 0 no reply, 0xFF a link check's
// send failed, anything else the device's status byte.
class CommandSet {
  public:
    CommandSet(DeviceLink& link, ConfigStore& store);

    std::uint8_t LinkCheck();
    std::uint8_t LinkCheckAlt();
    std::uint8_t ReadDongleInfo(DeviceInfo& info);
    std::uint8_t ReadMouseInfo(DeviceInfo& info, Milliseconds wait);
    std::uint8_t ReadBattery(std::uint8_t& level, Milliseconds wait);
    // On success the block is stored and unpacked into EditConfig.
    std::uint8_t ReadConfig(Milliseconds wait);
    std::uint8_t WriteSensorSettings(const DeviceConfig& config, Milliseconds wait);
    std::uint8_t WriteAdvancedSettings(const DeviceConfig& config, Milliseconds wait);
    std::uint8_t WriteButtonMapping(const DeviceConfig& config, Milliseconds wait);
    std::uint8_t FactoryReset(Milliseconds wait);
    std::uint8_t PairDongle();

    // Run before commands that go through the dongle: LinkCheck, then
    // LinkCheckAlt when that did not answer 1. The last check's result.
    std::uint8_t DonglePreamble();

  private:
    enum class Exchanged { SendFailed, NoReply, Replied };
    // Send, the command's wait, then the read of the reply into `reply`, whose
    // byte 0 names the report to read; all under the device lock.
    Exchanged Exchange(const CommandSpec& command, Milliseconds wait, Milliseconds busyBase,
                       std::span<const std::uint8_t> payload, std::span<std::uint8_t> reply);
    std::uint8_t Run(const CommandSpec& command, Milliseconds wait, Milliseconds busyBase,
                     std::span<const std::uint8_t> payload = {},
                     std::span<std::uint8_t> replyData = {});
    std::uint8_t SendButtonChunk(std::span<const std::uint8_t> slots, std::uint8_t chunk,
                                 Milliseconds wait, bool& sent);

    DeviceLink& link_;
    ConfigStore& store_;
    Clock& clock_;
};

}  // namespace qx9
