#pragma once

namespace qx9 {

// Holds the window's DeviceBusy flag for one user action that talks to the
// device: APPLY, Factory Reset and the level switch never overlap.
class DeviceBusyScope {
  public:
    explicit DeviceBusyScope(bool& busy) : busy_(busy), acquired_(!busy) { busy_ = true; }
    DeviceBusyScope(const DeviceBusyScope&) = delete;
    DeviceBusyScope& operator=(const DeviceBusyScope&) = delete;
    ~DeviceBusyScope() {
        if (acquired_) {
            busy_ = false;
        }
    }

    // False when another action already held the flag: do nothing then.
    bool Acquired() const { return acquired_; }

  private:
    bool& busy_;
    bool acquired_;
};

}  // namespace qx9
