#pragma once

#include <functional>
#include <vector>

#include "CommandSet.h"
#include "Qx9Emulator.h"

namespace qx9::test {

// Every command, run once where it belongs, with the waits it keeps in all.
struct WaitCase {
    const char* name;
    emu::Endpoint endpoint;
    std::function<std::uint8_t(CommandSet&, ConfigStore&)> run;
    Milliseconds waited;
};

inline const std::vector<WaitCase> CommandWaitCases = [] {
    using emu::Endpoint;
    static DeviceInfo anyInfo;
    static std::uint8_t anyLevel;
    return std::vector<WaitCase>{
        {"LinkCheck", Endpoint::Dongle, [](CommandSet& c, auto&) { return c.LinkCheck(); }, 300ms},
        {"LinkCheckAlt", Endpoint::Dongle, [](CommandSet& c, auto&) { return c.LinkCheckAlt(); },
         300ms},
        {"ReadDongleInfo", Endpoint::Dongle,
         [](CommandSet& c, auto&) { return c.ReadDongleInfo(anyInfo); }, 150ms},
        {"ReadMouseInfoCable", Endpoint::Cable,
         [](CommandSet& c, auto&) { return c.ReadMouseInfo(anyInfo, 150ms); }, 150ms},
        {"ReadMouseInfoDongle", Endpoint::Dongle,
         [](CommandSet& c, auto&) { return c.ReadMouseInfo(anyInfo, 300ms); }, 300ms},
        {"ReadBatteryCable", Endpoint::Cable,
         [](CommandSet& c, auto&) { return c.ReadBattery(anyLevel, 300ms); }, 300ms},
        {"ReadConfigCable", Endpoint::Cable,
         [](CommandSet& c, auto&) { return c.ReadConfig(110ms); }, 110ms},
        {"ReadConfigDongle", Endpoint::Dongle,
         [](CommandSet& c, auto&) { return c.ReadConfig(400ms); }, 400ms},
        {"WriteSensorDongle", Endpoint::Dongle,
         [](CommandSet& c, ConfigStore& s) { return c.WriteSensorSettings(s.EditConfig(), 880ms); },
         880ms},
        {"WriteAdvancedCable", Endpoint::Cable,
         [](CommandSet& c, ConfigStore& s) {
             return c.WriteAdvancedSettings(s.EditConfig(), 500ms);
         },
         500ms},
        {"WriteButtonsTwoChunksWithPauses", Endpoint::Cable,
         [](CommandSet& c, ConfigStore& s) { return c.WriteButtonMapping(s.EditConfig(), 500ms); },
         1200ms},
        {"FactoryResetCable", Endpoint::Cable,
         [](CommandSet& c, auto&) { return c.FactoryReset(800ms); }, 800ms},
        {"PairDongle", Endpoint::Dongle, [](CommandSet& c, auto&) { return c.PairDongle(); },
         300ms},
    };
}();

}  // namespace qx9::test
