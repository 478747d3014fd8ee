#pragma once

#include <cstdint>

#include "ConfigStore.h"
#include "Notifier.h"
#include "PowerSettingsRules.h"
#include "SettingsPage.h"
#include "ui_CPower.h"

namespace qx9 {

// The Power Settings page: power-saving and deep-sleep timeouts. Edits land in
// EditConfig at once; APPLY reads the fields back through ReadTimeoutsForApply.
class CPower : public SettingsPage {
    Q_OBJECT
  public:
    CPower(ConfigStore& store, Notifier& notifier, QWidget* parent = nullptr);

    // Shows EditConfig; the record itself is left as it is.
    void LoadFromConfig();
    void SetControlsEnabled(bool enabled);
    // A report rate that implies power saving keeps "Enable Power Saving"
    // checked and out of the user's reach; any other rate gives the box back,
    // checked as EditConfig says. Nothing is stored.
    void SetPowerSavingForced(bool forced);

    // For APPLY: reads the two minute fields back, with the page's own check
    // and message, and says which timeouts are on (a checked box counts as
    // checked whether or not it is enabled).
    power::PowerTimeouts ReadTimeoutsForApply();
    // After an APPLY that sent both timeouts on with equal minutes: power
    // saving is shown off, and goes out off with the next APPLY.
    void SettleEqualMinutes();

    bool PreviewKey(const QKeyEvent& event) override;

  signals:
    // EditConfig changed; the window re-evaluates APPLY.
    void EditConfigChanged();

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // One timeout: its box, its minutes field and the page's minutes value.
    struct TimeoutControls {
        QCheckBox* box;
        QLineEdit* field;
        std::uint8_t DeviceConfig::*stored;
        bool rangeChecked;
        std::uint32_t minutes;
    };

    void ConnectHandlers();
    void OnBoxClicked(TimeoutControls& timeout);
    void OnMinutesChanged(TimeoutControls& timeout);
    void StoreTimeout(const TimeoutControls& timeout);
    // Reads both fields into the minutes values; a field that fails the check
    // is reported (the first one only), keeps its value and shows it again.
    void ReadFieldsBack();
    void WriteMinutesBack();
    void UpdateEnabling();

    Ui::CPower ui_;
    ConfigStore& store_;
    Notifier& notifier_;
    TimeoutControls powerSaving_{};
    TimeoutControls deepSleep_{};
    bool controlsEnabled_ = true;
    bool powerSavingForced_ = false;
};

}  // namespace qx9
