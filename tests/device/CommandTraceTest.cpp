#include <gtest/gtest.h>

#include <functional>

#include "support/CaseName.h"
#include "support/EmulatorFixture.h"
#include "support/GoldenTrace.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::GoldenTrace;

// The settings writes and the factory reset as the wire must see them, with the
// callers' waits of each connection: every byte and every wait written out.
struct TraceCase {
    const char* name;
    Endpoint endpoint;
    std::function<std::uint8_t(CommandSet&, const DeviceConfig&)> run;
    std::vector<std::string> trace;
    Milliseconds ends;  // the command returns only then
};

class CommandTraceTest : public test::EmulatorFixture,
                         public ::testing::WithParamInterface<TraceCase> {};

TEST_P(CommandTraceTest, MatchesTheGoldenTrace) {
    Connect(GetParam().endpoint);
    EXPECT_EQ(GetParam().run(commands, store.EditConfig()), result::Done);
    EXPECT_EQ(GoldenTrace::Of(emulator.Trace()), GetParam().trace);
    EXPECT_EQ(Elapsed(), GetParam().ends);
}

std::uint8_t Sensor(CommandSet& c, const DeviceConfig& d, const ModeWaits& waits) {
    return c.WriteSensorSettings(d, waits.settingsWrite);
}
std::uint8_t Advanced(CommandSet& c, const DeviceConfig& d, const ModeWaits& waits) {
    return c.WriteAdvancedSettings(d, waits.settingsWrite);
}
std::uint8_t Buttons(CommandSet& c, const DeviceConfig& d, const ModeWaits& waits) {
    return c.WriteButtonMapping(d, waits.settingsWrite);
}
std::uint8_t Reset(CommandSet& c, const DeviceConfig&, const ModeWaits& waits) {
    return c.FactoryReset(waits.factoryReset);
}
template <auto Command>
std::uint8_t OnCable(CommandSet& c, const DeviceConfig& d) {
    return Command(c, d, CableWaits);
}
template <auto Command>
std::uint8_t ThroughDongle(CommandSet& c, const DeviceConfig& d) {
    return Command(c, d, DongleWaits);
}

// clang-format off
// The requests for the default record.
const std::string SensorDefaults = "A1 14 0F 1C | 00 01 03 00 00 00 04 01 00 90 01 90 01 "
                                   "00 20 03 20 03 00 40 06 40 06 00 80 0C 80 0C";
const std::string AdvancedDefaults = "A1 15 0F 0A | 00 02 01 01 08 08 08 08 08 03 00";
const std::string ButtonsChunk1 = "A1 16 0F 1C 00 00 01 | 00 01 00 00 00 00 08 "
                                  "00 02 00 00 00 00 08 00 04 00 00 00 00 08 00 08 00 00 00 00 08";
const std::string ButtonsChunk2 = "A1 16 0F 1C 00 00 02 | 00 10 00 00 00 00 08 "
                                  "09 F1 00 00 00 00 08 01 01 00 00 00 00 08 01 FF 00 00 00 00 08";

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandTraceTest,
    ::testing::Values(
        TraceCase{"SensorOnCable", Endpoint::Cable, OnCable<Sensor>,
                  GoldenTrace::Written({"0 OUT cable " + SensorDefaults,
                                        "500 IN cable A1 01"}),
                  500ms},
        TraceCase{"SensorThroughDongle", Endpoint::Dongle, ThroughDongle<Sensor>,
                  GoldenTrace::Written({"0 OUT dongle " + SensorDefaults,
                                        "880 IN dongle A1 01"}),
                  880ms},
        TraceCase{"AdvancedOnCable", Endpoint::Cable, OnCable<Advanced>,
                  GoldenTrace::Written({"0 OUT cable " + AdvancedDefaults,
                                        "500 IN cable A1 01"}),
                  500ms},
        TraceCase{"AdvancedThroughDongle", Endpoint::Dongle, ThroughDongle<Advanced>,
                  GoldenTrace::Written({"0 OUT dongle " + AdvancedDefaults,
                                        "880 IN dongle A1 01"}),
                  880ms},
        TraceCase{"ButtonsOnCable", Endpoint::Cable, OnCable<Buttons>,
                  GoldenTrace::Written({"0 OUT cable " + ButtonsChunk1,
                                        "500 IN cable A1 01",
                                        "600 OUT cable " + ButtonsChunk2,
                                        "1100 IN cable A1 01"}),
                  1200ms},
        TraceCase{"ButtonsThroughDongle", Endpoint::Dongle, ThroughDongle<Buttons>,
                  GoldenTrace::Written({"0 OUT dongle " + ButtonsChunk1,
                                        "880 IN dongle A1 01",
                                        "980 OUT dongle " + ButtonsChunk2,
                                        "1860 IN dongle A1 01"}),
                  1960ms},
        TraceCase{"FactoryResetOnCable", Endpoint::Cable, OnCable<Reset>,
                  GoldenTrace::Written({"0 OUT cable A1 13",
                                        "800 IN cable A1 01"}),
                  800ms},
        TraceCase{"FactoryResetThroughDongle", Endpoint::Dongle, ThroughDongle<Reset>,
                  GoldenTrace::Written({"0 OUT dongle A1 13",
                                        "1080 IN dongle A1 01"}),
                  1080ms}),
    test::CaseName{});
// clang-format on

}  // namespace
}  // namespace qx9
