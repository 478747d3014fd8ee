#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CommandSet.h"
#include "LockFile.h"
#include "Qx9Emulator.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

namespace fs = std::filesystem;

constexpr int ExchangesEach = 6;

// One process's part: its own mouse on its cable, reached by a link that shares
// the lock file with the other process. Every request and every reply on its
// wire is appended to the shared log as "<who> S" or "<who> R".
bool Talk(char who, const std::string& lockPath, int log) {
    SteadyClock clock;
    emu::Qx9Emulator emulator{clock};
    emulator.PlugCable(true);
    emulator.SetTraceObserver([who, log](const emu::TraceEntry& entry) {
        const char line[] = {who, ' ', entry.direction == emu::Direction::Send ? 'S' : 'R', '\n'};
        if (write(log, line, sizeof line) != sizeof line) {
            std::abort();  // a lost line would hide what the test looks for
        }
    });
    LockFile lock(lockPath);
    DeviceLink link{emulator, clock, &lock};
    ConfigStore store;
    CommandSet commands{link, store};
    if (!lock.Usable() || link.DetectConnection() != LinkMode::Cable) {
        return false;
    }
    for (int exchange = 0; exchange < ExchangesEach; ++exchange) {
        DeviceInfo info;
        if (commands.ReadMouseInfo(info, CableWaits.mouseInfo) != result::Done) {
            return false;
        }
    }
    return true;
}

class CrossProcessLockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // CTest runs the cases side by side: each has a directory of its own.
        directory = fs::path(::testing::TempDir()) / ("qx9-lock-" + std::to_string(getpid()));
        fs::remove_all(directory);
        fs::create_directories(directory);
    }
    void TearDown() override { fs::remove_all(directory); }

    fs::path directory;
};

// The window and qx9ctl each hold the lock for a whole exchange, its wait
// included: the other's request never falls between a request and its reply.
TEST_F(CrossProcessLockTest, KeepsTwoProcessesExchangesApart) {
    const std::string lockPath = (directory / "device.lock").string();
    const std::string logPath = (directory / "wire.log").string();
    const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    ASSERT_GE(log, 0);
    int start[2];
    ASSERT_EQ(pipe(start), 0);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        char go = 0;
        close(start[1]);
        const bool started = read(start[0], &go, 1) == 1;
        _exit(started && Talk('C', lockPath, log) ? 0 : 1);
    }
    close(start[0]);
    ASSERT_EQ(write(start[1], "g", 1), 1);  // both begin at once
    close(start[1]);
    const bool parentTalked = Talk('P', lockPath, log);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(log);
    ASSERT_TRUE(parentTalked);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    std::ifstream lines(logPath);
    std::vector<std::string> wire;
    for (std::string line; std::getline(lines, line);) {
        wire.push_back(line);
    }
    ASSERT_GE(wire.size(), 4u * ExchangesEach);
    char requester = 0;
    for (std::size_t at = 0; at < wire.size(); ++at) {
        if (wire[at][2] == 'S') {
            requester = wire[at][0];
        } else {
            EXPECT_EQ(wire[at][0], requester)
                << "line " << at
                << ": a reply read between another process's request and its reply";
        }
    }
}

// --- where the lock lives ---------------------------------------------------------------

struct RuntimeCase {
    const char* name;
    mode_t mode;   // of the directory XDG_RUNTIME_DIR names
    bool takesIt;  // the lock goes there, else below /tmp
};

class RuntimeDirectoryTest : public CrossProcessLockTest,
                             public ::testing::WithParamInterface<RuntimeCase> {};

// Only a directory of this user's that no one else may write holds the lock:
// another user could hold it for us, or swap the file under us.
TEST_P(RuntimeDirectoryTest, TakesOnlyAPrivateDirectory) {
    const fs::path runtime = directory / "runtime";
    fs::create_directories(runtime);
    ASSERT_EQ(chmod(runtime.c_str(), GetParam().mode), 0);
    const char* before = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = before ? before : "";
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

    const std::string path = DeviceLockPath();

    before ? setenv("XDG_RUNTIME_DIR", saved.c_str(), 1) : unsetenv("XDG_RUNTIME_DIR");
    if (GetParam().takesIt) {
        EXPECT_EQ(path, (runtime / DeviceLockFileName).string());
    } else {
        EXPECT_EQ(path, "/tmp/qx9-runtime-" + std::to_string(getuid()) + "/" + DeviceLockFileName);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RuntimeDirectoryTest,
                         ::testing::Values(RuntimeCase{"Private", 0700, true},
                                           RuntimeCase{"GroupWritable", 0770, false},
                                           RuntimeCase{"WorldWritable", 0777, false}),
                         test::CaseName{});

TEST(LockFileTest, WithoutAFileTheLockDoesNotHoldUpTheDevice) {
    LockFile none("");
    EXPECT_FALSE(none.Usable());
    none.Acquire();  // returns at once
    none.Release();
}

}  // namespace
}  // namespace qx9
