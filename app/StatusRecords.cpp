// What the window does with the records the mouse sends on its own. They
// arrive on the user-interface thread, queued by the listener.

#include "CUpdaterDlg.h"
#include "DisplayTexts.h"
#include "ScreenText.h"
#include "UiTexts.h"

namespace qx9 {

void CUpdaterDlg::HandleStatusRecord(const StatusRecord& received) {
    // Dispatch may have been switched off while the record was on its way.
    if (!device_.listener.StatusDispatchEnabled) {
        return;
    }
    switch (received.Type()) {
        case record::CpiLevel:
            basic_->SetActiveLevel(received.Value());
            break;
        case record::ReportRate:
            if (mouseRecognition_ == recognition::Recognised) {
                // Byte 2 is 1 while the sensor's frame rate is forced to its maximum.
                advanced_->ShowReportedRate(received.Value(), received.bytes[2] == 1);
            }
            break;
        case record::ProductId:
            if (received.Word() != WiredProductId) {
                SetDeviceControlsEnabled(false);
            }
            break;
        case record::LinkState:
            LinkStateReported(received.Value());
            break;
        case record::Battery:
            BatteryReported(received.Value());
            break;
        default:
            break;
    }
}

void CUpdaterDlg::LinkStateReported(std::uint8_t state) {
    if (device_.link.ConnectionMode() != LinkMode::Dongle ||
        (state != record::LinkStateOff && state != record::LinkStateOn)) {
        return;
    }
    // The wireless link is lost. The dongle, the link to it and what is known
    // of the mouse stay, for the reconnection to use.
    rawReconnectTried_ = false;
    SetDeviceControlsEnabled(false);
    device_.link.SetConnectionMode(LinkMode::None);
    ui_.mouseVersionText->clear();
    ui_.connectionText->setText(Text(text::NotAvailable));
    ClearTexts({ui_.extraStatusText, ui_.batteryText, ui_.signalText});
}

void CUpdaterDlg::BatteryReported(std::uint8_t level) {
    if (mouseRecognition_ != recognition::Recognised) {
        return;
    }
    switch (device_.link.ConnectionMode()) {
        case LinkMode::Dongle:
            ui_.batteryText->setText(Text(BatteryPercentText(level)));
            break;
        case LinkMode::Cable:
            ui_.batteryText->setText(Text(CableBatteryText(level)));
            break;
        case LinkMode::None:
            // A mouse that reports while not connected is back.
            TryWirelessReconnect();
            break;
    }
}

}  // namespace qx9
