#include "SimulatedDeviceTree.h"

#include <linux/hidraw.h>
#include <linux/input.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <linux/sock_diag.h>
#include <linux/unix_diag.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <umockdev.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <thread>

#include "HidDescriptor.h"

namespace qx9::sim {
namespace {

using namespace std::chrono_literals;

// umockdev shows an emulated node as always readable, so a read carries the
// wait that poll() does on a real node: it answers "try again" when no report
// came in this time, which stays below the readers' own timeouts.
constexpr auto ReadSlice = 50ms;
constexpr auto UeventPatience = 1s;
constexpr auto OpenPatience = 1s;
constexpr auto AcceptSettle = 5ms;
constexpr int HidrawMajor = 243;
constexpr const char* UsbRoot = "/devices/pci0000:00/0000:00:14.0/usb1";

struct KernelError {
    HidError kind;
    int error;
};

// The errno a hidraw call returns for a transfer that failed this way.
constexpr KernelError KernelErrors[] = {
    {HidError::NotReady, ETIMEDOUT},   {HidError::Crc, EILSEQ},
    {HidError::WriteFault, EIO},       {HidError::InvalidParameter, EINVAL},
    {HidError::FunctionFailed, EPIPE}, {HidError::DeviceGone, ENODEV},
    {HidError::BadHandle, EBADF},      {HidError::AccessDenied, EACCES},
};
// A reply the kernel could not make sense of.
constexpr int UnexpectedReply = EBADMSG;

int ErrnoFor(HidError kind) {
    for (const KernelError& entry : KernelErrors) {
        if (entry.kind == kind) {
            return entry.error;
        }
    }
    return UnexpectedReply;
}

std::string Format(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    std::string text(static_cast<std::size_t>(std::vsnprintf(nullptr, 0, format, measuring)), '\0');
    va_end(measuring);
    std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    va_end(arguments);
    return text;
}

std::string HexString(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text += Format("%02X", byte);
    }
    return text;
}

bool SameInterfaces(const std::vector<HidInterfaceInfo>& a,
                    const std::vector<HidInterfaceInfo>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const HidInterfaceInfo& x, const HidInterfaceInfo& y) {
                          return x.path == y.path && x.collections == y.collections;
                      });
}

// Memory of the calling process, copied here; written back when the call completes.
std::uint8_t* Resolve(UMockdevIoctlClient* client, std::size_t length) {
    UMockdevIoctlData* data =
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, length, nullptr);
    if (!data) {
        return nullptr;
    }
    // The argument keeps the resolved block until the call completes.
    std::uint8_t* bytes = data->data;
    g_object_unref(data);
    return bytes;
}

struct BoundSocket {
    std::string path;
    // Bytes of the first unread datagram, or connections not yet accepted.
    std::uint32_t queued = 0;
};

