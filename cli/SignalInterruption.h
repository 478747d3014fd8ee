#pragma once

#include <csignal>

#include "Interruption.h"

namespace qx9::cli {

// Ctrl+C (SIGINT) and SIGTERM, taken synchronously: once armed, both are
// blocked for the process and waited for, so no handler and no global state
// are needed.
class SignalInterruption final : public Interruption {
  public:
    SignalInterruption();
    void Arm() override;
    bool WaitFor(Milliseconds timeout) override;

  private:
    sigset_t signals_{};
};

}  // namespace qx9::cli
