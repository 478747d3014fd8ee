#include "DongleFirmware.h"

#include <array>

namespace qx9::emu {
namespace {

constexpr bool ViaDongle = true;

std::uint8_t LinkCheckStatus(RadioLink link) {
    switch (link) {
        case RadioLink::Up:
            return fw::Done;
        case RadioLink::NotPaired:
            return fw::LinkNotPaired;
        case RadioLink::MouseSilent:
            return fw::LinkMouseSilent;
        case RadioLink::OutOfRange:
            return fw::LinkSearching;
    }
    return fw::NotDone;
}

}  // namespace

Outcome DongleFirmware::Execute(const fw::CommandShape& shape,
                                std::span<const std::uint8_t> request, RadioLink link,
                                MouseFirmware& mouse) {
    switch (shape.command) {
        case fw::Command::LinkCheck:
            return Answer(shape, ViaDongle, LinkCheckStatus(link));
        case fw::Command::LinkCheckAlt:
            // The alternative check asks after the receiver itself, which
            // answers whatever became of its mouse.
            return Answer(shape, ViaDongle, fw::Done);
        case fw::Command::DongleInfo: {
            std::array<std::uint8_t, 14> info{};
            info[fw::DongleVersionAt] = static_cast<std::uint8_t>(state.firmwareVersion & 0xFF);
            info[fw::DongleVersionAt + 1] = static_cast<std::uint8_t>(state.firmwareVersion >> 8);
            return Answer(shape, ViaDongle, fw::Done, info);
        }
        case fw::Command::Pair:
            state.pairingRequested = true;
            return Answer(shape, ViaDongle, fw::Done);
        default:
            break;
    }
    if (link != RadioLink::Up) {
        // Gives up on the mouse within the command's time, on its own report.
        return Answer(shape, ViaDongle, fw::NotDone);
    }
    return mouse.Execute(shape, request, ViaDongle);
}

}  // namespace qx9::emu
