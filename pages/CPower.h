#pragma once

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
    void CollectIntoConfig() {}
    void SetControlsEnabled(bool) {}

  private:
    Ui::CPower ui_;
};

}  // namespace qx9
