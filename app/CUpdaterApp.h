#pragma once

#include "ToolContext.h"

namespace qx9 {

// The application: one copy per user session, running the main window until
// it closes.
class CUpdaterApp {
  public:
    CUpdaterApp(DeviceContext device, PlatformContext platform);
    // The process exit status: 0, also when another copy already runs.
    int Run();

  private:
    DeviceContext device_;
    PlatformContext platform_;
};

}  // namespace qx9
