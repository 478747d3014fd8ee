#pragma once

#include <memory>

#include "ToolContext.h"

namespace qx9 {

class CUpdaterDlg;

// The application: one copy per user session, running the main window until
// it closes.
class CUpdaterApp {
  public:
    CUpdaterApp(DeviceContext device, PlatformContext platform);
    ~CUpdaterApp();

    // Shows the initialised main window. False when the tool is not to run:
    // another copy runs, or the dongle's firmware updater is open.
    bool Start();
    // Starts, then waits until the window closes. The exit status: 0, also
    // when another copy already runs.
    int Run();
    // Ends the run as closing the window does; also before the window is up.
    void Quit();
    CUpdaterDlg* Window() const { return window_.get(); }

  private:
    void Stop();

    DeviceContext device_;
    PlatformContext platform_;
    std::unique_ptr<CUpdaterDlg> window_;
    bool acquired_ = false;
    bool quitRequested_ = false;
};

}  // namespace qx9