// The bound Unix sockets under a path, from the kernel's socket table.
std::vector<BoundSocket> BoundSockets(const std::string& prefix) {
    std::vector<BoundSocket> sockets;
    const int diag = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG);
    if (diag < 0) {
        return sockets;
    }
    struct {
        nlmsghdr header;
        unix_diag_req request;
    } query{};
    query.header.nlmsg_len = sizeof query;
    query.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    query.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    query.request.sdiag_family = AF_UNIX;
    query.request.udiag_states = ~0u;
    query.request.udiag_show = UDIAG_SHOW_NAME | UDIAG_SHOW_RQLEN;
    if (::send(diag, &query, sizeof query, 0) == static_cast<ssize_t>(sizeof query)) {
        alignas(nlmsghdr) char buffer[32768];
        bool done = false;
        while (!done) {
            ssize_t received = ::recv(diag, buffer, sizeof buffer, 0);
            if (received <= 0) {
                break;
            }
            for (auto* header = reinterpret_cast<nlmsghdr*>(buffer); NLMSG_OK(header, received);
                 header = NLMSG_NEXT(header, received)) {
                if (header->nlmsg_type == NLMSG_DONE || header->nlmsg_type == NLMSG_ERROR) {
                    done = true;
                    break;
                }
                auto* socketInfo = static_cast<unix_diag_msg*>(NLMSG_DATA(header));
                int length = static_cast<int>(header->nlmsg_len - NLMSG_LENGTH(sizeof *socketInfo));
                BoundSocket socket;
                for (auto* attribute = reinterpret_cast<rtattr*>(socketInfo + 1);
                     RTA_OK(attribute, length); attribute = RTA_NEXT(attribute, length)) {
                    if (attribute->rta_type == UNIX_DIAG_NAME) {
                        socket.path.assign(static_cast<const char*>(RTA_DATA(attribute)),
                                           RTA_PAYLOAD(attribute));
                    } else if (attribute->rta_type == UNIX_DIAG_RQLEN) {
                        socket.queued =
                            static_cast<const unix_diag_rqlen*>(RTA_DATA(attribute))->udiag_rqueue;
                    }
                }
                if (socket.path.compare(0, prefix.size(), prefix) == 0) {
                    sockets.push_back(std::move(socket));
                }
            }
        }
    }
    ::close(diag);
    return sockets;
}

}  // namespace

struct SimulatedDeviceTree::Node {
    std::string devnode;
    std::string syspath;
    std::string emulatorPath;
    std::string name;
    std::string phys;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::vector<HidUsage> collections;
    std::vector<std::uint8_t> descriptor;
    int minor = 0;
    std::atomic<bool> present{true};
};

struct SimulatedDeviceTree::UsbDevice {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::vector<HidInterfaceInfo> interfaces;
    std::vector<std::string> syspaths;  // parents before children
    std::vector<std::shared_ptr<Node>> nodes;
};

// One open file of a node, with the emulator's handles behind it.
struct SimulatedDeviceTree::OpenFile {
    OpenFile() = default;
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (reader.joinable()) {
            reader.join();
        }
    }

    std::shared_ptr<Node> node;
    std::unique_ptr<FeatureDevice> feature;
    std::unique_ptr<StatusDevice> status;
    std::thread reader;  // answers one read at a time
};

SimulatedDeviceTree::SimulatedDeviceTree(emu::Qx9Emulator& emulator)
    : emulator_(emulator), testbed_(umockdev_testbed_new()), handler_(umockdev_ioctl_base_new()) {
    gchar* root = umockdev_testbed_get_root_dir(testbed_);
    root_ = root;
    g_free(root);
    // Past the host's own nodes, so that opening a vanished node can never
    // reach a real device.
    while (::access(Format("/dev/hidraw%d", firstMinor_).c_str(), F_OK) == 0) {
        ++firstMinor_;
    }
    g_signal_connect(handler_, "client-connected", G_CALLBACK(OnConnected), this);
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(OnIoctl), this);
    g_signal_connect(handler_, "handle-read", G_CALLBACK(OnRead), this);
    Update();
}

SimulatedDeviceTree::~SimulatedDeviceTree() {
    g_signal_handlers_disconnect_by_data(handler_, this);
    {
        std::lock_guard layout(layoutMutex_);
        for (const auto& device : devices_) {
            for (const auto& node : device->nodes) {
                node->present = false;
                umockdev_testbed_detach_ioctl(testbed_, node->devnode.c_str(), nullptr);
            }
        }
        for (const auto& [devnode, node] : retiredNodes_) {
            umockdev_testbed_detach_ioctl(testbed_, devnode.c_str(), nullptr);
        }
    }
    // Ends umockdev's thread, the one that works on the open files.
    g_object_unref(testbed_);
    for (auto& [client, file] : openFiles_) {
        file.reset();
        g_object_unref(client);
    }
    g_object_unref(handler_);
}

