#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "PreloadEnvironment.h"

namespace {

[[maybe_unused]] void AppendOption(const char* variable, const std::string& option) {
    const char* earlier = std::getenv(variable);
    const std::string options = earlier && *earlier ? std::string(earlier) + ":" + option : option;
    ::setenv(variable, options.c_str(), 1);
}

}  // namespace

// The simulated device tree reaches a program only through umockdev's preload
// library: without it, the tests start themselves again under it, with what
// they and the tool they start need.
int main(int argc, char** argv) {
    if (!qx9::sim::Preloaded()) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
#if defined(__SANITIZE_THREAD__)
        AppendOption("TSAN_OPTIONS", "suppressions=" QX9_TSAN_SUPPRESSIONS);
#endif
        qx9::sim::RunUnderPreload(argv);
        std::perror("cannot start again under umockdev's preload");
        return 1;
    }
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
