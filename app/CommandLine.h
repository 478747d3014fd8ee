#pragma once

#include <optional>
#include <string>

namespace qx9 {

// The tool reads no command line, with two exceptions a desktop user expects:
// --help and --version print their text and the tool ends without a window.
// Every other argument is ignored; after "--" nothing is read.
// Returns the text to print, or nothing when the tool is to run.
std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv);

}  // namespace qx9
