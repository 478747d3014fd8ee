#pragma once

#include "SettingsPage.h"
#include "ui_CMouseSet.h"

namespace qx9 {

// The Button Mapping page: an action for each button and the wheel.
class CMouseSet : public SettingsPage {
    Q_OBJECT
  public:
    explicit CMouseSet(QWidget* parent = nullptr);

    // The page's controls and their rules land with the Button Mapping page.
    void LoadFromConfig() {}
    void SetControlsEnabled(bool) {}

  private:
    Ui::CMouseSet ui_;
};

}  // namespace qx9
