#pragma once

#include "CommandSet.h"
#include "DeviceLink.h"
#include "Notifier.h"
#include "SettingsPage.h"
#include "ui_CPair.h"

namespace qx9 {

// The Pairing page: puts the dongle into pairing mode and tells the user how
// to pair the mouse.
class CPair : public SettingsPage {
    Q_OBJECT
  public:
    CPair(DeviceLink& link, CommandSet& commands, Notifier& notifier, QWidget* parent = nullptr);

    void PairRequest();
    // The main window decides when pairing is possible; the page never does.
    void SetPairButtonEnabled(bool enabled);
    // A disabled button cannot hold the focus; the page then holds it, so
    // that Enter and Space still reach the page.
    void FocusPairButton();

    // Enter and Space pair whether or not the button is enabled; Esc does
    // nothing.
    bool PreviewKey(const QKeyEvent& event) override;

  private:
    Ui::CPair ui_;
    DeviceLink& link_;
    CommandSet& commands_;
    Notifier& notifier_;
    bool busy_ = false;
};

}  // namespace qx9
