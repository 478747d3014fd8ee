#pragma once

#include <QObject>

class QWidget;

namespace qx9 {

// Alt+P, wherever the focus is: brings up the pairing page.
class PairingHotKey : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    // Failure is silent; the key then does nothing.
    virtual bool Register(QWidget* window) = 0;

  signals:
    void Activated();
};

// Alt+P anywhere in the application; where no desktop-wide grab exists.
class ShortcutPairingHotKey final : public PairingHotKey {
    Q_OBJECT
  public:
    bool Register(QWidget* window) override;
};

class ManualPairingHotKey final : public PairingHotKey {
    Q_OBJECT
  public:
    bool Register(QWidget*) override { return true; }
    void Press() { emit Activated(); }
};

}  // namespace qx9
