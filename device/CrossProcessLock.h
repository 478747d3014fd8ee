#pragma once

namespace qx9 {

// Keeps this process's exchanges with the device apart from those of another
// process (the window and qx9ctl) that talks to the same device. Each platform
// brings its own; without one only this process's threads are kept apart.
class CrossProcessLock {
  public:
    virtual ~CrossProcessLock() = default;
    // Blocks until no other process holds the lock.
    virtual void Acquire() = 0;
    virtual void Release() = 0;
};

}  // namespace qx9
