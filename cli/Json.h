#pragma once

#include <nlohmann/json.hpp>

namespace qx9::cli {

// Objects keep their keys in the order written, so that a profile reads and
// diffs in the order of the settings table.
using Json = nlohmann::ordered_json;

}  // namespace qx9::cli
