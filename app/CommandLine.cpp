#include "CommandLine.h"

#include <string_view>

#include "ApplicationIdentity.h"
#include "UiTexts.h"

namespace qx9 {

std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv) {
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "--") {
            break;
        }
        if (argument == "--help") {
            return std::string(text::CommandLineHelp);
        }
        if (argument == "--version") {
            return std::string(identity::ExecutableName) + " " + identity::Version + "\n";
        }
    }
    return std::nullopt;
}

}  // namespace qx9
