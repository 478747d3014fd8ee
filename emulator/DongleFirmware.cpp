#include "DongleFirmware.h"

#include <array>

namespace qx9::emu {
namespace {

using namespace std::chrono_literals;

constexpr auto LinkCheckTime = 200ms;
constexpr auto InfoTime = 100ms;
constexpr auto PairTime = 200ms;

Outcome Done(std::chrono::milliseconds time, std::span<const std::uint8_t> data = {}) {
    return {MakeReply(CommandReportId, CommandReportSize, status::Done, data), time, {}};
}

}  // namespace

bool DongleFirmware::Handles(std::uint8_t code) {
    return code == command::LinkCheck || code == command::ReadDongleInfo ||
           code == command::PairDongle;
}

Outcome DongleFirmware::Execute(std::span<const std::uint8_t> request) {
    const std::uint8_t code = request[1];
    if (code == command::LinkCheck) {
        const std::uint8_t sub = request[SubCodeOffset];
        if (sub != command::LinkCheckSubCode && sub != command::LinkCheckAltSubCode) {
            return {{}, {}, "unknown link check sub-code " + std::to_string(sub)};
        }
        if (auto why = CheckRequest(request, sub, 0, 0, 0); !why.empty()) {
            return {{}, {}, why};
        }
        return Done(LinkCheckTime);
    }
    if (auto why = CheckRequest(request, 0, 0, 0, 0); !why.empty()) {
        return {{}, {}, why};
    }
    if (code == command::ReadDongleInfo) {
        std::array<std::uint8_t, DeviceInfoSize> info{};
        info[1] = static_cast<std::uint8_t>(state.firmwareVersion & 0xFF);
        info[2] = static_cast<std::uint8_t>(state.firmwareVersion >> 8);
        return Done(InfoTime, info);
    }
    if (code == command::PairDongle) {
        state.pairingRequested = true;
        return Done(PairTime);
    }
    return {{}, {}, "the dongle does not know command " + std::to_string(code)};
}

}  // namespace qx9::emu
