#pragma once

#include "DeviceContract.h"

namespace qx9::cli {

// The user's way of ending a command that runs until told to stop (Ctrl+C).
class Interruption {
  public:
    virtual ~Interruption() = default;
    // From now on an interruption ends the wait below instead of the process.
    // Called before any thread is started that could otherwise take it.
    virtual void Arm() = 0;
    // True once the user has interrupted; false when the time ran out first.
    virtual bool WaitFor(Milliseconds timeout) = 0;
};

}  // namespace qx9::cli
