#pragma once

#include <QObject>
#include <cstdint>

#include "VirtualKeyOfQtKey.h"

namespace qx9 {

// While it exists, every key press and release that reaches a window of the
// application is reported as a Windows virtual-key code, in the order the
// keys arrive. The key still goes where it was going.
class ApplicationKeyTap : public QObject {
    Q_OBJECT
  public:
    explicit ApplicationKeyTap(QObject* parent = nullptr);
    ~ApplicationKeyTap() override;

  signals:
    // A press and a release alike; 0 for a key without a virtual-key code.
    void KeyEvent(std::uint16_t vk);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ScanCodes scanCodes_;
};

}  // namespace qx9