void SimulatedDeviceTree::PlugCable(bool plugged) {
    emulator_.PlugCable(plugged);
    Update();
}

void SimulatedDeviceTree::PlugDongle(bool plugged) {
    emulator_.PlugDongle(plugged);
    Update();
}

void SimulatedDeviceTree::Update() {
    struct Device {
        std::uint16_t vendorId;
        std::uint16_t productId;
        std::vector<HidInterfaceInfo> interfaces;
    };
    std::lock_guard layout(layoutMutex_);
    std::vector<Device> shown;
    for (HidInterfaceInfo& info : emulator_.EnumerateInterfaces()) {
        auto device = std::find_if(shown.begin(), shown.end(), [&](const Device& d) {
            return d.vendorId == info.vendorId && d.productId == info.productId;
        });
        if (device == shown.end()) {
            device = shown.insert(shown.end(), {info.vendorId, info.productId, {}});
        }
        device->interfaces.push_back(std::move(info));
    }
    // A device that went away, or shows other interfaces, leaves first.
    for (auto device = devices_.begin(); device != devices_.end();) {
        const bool stays = std::any_of(shown.begin(), shown.end(), [&](const Device& d) {
            return d.vendorId == (*device)->vendorId && d.productId == (*device)->productId &&
                   SameInterfaces(d.interfaces, (*device)->interfaces);
        });
        if (stays) {
            ++device;
        } else {
            WaitForUeventsRead();
            RemoveDevice(**device);
            device = devices_.erase(device);
        }
    }
    for (const Device& device : shown) {
        const bool present = std::any_of(devices_.begin(), devices_.end(), [&](const auto& d) {
            return d->vendorId == device.vendorId && d->productId == device.productId;
        });
        if (!present) {
            WaitForUeventsRead();
            AddDevice(device.vendorId, device.productId, device.interfaces);
        }
    }
}

void SimulatedDeviceTree::AddDevice(std::uint16_t vendorId, std::uint16_t productId,
                                    const std::vector<HidInterfaceInfo>& interfaces) {
    auto device = std::make_unique<UsbDevice>();
    device->vendorId = vendorId;
    device->productId = productId;
    device->interfaces = interfaces;
    // Each device keeps its port, as it would stay in its socket.
    const std::uint32_t ids = static_cast<std::uint32_t>(vendorId) << 16 | productId;
    const int port = ports_.emplace(ids, static_cast<int>(ports_.size()) + 1).first->second;
    const std::string usb = Format("%s/1-%d", UsbRoot, port);
    std::string record = Format(
        "P: %s\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: PRODUCT=%x/%x/100\n"
        "E: BUSNUM=001\nE: DEVNUM=%03d\nA: idVendor=%04x\nA: idProduct=%04x\n"
        "A: bcdDevice=0100\nA: manufacturer=Talvern\nA: product=HID %04X:%04X\n\n",
        usb.c_str(), vendorId, productId, port + 1, vendorId, productId, vendorId, productId);
    device->syspaths.push_back("/sys" + usb);
    for (std::size_t number = 0; number < interfaces.size(); ++number) {
        auto node = std::make_shared<Node>();
        node->minor = FreeMinor();
        node->devnode = Format("/dev/hidraw%d", node->minor);
        node->emulatorPath = interfaces[number].path;
        node->vendorId = vendorId;
        node->productId = productId;
        node->collections = interfaces[number].collections;
        node->descriptor = ReportDescriptorFor(node->collections);
        node->name = Format("Talvern HID %04X:%04X", vendorId, productId);
        node->phys = Format("usb-0000:00:14.0-%d/input%zu", port, number);
        const std::string usbInterface = Format("%s/1-%d:1.%zu", usb.c_str(), port, number);
        const std::string hidName =
            Format("0003:%04X:%04X.%04X", vendorId, productId, nextHidInstance_++);
        const std::string hid = usbInterface + "/" + hidName;
        const std::string hidraw = Format("%s/hidraw/hidraw%d", hid.c_str(), node->minor);
        node->syspath = "/sys" + hidraw;
        record += Format(
            "P: %s\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nE: INTERFACE=3/0/0\n"
            "A: bInterfaceNumber=%02zx\nA: bInterfaceClass=03\n\n",
            usbInterface.c_str(), number);
        record += Format(
            "P: %s\nE: SUBSYSTEM=hid\nE: DRIVER=hid-generic\nE: HID_ID=0003:%08X:%08X\n"
            "E: HID_NAME=%s\nE: HID_PHYS=%s\nE: HID_UNIQ=\nE: MODALIAS=hid:b0003g0001v%08Xp%08X\n"
            "H: report_descriptor=%s\n\n",
            hid.c_str(), vendorId, productId, node->name.c_str(), node->phys.c_str(), vendorId,
            productId, HexString(node->descriptor).c_str());
        // The node holds a byte so that umockdev makes it a file rather than a terminal.
        record += Format(
            "P: %s\nE: SUBSYSTEM=hidraw\nE: DEVNAME=%s\nE: MAJOR=%d\nE: MINOR=%d\n"
            "A: dev=%d:%d\nL: device=../../../%s\nN: hidraw%d=00\n\n",
            hidraw.c_str(), node->devnode.c_str(), HidrawMajor, node->minor, HidrawMajor,
            node->minor, hidName.c_str(), node->minor);
        device->syspaths.insert(device->syspaths.end(),
                                {"/sys" + usbInterface, "/sys" + hid, node->syspath});
        {
            std::lock_guard lock(mutex_);
            nodes_[node->devnode] = node;
        }
        // Answering before the node exists, so that no open can miss it.
        umockdev_testbed_attach_ioctl(testbed_, node->devnode.c_str(), handler_, nullptr);
        device->nodes.push_back(std::move(node));
    }
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(testbed_, record.c_str(), &error)) {
        g_error("umockdev refused the device record: %s", error ? error->message : "?");
    }
    devices_.push_back(std::move(device));
}

