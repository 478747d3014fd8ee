#pragma once

#include <QWidget>
#include <cstdint>

#include "ui_CSensorDlg.h"

namespace qx9 {

// The Basic Settings page: CPI levels, lift-off distance, sensor switches.
class CSensorDlg : public QWidget {
    Q_OBJECT
  public:
    explicit CSensorDlg(QWidget* parent = nullptr);

    // The page's controls and their rules land with the Basic Settings page.
    void LoadFromConfig() {}
    void CollectIntoConfig() {}
    void SetControlsEnabled(bool) {}
    void SetActiveLevel(std::uint8_t) {}

  private:
    Ui::CSensorDlg ui_;
};

}  // namespace qx9
