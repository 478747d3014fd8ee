#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

#include "ApplicationKeyTap.h"
#include "ui_CKeyboard.h"

namespace qx9 {

// The "KEYBOARD KEY" dialog: shows the last key pressed or released anywhere
// in the application; the modifiers are ticked in their boxes. "OK" ends it
// with the key, the modifiers and their label; Enter never closes it.
class CKeyboard : public QDialog {
    Q_OBJECT
  public:
    explicit CKeyboard(QWidget* parent = nullptr);

    // Valid once the dialog ended with OK. An empty label means nothing was chosen.
    const QString& CapturedKeyLabel() const { return capturedKeyLabel_; }
    std::uint8_t CapturedModifiers() const { return capturedModifiers_; }
    std::uint16_t CapturedKeyVk() const { return capturedKeyVk_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OnHookedKey(std::uint16_t vk);
    void OnOk();

    Ui::CKeyboard ui_;
    // Listens exactly while the dialog is on screen.
    std::unique_ptr<ApplicationKeyTap> tap_;
    QString capturedKeyLabel_;
    std::uint8_t capturedModifiers_ = 0;
    std::uint16_t capturedKeyVk_ = 0;
};

}  // namespace qx9
