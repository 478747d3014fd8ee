#include "CPair.h"

#include "PairRequest.h"
#include "UiTexts.h"
#include "WaitCursor.h"

namespace qx9 {

CPair::CPair(DeviceLink& link, CommandSet& commands, Notifier& notifier, QWidget* parent)
    : SettingsPage(parent), link_(link), commands_(commands), notifier_(notifier) {
    ui_.setupUi(this);
    setFocusPolicy(Qt::ClickFocus);
    connect(ui_.pairDongleButton, &QPushButton::clicked, this, &CPair::PairRequest);
    // Once the page is in place its one button takes the keyboard; a page
    // still hidden behind another tab takes no keys away from it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isVisible()) {
                FocusPairButton();
            }
        },
        Qt::QueuedConnection);
}

void CPair::PairRequest() {
    if (busy_) {
        return;
    }
    busy_ = true;
    {
        const WaitCursor wait;
        qx9::PairRequest(link_, commands_);
    }
    busy_ = false;
    // Shown whatever happened: the user's part comes next either way.
    notifier_.Inform(QString::fromUtf8(text::PairingInstruction));
}

void CPair::SetPairButtonEnabled(bool enabled) {
    ui_.pairDongleButton->setEnabled(enabled);
}

void CPair::FocusPairButton() {
    QWidget* const target =
        ui_.pairDongleButton->isEnabled() ? static_cast<QWidget*>(ui_.pairDongleButton) : this;
    target->setFocus(Qt::OtherFocusReason);
}

bool CPair::PreviewKey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            PairRequest();
            return true;
        case Qt::Key_Escape:
            return true;
        default:
            return SettingsPage::PreviewKey(event);
    }
}

}  // namespace qx9
