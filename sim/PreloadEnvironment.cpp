#include "PreloadEnvironment.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern char** environ;

namespace qx9::sim {
namespace {

constexpr const char* Preload = "libumockdev-preload.so.0";
constexpr const char* PreloadVariable = "LD_PRELOAD=";
constexpr const char* AsanVariable = "ASAN_OPTIONS=";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

std::vector<std::string> PreloadEnvironment() {
    std::vector<std::string> variables;
    std::string preload = std::string(PreloadVariable) + Preload;
    std::string asan = AsanVariable;
    for (char** variable = environ; *variable; ++variable) {
        const std::string entry = *variable;
        if (StartsWith(entry, PreloadVariable)) {
            preload += ":" + entry.substr(std::strlen(PreloadVariable));
        } else if (StartsWith(entry, AsanVariable)) {
            asan = entry + ":";
        } else {
            variables.push_back(entry);
        }
    }
    variables.push_back(preload);
#if defined(__SANITIZE_ADDRESS__)
    // The preload comes before the sanitizer's runtime, which ASan refuses by default.
    asan += "verify_asan_link_order=0";
#endif
    if (asan != AsanVariable) {
        variables.push_back(asan);
    }
    return variables;
}

std::vector<char*> EnvironmentBlock(std::vector<std::string>& variables) {
    std::vector<char*> block;
    for (std::string& variable : variables) {
        block.push_back(variable.data());
    }
    block.push_back(nullptr);
    return block;
}

bool Preloaded() {
    const char* preload = std::getenv("LD_PRELOAD");
    return preload && std::strstr(preload, Preload);
}

void RunUnderPreload(char** argv) {
    if (Preloaded()) {
        return;
    }
    std::vector<std::string> variables = PreloadEnvironment();
    ::execve("/proc/self/exe", argv, EnvironmentBlock(variables).data());
}

}  // namespace qx9::sim