void SimulatedDeviceTree::RemoveDevice(UsbDevice& device) {
    // As udev reports a removal: the node is already gone. Its ioctl handler
    // stays, so that a handle still held is answered "gone" as the kernel
    // does; detached, umockdev would cut the handle's connection under a
    // request in flight and abort the program holding it.
    for (const auto& node : device.nodes) {
        node->present = false;
        ::unlink((root_ + node->devnode).c_str());
        std::lock_guard lock(mutex_);
        nodes_.erase(node->devnode);
        retiredNodes_[node->devnode] = node;
    }
    // umockdev announces additions itself, removals not.
    for (auto syspath = device.syspaths.rbegin(); syspath != device.syspaths.rend(); ++syspath) {
        umockdev_testbed_uevent(testbed_, syspath->c_str(), "remove");
    }
    for (auto syspath = device.syspaths.rbegin(); syspath != device.syspaths.rend(); ++syspath) {
        umockdev_testbed_remove_device(testbed_, syspath->c_str());
    }
}

void SimulatedDeviceTree::WaitForUeventsRead() const {
    // A watcher's socket holds ten events; one more and umockdev aborts. Before
    // the next device's events, give every watcher the time to read its backlog.
    const auto deadline = std::chrono::steady_clock::now() + UeventPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        const auto listeners = UeventListeners();
        if (std::all_of(listeners.begin(), listeners.end(),
                        [](const UeventListener& listener) { return listener.unreadBytes == 0; })) {
            return;
        }
        std::this_thread::sleep_for(1ms);
    }
}

int SimulatedDeviceTree::FreeMinor() const {
    std::lock_guard lock(mutex_);
    // A retired node's handler still holds its path.
    int minor = firstMinor_;
    while (std::any_of(nodes_.begin(), nodes_.end(),
                       [minor](const auto& entry) { return entry.second->minor == minor; }) ||
           retiredNodes_.count(Format("/dev/hidraw%d", minor)) != 0) {
        ++minor;
    }
    return minor;
}

