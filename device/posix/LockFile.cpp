#include "LockFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace qx9 {
namespace {

// Only a directory that is ours and closed to everyone else may hold the lock:
// another user could otherwise hold it for us, or swap the file under us.
bool PrivateDirectory(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == getuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

LockFile::LockFile(const std::string& path) {
    if (path.empty()) {
        return;
    }
    descriptor_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

LockFile::~LockFile() {
    if (descriptor_ >= 0) {
        close(descriptor_);
    }
}

void LockFile::Acquire() {
    if (descriptor_ < 0) {
        return;
    }
    while (flock(descriptor_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

void LockFile::Release() {
    if (descriptor_ >= 0) {
        flock(descriptor_, LOCK_UN);
    }
}

std::string UserRuntimeDirectory() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
        if (PrivateDirectory(runtime)) {
            return runtime;
        }
    }
    const std::string fallback = "/tmp/qx9-runtime-" + std::to_string(getuid());
    mkdir(fallback.c_str(), 0700);  // may exist already; checked below either way
    return PrivateDirectory(fallback) ? fallback : std::string();
}

std::string DeviceLockPath() {
    const std::string directory = UserRuntimeDirectory();
    return directory.empty() ? directory : directory + "/" + DeviceLockFileName;
}

}  // namespace qx9
