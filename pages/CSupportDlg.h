#pragma once

#include <array>
#include <cstdint>

#include "AdvancedSettingsRules.h"
#include "ConfigStore.h"
#include "DeviceLink.h"
#include "SettingsPage.h"
#include "ui_CSupportDlg.h"

class QLineEdit;
class QSlider;

namespace qx9 {

// The Advanced Settings page: report rate, click filters, sensor options.
// Every edit lands in EditConfig at once; the report rate and the glass mode
// reach the Power Settings and Basic Settings pages through the window.
class CSupportDlg : public SettingsPage {
    Q_OBJECT
  public:
    CSupportDlg(ConfigStore& store, const DeviceLink& link, QWidget* parent = nullptr);

    // Shows EditConfig; the record itself is left as it is, but for AckShown.
    void LoadFromConfig();
    void CollectIntoConfig();
    void SetControlsEnabled(bool enabled);
    // The twelve controls of the five filter rows and the two switch modes.
    void SetFilterGroupEnabled(bool enabled);
    // Once the acknowledgement has reached the mouse it is not asked for again.
    void HideAcknowledgementBox();
    // The mouse reports its report rate: both records, the selector, "Force
    // max Sensor fps" and power saving follow; nothing is sent. False, and
    // nothing changes, for a rate the mouse cannot have in the current
    // connection mode and for a code outside the list.
    bool ShowReportedRate(std::uint8_t code, bool forceMaxFps);

    bool PreviewKey(const QKeyEvent& event) override;

  signals:
    // EditConfig changed; the window re-evaluates APPLY.
    void EditConfigChanged();
    // The Basic Settings page's lift-off distances follow the surface.
    void GlassModeChanged(std::uint8_t mode);
    // The report rate now forces power saving on, or no longer does.
    void PowerSavingForcedChanged(bool forced);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // A slider with its number field: the five filter rows, then the angle.
    struct NumberRow {
        QSlider* slider;
        QLineEdit* field;
        QComboBox* switchMode;  // the two main buttons only
        std::size_t button;     // filter rows: the button slot they edit
        bool angle;
        int value;  // the page value the field shows
    };
    static constexpr std::size_t AngleRow = advanced::FilterRows;

    void SetUpRows();
    void ShowCreationState();
    void ConnectHandlers();

    void ShowValues();
    int ValueFromText(const NumberRow& row) const;
    bool InSwitchMode(const NumberRow& row) const;
    void StoreValue(NumberRow& row, int value);
    void OnSliderMoved(NumberRow& row, int position);
    void OnNumberTextChanged(NumberRow& row);
    void CommitField(NumberRow& row);
    NumberRow* FocusedRow();
    void CommitFocusedField();

    void OnRateChosen(int entry);
    void FollowRate(std::uint8_t code, bool forceMaxFpsChecked);
    std::uint8_t CollectedRate() const;
    void SelectRate(int entry, bool fixed);
    void OnGlassModeClicked(bool checked);
    void OnSwitchModeChosen(NumberRow& row, int entry);
    void OnAcknowledgementClicked(bool checked);
    void SetFlag(std::uint8_t flag, bool set);
    void UpdateEnabling();

    Ui::CSupportDlg ui_;
    ConfigStore& store_;
    const DeviceLink& link_;
    std::array<NumberRow, advanced::FilterRows + 1> rows_{};

    bool controlsEnabled_ = true;
    bool filterGroupEnabled_ = true;
    // On the cable and on glass the rate is fixed at 1000 Hz.
    bool rateSelectorFixed_ = false;
    // A power-saving rate leaves no choice of frame rate.
    bool maxFpsFixedByRate_ = false;
};

}  // namespace qx9
