#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdio>

#include "PreloadEnvironment.h"

// The simulated device tree reaches a program only through umockdev's preload
// library: without it, the tests start themselves again under it.
int main(int argc, char** argv) {
    qx9::sim::RunUnderPreload(argv);
    if (!qx9::sim::Preloaded()) {
        std::perror("cannot start again under umockdev's preload");
        return 1;
    }
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
