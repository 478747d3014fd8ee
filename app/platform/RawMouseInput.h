#pragma once

#include <QObject>
#include <QString>

namespace qx9 {

// Movement and clicks of any mouse on the desktop, also while the tool is in
// the background, each named by the sysfs path of the device it came from.
class RawMouseInput : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    // False when raw input cannot be set up where the platform offers it.
    virtual bool Start() = 0;

  signals:
    void MouseInput(const QString& deviceName);
};

class ManualRawMouseInput final : public RawMouseInput {
    Q_OBJECT
  public:
    bool Start() override { return startSucceeds; }
    void Move(const QString& deviceName) { emit MouseInput(deviceName); }

    bool startSucceeds = true;
};

}  // namespace qx9
