// The window's user actions that talk to the device. Each runs its device
// sequence under the wait cursor and shows what came of it.

#include "CUpdaterDlg.h"
#include "DeviceBusy.h"
#include "LevelSwitch.h"
#include "WaitCursor.h"

namespace qx9 {

void CUpdaterDlg::SwitchActiveLevel() {
    const DeviceBusyScope busy(deviceBusy_);
    if (!busy.Acquired()) {
        return;
    }
    const WaitCursor wait;
    // Nothing on screen changes either way; a level the mouse did not take
    // stays pending for the next APPLY.
    qx9::SwitchActiveLevel(device_.link, device_.commands, device_.store);
}

}  // namespace qx9
