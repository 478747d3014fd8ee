// The window follows the mouse's cable and the dongle as they come and go, and
// takes raw input from the dongle's mouse as the sign that it is back.

#include "CUpdaterDlg.h"
#include "DeviceNames.h"
#include "DisplayTexts.h"
#include "HotPlugLink.h"
#include "ScreenText.h"
#include "UiTexts.h"
#include "WaitCursor.h"
#include "WirelessReconnect.h"

namespace qx9 {

void CUpdaterDlg::ClearTexts(std::initializer_list<QLabel*> labels) {
    for (QLabel* label : labels) {
        label->clear();
    }
}

// One notification per interface of a device: the first that changes the
// state makes the others for the same device find nothing to do.
void CUpdaterDlg::OnDeviceArrived(const QString& name) {
    if (!startedUp_) {
        return;  // the start-up's own detection finds whatever is there
    }
    const std::string named = name.toStdString();
    if (NamesCableMouse(named)) {
        if (device_.link.ConnectionMode() != LinkMode::Cable) {
            CableArrived();
        }
    } else if (NamesDongle(named) && !device_.link.DonglePresent()) {
        DongleArrived();
    }
}

void CUpdaterDlg::CableArrived() {
    const WaitCursor wait;
    if (!MoveToArrivedCable(device_.link, device_.listener)) {
        // Nothing is connected now, whatever was before.
        SetDeviceControlsEnabled(false);
        ui_.connectionText->setText(Text(text::NotAvailable));
        return;
    }
    ui_.connectionText->setText(Text(text::Wired));
    ConnectAndLoad(LinkMode::Cable);
}

void CUpdaterDlg::DongleArrived() {
    const WaitCursor wait;
    switch (device_.link.ConnectionMode()) {
        case LinkMode::None:
            if (!MoveToArrivedDongle(device_.link, device_.listener)) {
                ShowDeviceHint(false);  // it may be there but refused
                break;
            }
            pairing_->SetPairButtonEnabled(true);
            ConnectWirelessly();
            break;
        case LinkMode::Cable: {
            const DongleBesideCable seen = ReadArrivedDongle(device_.link, device_.commands);
            if (seen.found) {
                pairing_->SetPairButtonEnabled(true);
            }
            if (seen.version) {
                ui_.dongleVersionText->setText(Text(DecimalCodedVersion(*seen.version).text));
            }
            break;
        }
        case LinkMode::Dongle:
            device_.link.SetDonglePresent(true);
            pairing_->SetPairButtonEnabled(true);
            break;
    }
}

void CUpdaterDlg::OnDeviceRemoved(const QString& name) {
    if (!startedUp_) {
        return;
    }
    const std::string named = name.toStdString();
    if (NamesCableMouse(named)) {
        if (device_.link.ConnectionMode() == LinkMode::Cable) {
            CableRemoved();
        }
    } else if (NamesDongle(named) && device_.link.DonglePresent()) {
        DongleRemoved();
    }
}

void CUpdaterDlg::CableRemoved() {
    const WaitCursor wait;
    ClearTexts({ui_.mouseVersionText, ui_.batteryText});
    if (MoveToDongleAfterCable(device_.link, device_.listener)) {
        pairing_->SetPairButtonEnabled(true);
        ConnectWirelessly();
        return;
    }
    SetDeviceControlsEnabled(false);
    ui_.connectionText->setText(Text(text::NotAvailable));
    ClearTexts({ui_.dongleVersionText, ui_.batteryText, ui_.signalText});
}

void CUpdaterDlg::DongleRemoved() {
    device_.link.SetDonglePresent(false);
    pairing_->SetPairButtonEnabled(false);
    if (device_.link.ConnectionMode() == LinkMode::Cable) {
        mouseRecognition_ = recognition::Recognised;
        ClearTexts({ui_.dongleVersionText, ui_.signalText});
        return;
    }
    // Records the reader took before the dongle went are not acted on.
    device_.listener.StatusDispatchEnabled = false;
    mouseRecognition_ = recognition::Unknown;
    SetDeviceControlsEnabled(false);
    device_.link.SetConnectionMode(LinkMode::None);
    ClearTexts({ui_.dongleVersionText, ui_.mouseVersionText});
    ui_.connectionText->setText(Text(text::NotAvailable));
    ClearTexts({ui_.extraStatusText, ui_.batteryText, ui_.signalText});
}

void CUpdaterDlg::OnRawMouseInput(const QString& deviceName) {
    if (!startedUp_ || device_.link.ConnectionMode() != LinkMode::None || rawReconnectTried_ ||
        !NamesDongleMouseInput(deviceName.toStdString())) {
        return;
    }
    rawReconnectTried_ = true;
    TryWirelessReconnect();
}

void CUpdaterDlg::TryWirelessReconnect() {
    if (device_.link.ConnectionMode() != LinkMode::None) {
        return;
    }
    const WaitCursor wait;
    const ReconnectReport report =
        ReconnectThroughDongle(device_.link, device_.commands, device_.listener, mouseRecognition_);
    mouseRecognition_ = report.recognition;
    if (!report.connected) {
        return;
    }
    pairing_->SetPairButtonEnabled(true);
    ui_.connectionText->setText(Text(text::Wireless));
    ConnectWirelessly();
    if (ui_.pageTabs->currentIndex() == PairingTab) {
        ui_.pageTabs->setCurrentIndex(BasicTab);
    }
    ui_.applyButton->setEnabled(false);
}

std::uint8_t CUpdaterDlg::ConnectWirelessly() {
    const std::uint8_t loaded = ConnectAndLoad(LinkMode::Dongle);
    if (loaded != result::Done) {
        ui_.connectionText->setText(Text(text::NotAvailable));
    }
    return loaded;
}

}  // namespace qx9