void SimulatedDeviceTree::FailNextSetFeature(int count, int error) {
    std::lock_guard lock(mutex_);
    setFault_ = {count, error};
}

void SimulatedDeviceTree::FailNextGetFeature(int count, int error) {
    std::lock_guard lock(mutex_);
    getFault_ = {count, error};
}

void SimulatedDeviceTree::DenyAccess(const std::string& devnode) {
    // The way to the node stays open to everyone, the node itself does not.
    ::chmod(root_.c_str(), 0755);
    ::chmod((root_ + devnode).c_str(), 0);
    // umockdev connects every opener to the node's ioctl socket.
    ::chmod((root_ + "/ioctl" + devnode).c_str(), 0666);
}

bool SimulatedDeviceTree::TakeFault(Fault& fault, int& error) {
    if (fault.remaining <= 0) {
        return false;
    }
    --fault.remaining;
    error = fault.error;
    return true;
}

std::string SimulatedDeviceTree::RootDir() const {
    return root_;
}

std::vector<std::string> SimulatedDeviceTree::Nodes() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> nodes;
    for (const auto& entry : nodes_) {
        nodes.push_back(entry.first);
    }
    return nodes;
}

std::string SimulatedDeviceTree::NodeWith(std::uint16_t vendorId, std::uint16_t productId,
                                          HidUsage collection) const {
    std::lock_guard lock(mutex_);
    for (const auto& [devnode, node] : nodes_) {
        if (node->vendorId == vendorId && node->productId == productId &&
            std::find(node->collections.begin(), node->collections.end(), collection) !=
                node->collections.end()) {
            return devnode;
        }
    }
    return {};
}

std::string SimulatedDeviceTree::SyspathOf(const std::string& devnode) const {
    const auto node = FindNode(devnode);
    return node ? node->syspath : std::string();
}

std::vector<std::string> SimulatedDeviceTree::Opens() const {
    WaitForOpensAccepted();
    std::lock_guard lock(mutex_);
    return opens_;
}

int SimulatedDeviceTree::OpenFiles(const std::string& devnode) const {
    WaitForOpensAccepted();
    std::lock_guard lock(mutex_);
    // umockdev tells of no close: a file counts as closed once its connection is.
    return static_cast<int>(std::count_if(openFiles_.begin(), openFiles_.end(), [&](const auto& e) {
        return e.second->node && e.second->node->devnode == devnode &&
               umockdev_ioctl_client_get_connected(e.first);
    }));
}

std::vector<FeatureRequest> SimulatedDeviceTree::FeatureRequests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void SimulatedDeviceTree::ClearFeatureRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

std::vector<UeventListener> SimulatedDeviceTree::UeventListeners() const {
    std::vector<UeventListener> listeners;
    for (const BoundSocket& socket : BoundSockets(root_ + "/event")) {
        listeners.push_back({socket.path, socket.queued});
    }
    return listeners;
}

void SimulatedDeviceTree::WaitForOpensAccepted() const {
    // An open connects to the node's socket at once; umockdev's thread accepts
    // it a moment later.
    const auto deadline = std::chrono::steady_clock::now() + OpenPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        const auto sockets = BoundSockets(root_ + "/ioctl/");
        if (std::all_of(sockets.begin(), sockets.end(),
                        [](const BoundSocket& socket) { return socket.queued == 0; })) {
            break;
        }
        std::this_thread::sleep_for(1ms);
    }
    std::this_thread::sleep_for(AcceptSettle);
}

std::shared_ptr<SimulatedDeviceTree::Node> SimulatedDeviceTree::FindNode(
    const std::string& devnode) const {
    std::lock_guard lock(mutex_);
    const auto found = nodes_.find(devnode);
    return found == nodes_.end() ? nullptr : found->second;
}

