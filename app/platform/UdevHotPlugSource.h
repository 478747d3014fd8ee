#pragma once

#include <memory>

#include "HotPlugSource.h"

struct udev;
struct udev_monitor;
class QSocketNotifier;

namespace qx9 {

// hidraw nodes coming and going, from a libudev monitor read in the Qt loop.
// Each event is named by the node's sysfs path.
class UdevHotPlugSource final : public HotPlugSource {
    Q_OBJECT
  public:
    UdevHotPlugSource();
    ~UdevHotPlugSource() override;
    bool Start() override;

  private:
    void ReadEvent();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace qx9
