#include "WireTables.h"

#include <algorithm>
#include <iterator>

namespace qx9::emu::fw {
namespace {

using namespace std::chrono_literals;

// clang-format off
constexpr CommandShape Commands[] = {
    // command                  name              owner         code  sub   len   chunk  data  config  cable   dongle
    {Command::LinkCheck,     "link check",      Owner::Dongle, 0x0F, 0x01, 0x00, false, 0,  false, 0ms,    300ms},
    {Command::LinkCheckAlt,  "alt link check",  Owner::Dongle, 0x0F, 0x0F, 0x00, false, 0,  false, 0ms,    300ms},
    {Command::DongleInfo,    "dongle info",     Owner::Dongle, 0x0D, 0x00, 0x00, false, 0,  false, 0ms,    150ms},
    {Command::Pair,          "pair",            Owner::Dongle, 0x70, 0x00, 0x00, false, 0,  false, 0ms,    300ms},
    // Through the dongle the mouse's information is asked with 300 ms on
    // reconnection, 350 ms at connection: it answers within the shorter.
    {Command::MouseInfo,     "mouse info",      Owner::Mouse,  0x0E, 0x00, 0x00, false, 0,  false, 150ms,  300ms},
    {Command::Battery,       "battery",         Owner::Mouse,  0xB4, 0x00, 0x00, false, 0,  false, 300ms,  350ms},
    {Command::ReadConfig,    "read config",     Owner::Mouse,  0x12, 0x00, 0x00, false, 0,  true,  110ms,  400ms},
    {Command::FactoryReset,  "factory reset",   Owner::Mouse,  0x13, 0x00, 0x00, false, 0,  false, 800ms,  1080ms},
    {Command::WriteSensor,   "sensor write",    Owner::Mouse,  0x14, 0x0F, 0x1C, false, 28, false, 500ms,  880ms},
    // The length byte says 10 although eleven data bytes follow.
    {Command::WriteAdvanced, "advanced write",  Owner::Mouse,  0x15, 0x0F, 0x0A, false, 11, false, 500ms,  880ms},
    {Command::WriteButtons,  "button write",    Owner::Mouse,  0x16, 0x0F, 0x1C, true,  28, false, 500ms,  880ms},
};
// clang-format on

constexpr auto ChunkStorePause = 100ms;

}  // namespace

const CommandShape* FindCommand(std::uint8_t code, std::uint8_t subCode) {
    const auto found = std::find_if(
        std::begin(Commands), std::end(Commands),
        [&](const CommandShape& shape) { return shape.code == code && shape.subCode == subCode; });
    return found == std::end(Commands) ? nullptr : found;
}

bool KnownCode(std::uint8_t code) {
    return std::any_of(std::begin(Commands), std::end(Commands),
                       [&](const CommandShape& shape) { return shape.code == code; });
}

std::chrono::milliseconds ProcessingTime(const CommandShape& shape, bool viaDongle) {
    const auto wait = viaDongle ? shape.dongleWait : shape.cableWait;
    return std::max(wait - SchedulingMargin, std::chrono::milliseconds{0});
}

std::chrono::milliseconds ChunkStoreTime() {
    return ChunkStorePause - SchedulingMargin;
}

}  // namespace qx9::emu::fw
