#include "CommandSet.h"

#include <algorithm>
#include <vector>

#include "CommandPayloads.h"

namespace qx9 {
namespace {

CommandReport ReplyRequest() {
    CommandReport reply{};
    reply[0] = CommandReportId;
    return reply;
}

}  // namespace

CommandSet::CommandSet(DeviceLink& link, ConfigStore& store)
    : link_(link), store_(store), clock_(link.clock()) {}

CommandSet::Exchanged CommandSet::Exchange(const CommandSpec& command, Milliseconds wait,
                                           Milliseconds busyBase,
                                           std::span<const std::uint8_t> payload,
                                           std::span<std::uint8_t> reply) {
    const CommandReport report = BuildCommandReport(command, payload);
    CCriticalSectionAutoLock hold(link_.DeviceLock());
    const bool sent = link_.SetFeatureWithRetry(report);
    if (sent || !command.waitOnlyAfterSuccessfulSend) {
        clock_.SleepFor(wait);
    }
    if (!sent) {
        return Exchanged::SendFailed;
    }
    return link_.GetFeatureWithRetry(reply, busyBase) ? Exchanged::Replied : Exchanged::NoReply;
}

std::uint8_t CommandSet::Run(const CommandSpec& command, Milliseconds wait, Milliseconds busyBase,
                             std::span<const std::uint8_t> payload,
                             std::span<std::uint8_t> replyData) {
    CommandReport reply = ReplyRequest();
    switch (Exchange(command, wait, busyBase, payload, reply)) {
        case Exchanged::SendFailed:
            return command.sendFailedResult;
        case Exchanged::NoReply:
            return result::NoReply;
        case Exchanged::Replied:
            break;
    }
    const std::uint8_t commandStatus = reply[StatusByteOffset];
    if (commandStatus == status::Done) {
        std::copy_n(reply.begin() + PayloadOffset, replyData.size(), replyData.begin());
    }
    return commandStatus;
}

std::uint8_t CommandSet::LinkCheck() {
    return Run(wire::LinkCheck, LinkCheckWait, wire::LinkCheck.busyBase);
}

std::uint8_t CommandSet::LinkCheckAlt() {
    return Run(wire::LinkCheckAlt, LinkCheckWait, wire::LinkCheckAlt.busyBase);
}

std::uint8_t CommandSet::DonglePreamble() {
    const std::uint8_t first = LinkCheck();
    return first == result::Done ? first : LinkCheckAlt();
}

std::uint8_t CommandSet::ReadDongleInfo(DeviceInfo& info) {
    return Run(wire::ReadDongleInfo, DongleInfoWait, wire::ReadDongleInfo.busyBase, {}, info.bytes);
}

std::uint8_t CommandSet::ReadMouseInfo(DeviceInfo& info, Milliseconds wait) {
    return Run(wire::ReadMouseInfo, wait, wire::ReadMouseInfo.busyBase, {}, info.bytes);
}

std::uint8_t CommandSet::ReadBattery(std::uint8_t& level, Milliseconds wait) {
    std::array<std::uint8_t, 1> data{level};
    const std::uint8_t outcome = Run(wire::ReadBattery, wait, wait, {}, data);
    level = data[0];
    return outcome;
}

std::uint8_t CommandSet::ReadConfig(Milliseconds wait) {
    // The block is stored under the lock, as it was read.
    CCriticalSectionAutoLock hold(link_.DeviceLock());
    std::vector<std::uint8_t> reply(ConfigReportSize, 0);
    reply[0] = ConfigReportId;
    if (Exchange(wire::ReadConfig, wait, wire::ReadConfig.busyBase, {}, reply) !=
        Exchanged::Replied) {
        return result::SendFailed;  // also when the reply could not be read
    }
    const std::uint8_t commandStatus = reply[StatusByteOffset];
    if (commandStatus != status::Done) {
        return commandStatus;
    }
    std::copy_n(reply.begin() + ConfigBlockOffset, ConfigBlockSize, store_.ConfigBlock().begin());
    store_.UnpackConfig(store_.EditConfig());
    return result::Done;
}

std::uint8_t CommandSet::WriteSensorSettings(const DeviceConfig& config, Milliseconds wait) {
    const auto payload = SensorPayload(config);
    return Run(wire::WriteSensorSettings, wait, wire::WriteSensorSettings.busyBase, payload);
}

std::uint8_t CommandSet::WriteAdvancedSettings(const DeviceConfig& config, Milliseconds wait) {
    const auto payload = AdvancedPayload(config);
    return Run(wire::WriteAdvancedSettings, wait, wire::WriteAdvancedSettings.busyBase, payload);
}

std::uint8_t CommandSet::SendButtonChunk(std::span<const std::uint8_t> slots, std::uint8_t chunk,
                                         Milliseconds wait, bool& sent) {
    const CommandReport report = BuildCommandReport(wire::WriteButtonMapping, slots, chunk);
    sent = link_.SetFeatureOnce(report);
    clock_.SleepFor(wait);
    if (!sent) {
        return result::SendFailed;
    }
    CommandReport reply = ReplyRequest();
    const bool read = link_.GetFeatureWithRetry(reply, wire::WriteButtonMapping.busyBase);
    clock_.SleepFor(ButtonChunkPause);
    return read ? reply[StatusByteOffset] : result::NoReply;
}

std::uint8_t CommandSet::WriteButtonMapping(const DeviceConfig& config, Milliseconds wait) {
    const auto slots = ButtonSlotBytesOf(config);
    CCriticalSectionAutoLock hold(link_.DeviceLock());
    // Both chunks are sent even when the first is not confirmed; the outcome is
    // that of the first chunk the device did not confirm, so a half-stored
    // mapping never reads as success.
    std::uint8_t outcome = result::Done;
    for (std::uint8_t chunk = 1; chunk <= ButtonChunkCount; ++chunk) {
        const auto chunkSlots = std::span<const std::uint8_t>(slots).subspan(
            (chunk - 1) * ButtonChunkPayloadSize, ButtonChunkPayloadSize);
        bool sent = false;
        const std::uint8_t chunkOutcome = SendButtonChunk(chunkSlots, chunk, wait, sent);
        if (outcome == result::Done) {
            outcome = chunkOutcome;
        }
        if (!sent) {
            break;
        }
    }
    return outcome;
}

std::uint8_t CommandSet::FactoryReset(Milliseconds wait) {
    return Run(wire::FactoryReset, wait, wire::FactoryReset.busyBase);
}

std::uint8_t CommandSet::PairDongle() {
    return Run(wire::PairDongle, PairDongleWait, wire::PairDongle.busyBase);
}

}  // namespace qx9
