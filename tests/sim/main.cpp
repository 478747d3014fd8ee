#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "PreloadEnvironment.h"

// The simulated device tree reaches a program only through umockdev's preload
// library: without it, this program starts itself again under it.
int main(int argc, char** argv) {
    if (!qx9::sim::Preloaded()) {
        std::vector<std::string> variables = qx9::sim::PreloadEnvironment();
        std::vector<char*> environment;
        for (std::string& variable : variables) {
            environment.push_back(variable.data());
        }
        environment.push_back(nullptr);
        ::execve("/proc/self/exe", argv, environment.data());
        std::perror("cannot start again under umockdev's preload");
        return 1;
    }
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
