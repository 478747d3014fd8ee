#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "HotPlugSource.h"
#include "Qx9Emulator.h"
#include "RawMouseInput.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QSpinBox;

namespace qx9 {

// "Virtual QX9": the hardware side of the demo. Each control changes the
// emulated mouse, dongle or cable as the real event would, and raises the
// notifications that event raises on a real desktop.
class VirtualQx9Panel : public QWidget {
    Q_OBJECT
  public:
    VirtualQx9Panel(emu::Qx9Emulator& emulator, ManualHotPlugSource& hotPlug,
                    ManualRawMouseInput& rawInput, QWidget* parent = nullptr);
    ~VirtualQx9Panel() override;

    // Thread-safe: queues a trace line for the live view.
    void ShowTraceLine(const QString& line);

  private:
    QWidget* BuildHardware();
    QWidget* BuildMouseActions();
    QWidget* BuildFaults();
    void PlugCable(bool plugged);
    void PlugDongle(bool plugged);
    void SwitchMouse(bool on);
    void Pair(bool paired);
    // The mouse is back in touch with its dongle, and says so.
    void LinkUp();
    void MoveMouse();
    void Notify(emu::Endpoint endpoint, bool arrived);
    void ChargeStep();
    void ShowUpdaterWindow(bool open);

    emu::Qx9Emulator& emulator_;
    ManualHotPlugSource& hotPlug_;
    ManualRawMouseInput& rawInput_;
    QSpinBox* battery_ = nullptr;
    QComboBox* reportRate_ = nullptr;
    QCheckBox* forcedMaxFps_ = nullptr;
    QPlainTextEdit* trace_ = nullptr;
    QTimer charger_;
    std::unique_ptr<QWidget> updaterWindow_;
};

}  // namespace qx9
