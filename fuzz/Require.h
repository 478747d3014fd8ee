#pragma once

#include <cstdio>
#include <cstdlib>

namespace qx9::fuzz {

// A broken property ends the run like a crash, so that libFuzzer keeps the input.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

}  // namespace qx9::fuzz
