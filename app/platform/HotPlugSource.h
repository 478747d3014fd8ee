#pragma once

#include <QObject>
#include <QString>

namespace qx9 {

// Arrival and removal of HID interfaces, each named by a path that carries
// "VVVV:PPPP" in upper-case hexadecimal.
class HotPlugSource : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    // False when notifications cannot be had.
    virtual bool Start() = 0;

  signals:
    void DeviceArrived(const QString& name);
    void DeviceRemoved(const QString& name);
};

// Notifications raised by hand: by the emulator's panel, or by a test.
class ManualHotPlugSource final : public HotPlugSource {
    Q_OBJECT
  public:
    bool Start() override { return startSucceeds; }
    void Arrive(const QString& name) { emit DeviceArrived(name); }
    void Remove(const QString& name) { emit DeviceRemoved(name); }

    bool startSucceeds = true;
};

}  // namespace qx9
