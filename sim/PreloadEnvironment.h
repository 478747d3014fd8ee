#pragma once

#include <string>
#include <vector>

namespace qx9::sim {

// This process's environment with umockdev's preload library put first, for a
// program that is to see the simulated device tree ("NAME=value" each).
std::vector<std::string> PreloadEnvironment();

// The variables as exec takes them: pointers into them, ending with null.
std::vector<char*> EnvironmentBlock(std::vector<std::string>& variables);

// Whether this process runs under the preload.
bool Preloaded();

// Unless it already runs under the preload, replaces this process by the same
// program under it; returns only when that failed. The tree's own process needs
// it too: umockdev reads the tree through it to send uevents.
void RunUnderPreload(char** argv);

}  // namespace qx9::sim
