#pragma once

#include <optional>
#include <string>

namespace qx9 {

// The hardware the demo starts with, so that each start-up case can be tried.
enum class DemoStart {
    CableAndDongle,  // the mouse on its cable, the dongle plugged, the mouse on and paired
    Cable,
    Dongle,          // the mouse on and paired, reached through the dongle
    DongleMouseOff,  // the dongle plugged, its mouse switched off
    None,            // nothing plugged in
};

struct DemoArguments {
    DemoStart start = DemoStart::CableAndDongle;
    // Printed instead of running: the help, or why the command line was refused.
    std::optional<std::string> print;
    int exitStatus = 0;  // when printing
};

// The demo's command line: --start=STATE and --help. Every other argument is
// left to Qt, which reads its own (-platform, -style, ...).
DemoArguments ReadDemoArguments(int argc, const char* const* argv);

}  // namespace qx9
