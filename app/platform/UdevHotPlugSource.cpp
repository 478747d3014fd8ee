#include "UdevHotPlugSource.h"

#include <libudev.h>

#include <QSocketNotifier>
#include <cstring>

namespace qx9 {

UdevHotPlugSource::UdevHotPlugSource() = default;

UdevHotPlugSource::~UdevHotPlugSource() {
    notifier_.reset();
    if (monitor_) {
        udev_monitor_unref(monitor_);
    }
    if (udev_) {
        udev_unref(udev_);
    }
}

bool UdevHotPlugSource::Start() {
    udev_ = udev_new();
    if (!udev_) {
        return false;
    }
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_ ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        return false;
    }
    const int fd = udev_monitor_get_fd(monitor_);
    if (fd < 0) {
        return false;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &UdevHotPlugSource::ReadEvent);
    return true;
}

void UdevHotPlugSource::ReadEvent() {
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (!device) {
        return;
    }
    const char* action = udev_device_get_action(device);
    const QString name = QString::fromUtf8(udev_device_get_syspath(device));
    if (action && std::strcmp(action, "add") == 0) {
        emit DeviceArrived(name);
    } else if (action && std::strcmp(action, "remove") == 0) {
        emit DeviceRemoved(name);
    }
    udev_device_unref(device);
}

}  // namespace qx9
