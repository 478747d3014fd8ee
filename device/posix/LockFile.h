#pragma once

#include <string>

#include "CrossProcessLock.h"

namespace qx9 {

// A cross-process lock on a file (flock on a descriptor of its own). The
// system drops the lock of a process that ends, so a crash leaves no stale
// lock behind. When the file cannot be opened the lock is inert: the device is
// still reached, only without the other processes kept out.
class LockFile final : public CrossProcessLock {
  public:
    explicit LockFile(const std::string& path);
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;
    ~LockFile() override;

    bool Usable() const { return descriptor_ >= 0; }
    void Acquire() override;
    void Release() override;

  private:
    int descriptor_ = -1;
};

// The user's runtime directory: $XDG_RUNTIME_DIR, or else a directory of this
// user's own below /tmp. Empty when neither can be had safely.
std::string UserRuntimeDirectory();

// The mouse is reached by cable and through the dongle alike, so the whole
// QX9 family shares one lock: exchanges on either path never interleave.
inline constexpr char DeviceLockFileName[] = "qx9-device.lock";

// The device lock in the user's runtime directory; empty when there is none.
std::string DeviceLockPath();

}  // namespace qx9
