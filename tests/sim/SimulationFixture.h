#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "ToolRunner.h"

namespace qx9::test {

// qx9-config ready to start on the simulated tree, in a runtime directory of
// its own; the device contract is checked when the test ends.
class SimulationFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/qx9-sim-test.XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        directory = pattern;
        // Its own session: the single-instance lock and the device lock file
        // are shared by the programs of this test and no one else.
        ::setenv("XDG_RUNTIME_DIR", directory.c_str(), 1);
        runner = std::make_unique<sim::ToolRunner>(
            sim::ToolRunner::Options{QX9_CONFIG_PATH, directory + "/trace.txt"});
    }
    void TearDown() override {
        if (runner) {
            for (const std::string& violation : runner->Emulator().Violations()) {
                ADD_FAILURE() << "device contract violated: " << violation;
            }
        }
        runner.reset();
        std::filesystem::remove_all(directory);
    }
    std::string TracePath() const { return directory + "/trace.txt"; }

    std::string directory;
    std::unique_ptr<sim::ToolRunner> runner;
};

}  // namespace qx9::test
