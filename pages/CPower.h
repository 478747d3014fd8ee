#pragma once

#include "PowerSettingsRules.h"
#include "SettingsPage.h"
#include "ui_CPower.h"

namespace qx9 {

// The Power Settings page: power-saving and deep-sleep timeouts.
class CPower : public SettingsPage {
    Q_OBJECT
  public:
    explicit CPower(QWidget* parent = nullptr);

    // The page's controls and their rules land with the Power Settings page.
    void LoadFromConfig() {}
    void SetControlsEnabled(bool) {}

    // For APPLY: reads the two minute fields back, with the page's own check
    // and message, and says which timeouts are on (a checked box counts as
    // checked whether or not it is enabled).
    power::PowerTimeouts ReadTimeoutsForApply() { return {}; }
    // After an APPLY that sent both timeouts on with equal minutes: power
    // saving is shown off, and goes out off with the next APPLY.
    void SettleEqualMinutes() {}

  private:
    Ui::CPower ui_;
};

}  // namespace qx9
