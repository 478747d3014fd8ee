#pragma once

#include "SettingsPage.h"
#include "ui_CSupportDlg.h"

namespace qx9 {

// The Advanced Settings page: report rate, click filters, sensor options.
class CSupportDlg : public SettingsPage {
    Q_OBJECT
  public:
    explicit CSupportDlg(QWidget* parent = nullptr);

    // The page's controls and their rules land with the Advanced Settings page.
    void LoadFromConfig() {}
    void CollectIntoConfig() {}
    void SetControlsEnabled(bool) {}
    // After APPLY stored an acknowledgement ticked since the page was loaded.
    void HideAcknowledgementBox() {}

  private:
    Ui::CSupportDlg ui_;
};

}  // namespace qx9
