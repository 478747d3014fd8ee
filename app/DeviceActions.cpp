// The window's user actions that talk to the device. Each runs its device
// sequence under the wait cursor and shows what came of it.

#include "ApplySettings.h"
#include "CUpdaterDlg.h"
#include "DeviceBusy.h"
#include "LevelSwitch.h"
#include "PowerSettingsRules.h"
#include "RestoreFactorySettings.h"
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

void CUpdaterDlg::ApplySettings() {
    const DeviceBusyScope busy(deviceBusy_);
    if (!busy.Acquired()) {
        return;
    }
    advanced_->CollectIntoConfig();
    basic_->CollectIntoConfig();
    // The page checks its fields itself; APPLY goes on whatever it found.
    const power::PowerTimeouts timeouts = power_->ReadTimeoutsForApply();
    DeviceConfig& edit = device_.store.EditConfig();
    edit.PowerSaving = power::ComposeTimeout(timeouts.powerSavingMinutes, timeouts.powerSavingOn);
    edit.DeepSleep = power::ComposeTimeout(timeouts.deepSleepMinutes, timeouts.deepSleepOn);
    if (power::BothOnWithEqualMinutes(timeouts)) {
        // This APPLY still sends both on; the page shows power saving off,
        // which the next APPLY sends.
        power_->SettleEqualMinutes();
    }

    const WaitCursor wait;
    const ApplyResult applied = qx9::ApplySettings(device_.link, device_.commands, device_.store);
    if (!applied.reached) {
        return;  // nothing was sent; the button stays as it was
    }
    if (applied.acknowledgementStored) {
        advanced_->HideAcknowledgementBox();
    }
    // A failed or empty APPLY may be tried again; a confirmed one left nothing to send.
    ui_.applyButton->setEnabled(!applied.confirmed);
}

void CUpdaterDlg::RestoreFactorySettings() {
    const DeviceBusyScope busy(deviceBusy_);
    if (!busy.Acquired()) {
        return;
    }
    const WaitCursor wait;
    if (!qx9::RestoreFactorySettings(device_.link, device_.commands, device_.store).confirmed) {
        return;  // nothing on screen changes
    }
    advanced_->LoadFromConfig();
    basic_->LoadFromConfig();
    buttons_->LoadFromConfig();
    power_->LoadFromConfig();
    ui_.applyButton->setEnabled(false);
}

}  // namespace qx9
