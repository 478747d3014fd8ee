#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "Notifier.h"
#include "ui_CFixedCPI.h"

class QLineEdit;
class QSlider;

namespace qx9 {

// The "FIXED CPI" dialog: one X and Y pair of CPI values, opened at 400/400
// every time. "OK" ends it with both values; Escape and the close box with none.
class CFixedCPI : public QDialog {
    Q_OBJECT
  public:
    explicit CFixedCPI(Notifier& notifier, QWidget* parent = nullptr);

    // Valid once the dialog ended with OK.
    std::uint32_t FixedCpiX() const { return fixedCpiX_; }
    std::uint32_t FixedCpiY() const { return fixedCpiY_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // One axis: its slider, its box and the value the dialog holds for it.
    struct Axis {
        QSlider* slider;
        QLineEdit* box;
        std::uint32_t value;
    };

    bool Split() const;
    Axis& PartnerOf(const Axis& axis);
    bool ReadControls();
    void ShowValues();
    void OnSliderMoved(Axis& axis, int position);
    void CommitBox(Axis& axis);
    void CommitFocusedBox();
    void OnXySettingsClicked();
    void OnOk();

    Ui::CFixedCPI ui_;
    Notifier& notifier_;
    std::array<Axis, 2> axes_{};  // X, Y
    std::uint32_t fixedCpiX_ = 0;
    std::uint32_t fixedCpiY_ = 0;
};

}  // namespace qx9
