#include "HidrawBackend.h"

#include <fcntl.h>
#include <libudev.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

#include "ErrnoMapping.h"
#include "HidIdText.h"
#include "ReportDescriptor.h"

namespace qx9 {
namespace {

template <typename T, T* (*Unref)(T*)>
struct UdevRef {
    T* ptr = nullptr;
    explicit UdevRef(T* p) : ptr(p) {}
    UdevRef(const UdevRef&) = delete;
    UdevRef& operator=(const UdevRef&) = delete;
    ~UdevRef() {
        if (ptr) {
            Unref(ptr);
        }
    }
    explicit operator bool() const { return ptr != nullptr; }
};
using Udev = UdevRef<udev, udev_unref>;
using UdevEnumerate = UdevRef<udev_enumerate, udev_enumerate_unref>;
using UdevDevice = UdevRef<udev_device, udev_device_unref>;

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<HidInterfaceInfo> DescribeNode(udev_device* hidraw) {
    const char* node = udev_device_get_devnode(hidraw);
    // The parent is owned by the child; it must not be unreferenced.
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr);
    if (!node || !hid) {
        return std::nullopt;
    }
    const auto ids = ParseHidId(udev_device_get_property_value(hid, "HID_ID"));
    if (!ids) {
        return std::nullopt;
    }
    HidInterfaceInfo info;
    info.path = node;
    info.vendorId = ids->vendorId;
    info.productId = ids->productId;
    info.collections = TopLevelCollections(
        ReadFileBytes(std::string(udev_device_get_syspath(hid)) + "/report_descriptor"));
    return info;
}

class HidrawDevice final : public FeatureDevice {
  public:
    explicit HidrawDevice(int fd) : fd_(fd) {}
    HidrawDevice(const HidrawDevice&) = delete;
    HidrawDevice& operator=(const HidrawDevice&) = delete;
    ~HidrawDevice() override { ::close(fd_); }

    bool SetFeature(std::span<const std::uint8_t> report) override {
        std::vector<std::uint8_t> buffer(report.begin(), report.end());
        return Check(::ioctl(fd_, HIDIOCSFEATURE(buffer.size()), buffer.data()));
    }

    bool GetFeature(std::span<std::uint8_t> report) override {
        const int outcome = ::ioctl(fd_, HIDIOCGFEATURE(report.size()), report.data());
        lastError_ = FeatureReadError(outcome, report.size(), errno);
        return lastError_ == HidError::None;
    }

    HidError LastError() const override { return lastError_; }

  private:
    bool Check(int outcome) {
        // errno is read before anything else can overwrite it.
        lastError_ = outcome < 0 ? HidErrorFromErrno(errno) : HidError::None;
        return outcome >= 0;
    }

    int fd_;
    HidError lastError_ = HidError::None;
};

}  // namespace

std::vector<HidInterfaceInfo> HidrawBackend::EnumerateInterfaces() {
    std::vector<HidInterfaceInfo> found;
    Udev context(udev_new());
    if (!context) {
        return found;
    }
    UdevEnumerate enumerate(udev_enumerate_new(context.ptr));
    if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.ptr, "hidraw") < 0 ||
        udev_enumerate_scan_devices(enumerate.ptr) < 0) {
        return found;
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.ptr)) {
        UdevDevice device(
            udev_device_new_from_syspath(context.ptr, udev_list_entry_get_name(entry)));
        if (!device) {
            continue;
        }
        if (auto info = DescribeNode(device.ptr)) {
            found.push_back(std::move(*info));
        }
    }
    return found;
}

OpenedDevice HidrawBackend::Open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        // Without the udev rule the node is root's alone: EACCES.
        return {nullptr, HidErrorFromErrno(errno)};
    }
    return {std::make_unique<HidrawDevice>(fd), HidError::None};
}

}  // namespace qx9
