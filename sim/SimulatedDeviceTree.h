#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "FeatureBackend.h"
#include "Qx9Emulator.h"

// As umockdev.h declares them, without pulling GLib into every user.
typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;

namespace qx9::sim {

// One feature-report ioctl as the simulated kernel answered it.
struct FeatureRequest {
    std::string devnode;
    bool set = false;  // HIDIOCSFEATURE; otherwise HIDIOCGFEATURE
    int error = 0;     // errno, 0 when it succeeded
};

// A process listening for uevents, as the tree delivers them.
struct UeventListener {
    std::string socketPath;
    std::uint32_t unreadBytes = 0;
};

// The emulated mouse and dongle as the Linux kernel shows them, built with
// umockdev: a USB device per plugged endpoint, an interface each with its HID
// device (HID_ID, HID_NAME, report descriptor) and its hidraw node. Every
// program running under the umockdev preload with this tree's UMOCKDEV_DIR
// (the creating process, and children started after it) sees this tree instead
// of /sys and /dev. Feature ioctls and reads on the nodes are answered by the
// emulator through its backend interfaces, so its timing and faults hold.
//
// Where umockdev cannot follow the kernel: a node always polls readable, so a
// read waits for a report itself and answers EAGAIN after a short while; an
// open cannot be refused by the tree, only by the node file's permissions or
// its absence; a watcher's uevent socket holds ten events, and one more makes
// umockdev abort, so the tree waits (a while) for watchers to read before it
// announces the next device.
class SimulatedDeviceTree {
  public:
    explicit SimulatedDeviceTree(emu::Qx9Emulator& emulator);
    SimulatedDeviceTree(const SimulatedDeviceTree&) = delete;
    SimulatedDeviceTree& operator=(const SimulatedDeviceTree&) = delete;
    ~SimulatedDeviceTree();

    // The hardware changes, and the tree follows it as the kernel would: nodes
    // come and go, each device announcing itself with its uevents.
    void PlugCable(bool plugged);
    void PlugDongle(bool plugged);
    // Lays out what the emulator shows now, after a change made on it directly.
    void Update();

    // The next `count` feature ioctls of that direction fail with `error`.
    void FailNextSetFeature(int count, int error);
    void FailNextGetFeature(int count, int error);
    // Only the tree's owner may open the node, as without the udev rule.
    void DenyAccess(const std::string& devnode);

    std::string RootDir() const;
    std::vector<std::string> Nodes() const;
    // The node whose device has these ids and carries this collection.
    std::string NodeWith(std::uint16_t vendorId, std::uint16_t productId,
                         HidUsage collection) const;
    std::string SyspathOf(const std::string& devnode) const;
    // Every open of a node so far, in order, and how many are still open.
    std::vector<std::string> Opens() const;
    int OpenFiles(const std::string& devnode) const;
    std::vector<FeatureRequest> FeatureRequests() const;
    void ClearFeatureRequests();
    // The uevent sockets of the processes that watch this tree.
    std::vector<UeventListener> UeventListeners() const;

  private:
    struct Node;
    struct UsbDevice;
    struct OpenFile;
    struct Fault {
        int remaining = 0;
        int error = 0;
    };

    void AddDevice(std::uint16_t vendorId, std::uint16_t productId,
                   const std::vector<HidInterfaceInfo>& interfaces);
    void RemoveDevice(UsbDevice& device);
    void WaitForUeventsRead() const;
    void WaitForOpensAccepted() const;
    int FreeMinor() const;
    std::shared_ptr<Node> FindNode(const std::string& devnode) const;
    OpenFile* FindOpenFile(UMockdevIoctlClient* client);
    bool TakeFault(Fault& fault, int& error);

    void Connected(UMockdevIoctlClient* client);
    void ReapClosedFiles();
    bool Ioctl(UMockdevIoctlClient* client);
    bool Read(UMockdevIoctlClient* client);
    void Feature(UMockdevIoctlClient* client, OpenFile& file, bool set,
                 std::span<std::uint8_t> report);

    static void OnConnected(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self);
    static int OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self);
    static int OnRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self);

    emu::Qx9Emulator& emulator_;
    UMockdevTestbed* testbed_;
    UMockdevIoctlBase* handler_;
    std::string root_;
    int firstMinor_ = 0;
    unsigned nextHidInstance_ = 1;
    std::map<std::uint32_t, int> ports_;

    // Changes to the tree come one at a time, from any thread.
    std::recursive_mutex layoutMutex_;
    std::vector<std::unique_ptr<UsbDevice>> devices_;

    mutable std::mutex mutex_;
    std::map<std::string, std::shared_ptr<Node>> nodes_;
    // Removed nodes, their handlers still attached for the handles held on them.
    std::map<std::string, std::shared_ptr<Node>> retiredNodes_;
    std::map<UMockdevIoctlClient*, std::unique_ptr<OpenFile>> openFiles_;
    std::vector<std::string> opens_;
    std::vector<FeatureRequest> requests_;
    Fault setFault_;
    Fault getFault_;
};

}  // namespace qx9::sim
