#pragma once

#include <string>
#include <vector>

namespace qx9::sim {

// This process's environment with umockdev's preload library put first, for a
// program that is to see the simulated device tree ("NAME=value" each).
std::vector<std::string> PreloadEnvironment();

// Whether this process runs under the preload.
bool Preloaded();

}  // namespace qx9::sim
