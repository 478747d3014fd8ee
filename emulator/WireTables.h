#pragma once

// The QX9's own listing of its wire: USB identity, collections, reports, the
// requests it accepts and the time it takes for each. A firmware does not
// include its host's headers; every value here is written out on its own, so a
// host that sends anything else is caught.

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "FeatureBackend.h"

namespace qx9::emu::fw {

// --- USB identity -------------------------------------------------------------
inline constexpr std::uint16_t VendorId = 0x3A9E;
inline constexpr std::uint16_t MouseProductId = 0x5C11;
inline constexpr std::uint16_t DongleProductId = 0x5C22;

// --- Collections of the vendor node -------------------------------------------
inline constexpr HidUsage CommandCollection{0xFF01, 0x0002};
inline constexpr HidUsage StatusCollection{0xFF02, 0x0001};
// A vendor collection of the command page that is not the command collection.
inline constexpr HidUsage SpareVendorCollection{0xFF01, 0x0001};

// --- Reports --------------------------------------------------------------------
inline constexpr std::uint8_t CommandReportId = 0xA1;
inline constexpr std::size_t CommandReportSize = 64;
inline constexpr std::uint8_t ConfigReportId = 0xA0;
inline constexpr std::size_t ConfigReportSize = 1041;
inline constexpr std::uint8_t StatusReportId = 0x03;
inline constexpr std::size_t StatusReportSize = 8;

// Request: byte 1 code, 2 sub-code, 3 length byte, 6 chunk, data from 16.
inline constexpr std::size_t CodeAt = 1;
inline constexpr std::size_t SubCodeAt = 2;
inline constexpr std::size_t LengthByteAt = 3;
inline constexpr std::size_t ChunkAt = 6;
inline constexpr std::size_t DataAt = 16;
// Reply: byte 1 status, data from 16 (the block, in the configuration report).
inline constexpr std::size_t StatusAt = 1;
inline constexpr std::size_t BlockSize = 1024;

// Information replies, offsets into the reply data.
inline constexpr std::size_t DongleVersionAt = 1;
inline constexpr std::size_t MouseProductIdAt = 2;
inline constexpr std::size_t MouseVersionAt = 7;
inline constexpr std::size_t BatteryAt = 0;

// --- Reply status -----------------------------------------------------------------
inline constexpr std::uint8_t Done = 1;
inline constexpr std::uint8_t NotDone = 2;
inline constexpr std::uint8_t Busy = 3;
// The link check's answers while the dongle cannot reach its mouse: still
// searching for a mouse that went out of range (which reads as busy), a paired
// mouse that does not answer at all, no mouse paired.
inline constexpr std::uint8_t LinkSearching = 3;
inline constexpr std::uint8_t LinkMouseSilent = 8;
inline constexpr std::uint8_t LinkNotPaired = 17;

// --- Status input records (report 3, byte 1 = type) --------------------------------
inline constexpr std::uint8_t RecordCpiLevel = 0x02;
inline constexpr std::uint8_t RecordReportRate = 0x06;
inline constexpr std::uint8_t RecordProductId = 0x0E;
inline constexpr std::uint8_t RecordLink = 0xB1;
inline constexpr std::uint8_t RecordBattery = 0xB4;
inline constexpr std::uint8_t LinkLost = 0xF0;

// --- Commands -------------------------------------------------------------------------
enum class Owner : std::uint8_t { Dongle, Mouse };
enum class Command : std::uint8_t {
    LinkCheck,
    LinkCheckAlt,
    DongleInfo,
    Pair,
    MouseInfo,
    Battery,
    ReadConfig,
    FactoryReset,
    WriteSensor,
    WriteAdvanced,
    WriteButtons,
};

// One request the firmware accepts: a 64-byte report A1 with these bytes 1-3,
// byte 6 the chunk number 1 or 2 when chunked (else 0), `dataBytes` of data
// from byte 16, and zeros everywhere else.
struct CommandShape {
    Command command;
    const char* name;
    Owner owner;
    std::uint8_t code;
    std::uint8_t subCode;
    std::uint8_t lengthByte;
    bool chunked;
    std::size_t dataBytes;
    bool configReply;  // answered on the configuration report
    // The wait the host keeps after sending, on the cable and through the
    // dongle; the firmware takes all of it to answer.
    std::chrono::milliseconds cableWait;
    std::chrono::milliseconds dongleWait;
};

// The first request of this code and sub-code, or null.
const CommandShape* FindCommand(std::uint8_t code, std::uint8_t subCode);
bool KnownCode(std::uint8_t code);

// Scheduling slack below each wait, so that a host that keeps its wait to the
// millisecond is never answered busy.
inline constexpr std::chrono::milliseconds SchedulingMargin{5};
// How long the firmware works on a command before its reply is ready.
std::chrono::milliseconds ProcessingTime(const CommandShape& shape, bool viaDongle);
// After a button chunk's reply is read the mouse stores the chunk; it takes no
// command for this long.
std::chrono::milliseconds ChunkStoreTime();

}  // namespace qx9::emu::fw
