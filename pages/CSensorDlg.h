#pragma once

#include <QButtonGroup>
#include <array>
#include <cstdint>

#include "COrvStatic.h"
#include "ConfigStore.h"
#include "Notifier.h"
#include "NotifyingLabel.h"
#include "SettingsPage.h"
#include "ui_CSensorDlg.h"

class QLineEdit;
class QSlider;

namespace qx9 {

// The Basic Settings page: CPI levels, lift-off distance, sensor switches.
// Every edit lands in EditConfig at once; picking a level asks the window to
// switch the mouse to it.
class CSensorDlg : public SettingsPage {
    Q_OBJECT
  public:
    CSensorDlg(ConfigStore& store, Notifier& notifier, QWidget* parent = nullptr);

    void LoadFromConfig();
    void CollectIntoConfig();
    void SetControlsEnabled(bool enabled);
    // The mouse reports its active level: both records follow, nothing is sent.
    void SetActiveLevel(std::uint8_t level);
    void SetLodListForGlassMode(std::uint8_t mode);

    bool PreviewKey(const QKeyEvent& event) override;

  signals:
    // EditConfig changed; the window re-evaluates APPLY.
    void EditConfigChanged();
    // A level was picked and written into EditConfig; the window sends it.
    void LevelSwitchRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    enum class Axis { X, Y };
    // One CPI box with the slider beside it.
    struct CpiField {
        int level;  // 0..3
        Axis axis;
        QSlider* slider;
        QLineEdit* box;
    };
    struct LevelRow {
        QRadioButton* selector;
        NotifyingLabel* label;
        COrvStatic* swatch;
        std::array<QWidget*, 6> body;  // axis labels, sliders, boxes
    };

    void SetUpLevelRows();
    void ShowCreationState();
    void ConnectHandlers();

    // The page values and the controls, in both directions.
    bool ReadControls();
    void ShowValues();
    std::uint32_t& ValueOf(const CpiField& field);
    std::uint16_t& ConfigValueOf(const CpiField& field);
    const CpiField& PartnerOf(const CpiField& field) const;
    bool Split() const;

    void OnSliderMoved(const CpiField& field, int position);
    void OnCpiTextChanged(const CpiField& field);
    void CommitCpiBox(const CpiField& field);
    const CpiField* FocusedCpiField() const;
    void CommitFocusedBox();
    void OnXySettingsClicked();
    void OnLevelCountChosen(int index);
    void ApplyShownLevels(std::uint8_t count, std::uint8_t active);
    void OnSelectorClicked(int level);
    void OnLevelCaptionClicked(int level);
    void SelectLevel(int level);
    void OnLodChosen(int position);
    void FillLodList(std::uint8_t glassMode, int selected);
    void UncheckAllSelectors();
    void CheckSelector(int level);

    Ui::CSensorDlg ui_;
    ConfigStore& store_;
    Notifier& notifier_;
    QButtonGroup selectors_;
    std::array<LevelRow, 4> rows_{};
    // X1, Y1, X2, Y2, ...: the order in which Enter and a page click look for
    // the box that has the focus.
    std::array<CpiField, 8> fields_{};
    std::uint8_t lodGlassMode_ = 0;

    std::array<std::uint32_t, 4> xValues_{};
    std::array<std::uint32_t, 4> yValues_{};
    bool split_ = false;
};

}  // namespace qx9
