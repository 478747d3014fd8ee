#pragma once

// The fixed contract between the tool and the QX9 mouse and dongle: identifiers,
// report layouts, command codes, waits and retry counts. Nothing here is
// configurable; the firmware relies on every value.

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "HidError.h"

namespace qx9 {

using Milliseconds = std::chrono::milliseconds;
using namespace std::chrono_literals;

// --- USB identifiers ------------------------------------------------------
// Placeholder values: the product's assigned identifiers go here, and only here.
inline constexpr std::uint16_t VendorId = 0x3A9E;
inline constexpr std::uint16_t WiredProductId = 0x5C11;
inline constexpr std::uint16_t SpareProductId1 = 0x5C12;
inline constexpr std::uint16_t DongleProductId = 0x5C22;
inline constexpr std::uint16_t SpareProductId2 = 0x5C23;

struct UsbId {
    std::uint16_t vendorId;
    std::uint16_t productId;
};

// Only entries 0 (cable) and 2 (dongle) take part in discovery.
inline constexpr std::array<UsbId, 4> DeviceIdTable{{
    {VendorId, WiredProductId},
    {VendorId, SpareProductId1},
    {VendorId, DongleProductId},
    {VendorId, SpareProductId2},
}};
inline constexpr UsbId WiredMouseId = DeviceIdTable[0];
inline constexpr UsbId DongleId = DeviceIdTable[2];

// Four upper-case hexadecimal digits, as device names spell the ids.
struct HexText {
    std::array<char, 5> digits{};
    constexpr explicit HexText(std::uint16_t value) {
        constexpr std::string_view hex = "0123456789ABCDEF";
        for (int i = 0; i < 4; ++i) {
            digits[static_cast<std::size_t>(i)] = hex[(value >> (12 - 4 * i)) & 0xF];
        }
    }
    constexpr std::string_view view() const { return {digits.data(), 4}; }
};
inline constexpr HexText VendorIdText{VendorId};
inline constexpr HexText WiredProductIdText{WiredProductId};
inline constexpr HexText DongleProductIdText{DongleProductId};

// --- HID collections ------------------------------------------------------
inline constexpr std::uint16_t CommandUsagePage = 0xFF01;
inline constexpr std::uint16_t CommandUsage = 0x0002;
inline constexpr std::uint16_t StatusUsagePage = 0xFF02;
inline constexpr std::uint16_t StatusUsage = 0x0001;

// --- Reports ----------------------------------------------------------------
inline constexpr std::uint8_t CommandReportId = 0xA1;
inline constexpr std::size_t CommandReportSize = 64;
inline constexpr std::uint8_t ConfigReportId = 0xA0;
inline constexpr std::size_t ConfigReportSize = 1041;
inline constexpr std::uint8_t StatusReportId = 0x03;
inline constexpr std::size_t StatusReportSize = 8;
inline constexpr std::size_t StatusRecordSize = StatusReportSize - 1;

inline constexpr std::size_t StatusByteOffset = 1;
inline constexpr std::size_t SubCodeOffset = 2;
inline constexpr std::size_t PayloadLengthOffset = 3;
inline constexpr std::size_t ChunkNumberOffset = 6;
inline constexpr std::size_t PayloadOffset = 16;
inline constexpr std::size_t PayloadCapacity = CommandReportSize - PayloadOffset;
inline constexpr std::size_t ConfigBlockOffset = 16;
inline constexpr std::size_t ConfigBlockSize = 1024;
inline constexpr std::size_t DeviceInfoSize = 14;

// --- Command codes and sub-bytes ---------------------------------------------
namespace command {
inline constexpr std::uint8_t LinkCheck = 0x0F;
inline constexpr std::uint8_t ReadDongleInfo = 0x0D;
inline constexpr std::uint8_t ReadMouseInfo = 0x0E;
inline constexpr std::uint8_t ReadBattery = 0xB4;
inline constexpr std::uint8_t ReadConfig = 0x12;
inline constexpr std::uint8_t FactoryReset = 0x13;
inline constexpr std::uint8_t WriteSensorSettings = 0x14;
inline constexpr std::uint8_t WriteAdvancedSettings = 0x15;
inline constexpr std::uint8_t WriteButtonMapping = 0x16;
inline constexpr std::uint8_t PairDongle = 0x70;

inline constexpr std::uint8_t LinkCheckSubCode = 0x01;
inline constexpr std::uint8_t LinkCheckAltSubCode = 0x0F;
inline constexpr std::uint8_t SettingsWriteSubCode = 0x0F;
}  // namespace command

inline constexpr std::size_t SensorPayloadSize = 28;
inline constexpr std::uint8_t SensorPayloadLength = 0x1C;
// The firmware expects 0x0A in the length byte although eleven bytes follow.
inline constexpr std::size_t AdvancedPayloadSize = 11;
inline constexpr std::uint8_t AdvancedPayloadLength = 0x0A;
inline constexpr std::size_t ButtonSlotBytes = 7;
inline constexpr std::size_t ButtonSlotCount = 8;
inline constexpr std::size_t ButtonSlotsPerChunk = 4;
inline constexpr std::size_t ButtonChunkCount = 2;
inline constexpr std::size_t ButtonChunkPayloadSize = ButtonSlotsPerChunk * ButtonSlotBytes;
inline constexpr std::uint8_t ButtonPayloadLength = 0x1C;

// Which button each slot of the block serves; no page shows slot 5.
namespace slot {
inline constexpr std::size_t Left = 0;
inline constexpr std::size_t Right = 1;
inline constexpr std::size_t Middle = 2;
inline constexpr std::size_t Back = 3;
inline constexpr std::size_t Forward = 4;
inline constexpr std::size_t Spare = 5;
inline constexpr std::size_t WheelUp = 6;
inline constexpr std::size_t WheelDown = 7;
}  // namespace slot

// The kinds of action a button slot holds (its ActionType byte).
inline constexpr std::uint8_t ActionMouseButton = 0x00;
inline constexpr std::uint8_t ActionWheel = 0x01;
inline constexpr std::uint8_t ActionKeyboardKey = 0x02;
inline constexpr std::uint8_t ActionCpiLoop = 0x09;
inline constexpr std::uint8_t ActionFixedCpi = 0x0C;
inline constexpr std::uint8_t ActionLaunch = 0x18;
inline constexpr std::uint8_t ActionMediaKey = 0x20;
inline constexpr std::uint8_t ActionDisabled = 0xFF;

// --- Device status byte and command results ----------------------------------
namespace status {
inline constexpr std::uint8_t Done = 1;
inline constexpr std::uint8_t NotDone = 2;
inline constexpr std::uint8_t Busy = 3;
}  // namespace status

// The link check's answers when the dongle cannot reach its mouse: still
// searching for it, the mouse silent, no mouse paired. Reconnection asks the
// alternative check then.
inline constexpr std::array<std::uint8_t, 3> LinkCheckMouseUnreachable{3, 8, 17};

// Results of the command functions; any other value is the device's status byte.
namespace result {
inline constexpr std::uint8_t NoReply = 0;
inline constexpr std::uint8_t Done = 1;
inline constexpr std::uint8_t SendFailed = 2;
inline constexpr std::uint8_t LinkSendFailed = 0xFF;
}  // namespace result

// --- Transport retry rules -------------------------------------------------
inline constexpr int SendRetries = 3;
inline constexpr Milliseconds SendRetryWait = 50ms;
inline constexpr int ReadRetries = 2;
inline constexpr Milliseconds ReadRetryWait = 50ms;
inline constexpr std::array<Milliseconds, 2> BusyRereadExtraWaits{200ms, 400ms};

inline constexpr std::array<HidError, 5> RetryableErrors{
    HidError::NotReady, HidError::Crc, HidError::WriteFault, HidError::InvalidParameter,
    HidError::FunctionFailed};

constexpr bool IsRetryable(HidError error) {
    return std::find(RetryableErrors.begin(), RetryableErrors.end(), error) !=
           RetryableErrors.end();
}

// --- Commands: bytes 1-3, fixed waits and busy bases --------------------------
struct CommandSpec {
    std::uint8_t code;
    std::uint8_t subCode;
    std::uint8_t payloadLength;
    Milliseconds busyBase;
    bool waitOnlyAfterSuccessfulSend;
    std::uint8_t sendFailedResult;
};

namespace wire {
inline constexpr CommandSpec LinkCheck{
    command::LinkCheck, command::LinkCheckSubCode, 0, 300ms, true, result::LinkSendFailed};
inline constexpr CommandSpec LinkCheckAlt{
    command::LinkCheck, command::LinkCheckAltSubCode, 0, 300ms, true, result::LinkSendFailed};
inline constexpr CommandSpec ReadDongleInfo{command::ReadDongleInfo, 0, 0, 20ms, false,
                                            result::SendFailed};
inline constexpr CommandSpec ReadMouseInfo{command::ReadMouseInfo, 0, 0, 100ms, false,
                                           result::SendFailed};
// The battery read's busy base is the caller's wait.
inline constexpr CommandSpec ReadBattery{command::ReadBattery, 0, 0, 0ms, false,
                                         result::SendFailed};
inline constexpr CommandSpec ReadConfig{command::ReadConfig, 0, 0, 200ms, false,
                                        result::SendFailed};
inline constexpr CommandSpec WriteSensorSettings{command::WriteSensorSettings,
                                                 command::SettingsWriteSubCode,
                                                 SensorPayloadLength,
                                                 100ms,
                                                 false,
                                                 result::SendFailed};
inline constexpr CommandSpec WriteAdvancedSettings{command::WriteAdvancedSettings,
                                                   command::SettingsWriteSubCode,
                                                   AdvancedPayloadLength,
                                                   100ms,
                                                   false,
                                                   result::SendFailed};
inline constexpr CommandSpec WriteButtonMapping{
    command::WriteButtonMapping, command::SettingsWriteSubCode, ButtonPayloadLength, 100ms, false,
    result::SendFailed};
inline constexpr CommandSpec FactoryReset{command::FactoryReset, 0, 0, 300ms, true,
                                          result::SendFailed};
inline constexpr CommandSpec PairDongle{command::PairDongle, 0, 0, 50ms, true, result::SendFailed};
}  // namespace wire

inline constexpr Milliseconds LinkCheckWait = 300ms;
inline constexpr Milliseconds DongleInfoWait = 150ms;
inline constexpr Milliseconds PairDongleWait = 300ms;
inline constexpr Milliseconds ButtonChunkPause = 100ms;

// Waits the callers pass to the commands, by how the mouse is reached.
struct ModeWaits {
    Milliseconds mouseInfo;
    Milliseconds battery;
    Milliseconds config;
    Milliseconds settingsWrite;
    Milliseconds factoryReset;
};
inline constexpr ModeWaits CableWaits{150ms, 300ms, 110ms, 500ms, 800ms};
inline constexpr ModeWaits DongleWaits{350ms, 350ms, 400ms, 880ms, 1080ms};
inline constexpr Milliseconds ReconnectMouseInfoWait = 300ms;
// A device that has just arrived is left to settle before it is talked to.
inline constexpr Milliseconds ArrivalSettleWait = 1100ms;
inline constexpr Milliseconds LateDetectFactoryResetWait = 200ms;

// --- Status input records (bytes 1-7 of input report 3) -----------------------
namespace record {
inline constexpr std::uint8_t CpiLevel = 0x02;
inline constexpr std::uint8_t ReportRate = 0x06;
inline constexpr std::uint8_t ProductId = 0x0E;
inline constexpr std::uint8_t LinkState = 0xB1;
inline constexpr std::uint8_t Battery = 0xB4;

inline constexpr std::uint8_t LinkStateOff = 0xF0;
inline constexpr std::uint8_t LinkStateOn = 0xF1;
}  // namespace record

}  // namespace qx9
