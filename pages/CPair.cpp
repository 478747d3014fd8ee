#include "CPair.h"

#include "UiTexts.h"
#include "WaitCursor.h"

namespace qx9 {

CPair::CPair(DeviceLink& link, CommandSet& commands, Notifier& notifier, QWidget* parent)
    : SettingsPage(parent), link_(link), commands_(commands), notifier_(notifier) {
    ui_.setupUi(this);
    connect(ui_.pairDongleButton, &QPushButton::clicked, this, &CPair::PairRequest);
}

void CPair::PairRequest() {
    if (busy_) {
        return;
    }
    busy_ = true;
    {
        WaitCursor wait;
        const bool found = link_.DiscoverDevice(DongleId.vendorId, DongleId.productId);
        if (found && link_.ConnectionMode() == LinkMode::Cable) {
            // APPLY and Factory Reset point the link back at the mouse first.
            link_.SetLinkRetargeted(true);
        }
        if (found && commands_.DonglePreamble() == result::Done) {
            commands_.PairDongle();
        }
    }
    busy_ = false;
    // Shown whatever happened: the user's part comes next either way.
    notifier_.Inform(QString::fromUtf8(text::PairingInstruction));
}

void CPair::SetPairButtonEnabled(bool enabled) {
    ui_.pairDongleButton->setEnabled(enabled);
}

void CPair::FocusPairButton() {
    ui_.pairDongleButton->setFocus(Qt::OtherFocusReason);
}

}  // namespace qx9