SimulatedDeviceTree::OpenFile* SimulatedDeviceTree::FindOpenFile(UMockdevIoctlClient* client) {
    std::lock_guard lock(mutex_);
    const auto found = openFiles_.find(client);
    return found == openFiles_.end() ? nullptr : found->second.get();
}

// --- the kernel side of the nodes, on umockdev's worker thread -----------------

void SimulatedDeviceTree::Connected(UMockdevIoctlClient* client) {
    const std::string devnode = umockdev_ioctl_client_get_devnode(client);
    auto file = std::make_unique<OpenFile>();
    file->node = FindNode(devnode);
    if (!file->node) {
        // Opened before a removal that umockdev's thread came to first.
        std::lock_guard lock(mutex_);
        const auto retired = retiredNodes_.find(devnode);
        file->node = retired == retiredNodes_.end() ? nullptr : retired->second;
    }
    if (file->node && file->node->present) {
        file->feature = emulator_.Open(file->node->emulatorPath).device;
    }
    g_object_ref(client);
    {
        std::lock_guard lock(mutex_);
        opens_.push_back(devnode);
        openFiles_[client] = std::move(file);
    }
    ReapClosedFiles();
}

void SimulatedDeviceTree::ReapClosedFiles() {
    // On umockdev's thread, the one that works on the files.
    std::vector<std::pair<UMockdevIoctlClient*, std::unique_ptr<OpenFile>>> closed;
    {
        std::lock_guard lock(mutex_);
        for (auto file = openFiles_.begin(); file != openFiles_.end();) {
            if (umockdev_ioctl_client_get_connected(file->first)) {
                ++file;
            } else {
                closed.emplace_back(file->first, std::move(file->second));
                file = openFiles_.erase(file);
            }
        }
    }
    for (auto& [client, file] : closed) {
        file.reset();
        g_object_unref(client);
    }
}

bool SimulatedDeviceTree::Ioctl(UMockdevIoctlClient* client) {
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    OpenFile* file = FindOpenFile(client);
    const bool feature =
        _IOC_TYPE(request) == 'H' && (_IOC_NR(request) == _IOC_NR(HIDIOCSFEATURE(0)) ||
                                      _IOC_NR(request) == _IOC_NR(HIDIOCGFEATURE(0)));
    if (!file || !file->node || !file->node->present) {
        if (feature && file && file->node) {
            std::lock_guard lock(mutex_);
            requests_.push_back(
                {file->node->devnode, _IOC_NR(request) == _IOC_NR(HIDIOCSFEATURE(0)), ENODEV});
        }
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return true;
    }
    const Node& node = *file->node;
    if (_IOC_TYPE(request) != 'H') {
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return true;
    }
    const std::size_t size = _IOC_SIZE(request);
    std::uint8_t* argument = size > 0 ? Resolve(client, size) : nullptr;
    if (size > 0 && !argument) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return true;
    }
    switch (_IOC_NR(request)) {
        case _IOC_NR(HIDIOCGRDESCSIZE): {
            const int descriptorSize = static_cast<int>(node.descriptor.size());
            std::memcpy(argument, &descriptorSize, sizeof descriptorSize);
            umockdev_ioctl_client_complete(client, 0, 0);
            break;
        }
        case _IOC_NR(HIDIOCGRDESC): {
            auto* descriptor = reinterpret_cast<hidraw_report_descriptor*>(argument);
            if (descriptor->size > sizeof descriptor->value - 1) {
                umockdev_ioctl_client_complete(client, -1, EINVAL);
                break;
            }
            std::memcpy(descriptor->value, node.descriptor.data(),
                        std::min<std::size_t>(descriptor->size, node.descriptor.size()));
            umockdev_ioctl_client_complete(client, 0, 0);
            break;
        }
        case _IOC_NR(HIDIOCGRAWINFO): {
            auto* info = reinterpret_cast<hidraw_devinfo*>(argument);
            info->bustype = BUS_USB;
            info->vendor = static_cast<__s16>(node.vendorId);
            info->product = static_cast<__s16>(node.productId);
            umockdev_ioctl_client_complete(client, 0, 0);
            break;
        }
        case _IOC_NR(HIDIOCGRAWNAME(0)):
        case _IOC_NR(HIDIOCGRAWPHYS(0)): {
            const std::string& text =
                _IOC_NR(request) == _IOC_NR(HIDIOCGRAWNAME(0)) ? node.name : node.phys;
            const std::size_t length = std::min(text.size() + 1, size);
            std::copy_n(text.c_str(), length, argument);
            umockdev_ioctl_client_complete(client, static_cast<long>(length), 0);
            break;
        }
        case _IOC_NR(HIDIOCSFEATURE(0)):
            Feature(client, *file, true, {argument, size});
            break;
        case _IOC_NR(HIDIOCGFEATURE(0)):
            Feature(client, *file, false, {argument, size});
            break;
        default:
            umockdev_ioctl_client_complete(client, -1, ENOTTY);
            break;
    }
    return true;
}

