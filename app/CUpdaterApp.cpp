#include "CUpdaterApp.h"

#include "CUpdaterDlg.h"

namespace qx9 {

CUpdaterApp::CUpdaterApp(DeviceContext device, PlatformContext platform)
    : device_(device), platform_(platform) {}

int CUpdaterApp::Run() {
    // A second copy ends at once, shows nothing and leaves the device alone.
    if (!platform_.instance.TryAcquire()) {
        return 0;
    }
    {
        CUpdaterDlg window(device_, platform_);
        if (window.Initialise()) {
            window.exec();
        }
    }
    platform_.instance.Release();
    return 0;
}

}  // namespace qx9
