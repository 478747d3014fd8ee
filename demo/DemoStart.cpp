#include "DemoStart.h"

#include <string_view>

namespace qx9 {
namespace {

struct StartName {
    std::string_view name;
    DemoStart start;
    std::string_view meaning;
};

constexpr StartName StartNames[] = {
    {"cable+dongle", DemoStart::CableAndDongle,
     "the mouse on its cable, the dongle plugged in (the default)"},
    {"cable", DemoStart::Cable, "the mouse on its cable, no dongle"},
    {"dongle", DemoStart::Dongle, "only the dongle, the mouse on and paired"},
    {"dongle-mouse-off", DemoStart::DongleMouseOff, "only the dongle, the mouse switched off"},
    {"none", DemoStart::None, "nothing plugged in"},
};

constexpr std::string_view StartOption = "--start=";

std::string Help() {
    std::string help =
        "Usage: qx9-config-demo [--start=STATE] [--help]\n"
        "\n"
        "The QX9 configuration tool on an emulated mouse and dongle, with the\n"
        "\"Virtual QX9\" panel that plugs, unplugs and works them.\n"
        "\n"
        "  --start=STATE  the hardware at start-up:\n";
    for (const StartName& entry : StartNames) {
        help += "      ";
        help += entry.name;
        help += std::string(18 - entry.name.size(), ' ');
        help += entry.meaning;
        help += '\n';
    }
    help += "  --help         print this help and exit\n";
    return help;
}

DemoArguments Refused(std::string why) {
    DemoArguments refused;
    refused.print = "qx9-config-demo: " + why + "\n" + Help();
    refused.exitStatus = 2;
    return refused;
}

}  // namespace

DemoArguments ReadDemoArguments(int argc, const char* const* argv) {
    DemoArguments arguments;
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "--help") {
            arguments.print = Help();
            return arguments;
        }
        if (argument.starts_with(StartOption)) {
            const std::string_view wanted = argument.substr(StartOption.size());
            const StartName* found = nullptr;
            for (const StartName& entry : StartNames) {
                if (entry.name == wanted) {
                    found = &entry;
                }
            }
            if (!found) {
                return Refused("unknown start state \"" + std::string(wanted) + "\"");
            }
            arguments.start = found->start;
        }
    }
    return arguments;
}

}  // namespace qx9