void SimulatedDeviceTree::Feature(UMockdevIoctlClient* client, OpenFile& file, bool set,
                                  std::span<std::uint8_t> report) {
    int error = 0;
    {
        std::lock_guard lock(mutex_);
        TakeFault(set ? setFault_ : getFault_, error);
    }
    bool vanished = false;
    if (error == 0 && report.size() < 2) {
        error = EINVAL;  // a report id and at least one byte
    } else if (error == 0 && !file.feature) {
        error = ENODEV;
    } else if (error == 0) {
        const bool ok = set ? file.feature->SetFeature(report) : file.feature->GetFeature(report);
        if (!ok) {
            error = ErrnoFor(file.feature->LastError());
            vanished = file.feature->LastError() == HidError::DeviceGone;
        }
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back({file.node->devnode, set, error});
    }
    umockdev_ioctl_client_complete(client, error == 0 ? static_cast<long>(report.size()) : -1,
                                   error);
    if (vanished) {
        Update();  // the device left in the middle of the exchange
    }
}

bool SimulatedDeviceTree::Read(UMockdevIoctlClient* client) {
    OpenFile* file = FindOpenFile(client);
    if (!file || !file->node || !file->node->present) {
        umockdev_ioctl_client_complete(client, -1,
                                       EIO);  // what a read gives once the device is gone
        return true;
    }
    if (file->reader.joinable()) {
        file->reader.join();
    }
    UMockdevIoctlData* buffer = umockdev_ioctl_client_get_arg(client);
    g_object_ref(client);
    file->reader = std::thread([this, client, file, buffer] {
        const std::shared_ptr<Node>& node = file->node;
        if (!file->status) {
            file->status = emulator_.OpenPath(node->emulatorPath);
        }
        int read = -1;
        if (file->status) {
            read = file->status->ReadTimeout(
                std::span<std::uint8_t>(buffer->data, static_cast<std::size_t>(buffer->data_len)),
                ReadSlice);
        }
        if (!node->present) {
            read = -1;
        }
        umockdev_ioctl_client_complete(client, read > 0 ? read : -1,
                                       read > 0    ? 0
                                       : read == 0 ? EAGAIN
                                                   : EIO);
        g_object_unref(client);
    });
    return true;
}

void SimulatedDeviceTree::OnConnected(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self) {
    static_cast<SimulatedDeviceTree*>(self)->Connected(client);
}

int SimulatedDeviceTree::OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self) {
    return static_cast<SimulatedDeviceTree*>(self)->Ioctl(client);
}

int SimulatedDeviceTree::OnRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self) {
    return static_cast<SimulatedDeviceTree*>(self)->Read(client);
}

}  // namespace qx9::sim
