#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DeviceConfig.h"
#include "DeviceLink.h"
#include "Json.h"
#include "Problem.h"
#include "Settings.h"

// A profile: every setting of the mouse by name, in a JSON file a person can
// read, diff and copy to another machine.
namespace qx9::cli {

inline constexpr std::string_view ProfileFormat = "qx9-profile";
// Raised when a later format could be misread by this one.
inline constexpr int ProfileVersion = 1;

Json ExportProfile(const DeviceConfig& config);
// The profile as written to a file: indented, one setting a line, a final newline.
std::string ProfileText(const DeviceConfig& config);

struct ProfileRead {
    std::vector<Assignment> assignments;  // each placed at its JSON pointer
    std::vector<Problem> problems;
};

// The form of a profile: valid JSON, its format and version, and only known
// settings. A profile may leave settings out; they keep their values.
ProfileRead ReadProfile(std::string_view text);

// The form, then every value by the pages' rules: against the mouse's record
// and connection when they are known, else against what holds for any mouse.
// With no problem, `config` is the record to write.
EditOutcome ImportProfile(std::string_view text, const DeviceConfig& current,
                          std::optional<LinkMode> connection);

}  // namespace qx9::cli
