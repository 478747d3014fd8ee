#include "ErrnoMapping.h"

#include <cerrno>

namespace qx9 {
namespace {

struct ErrnoKind {
    int error;
    HidError kind;
};

// USB transfer faults (see the kernel's usb error-codes list) are transient and
// retried; a vanished or unusable node is not.
constexpr ErrnoKind ErrnoTable[] = {
    {EAGAIN, HidError::NotReady},          // device not ready for the request yet
    {EBUSY, HidError::NotReady},           // endpoint busy with another transfer
    {EINTR, HidError::NotReady},           // interrupted before the transfer ran
    {ETIMEDOUT, HidError::NotReady},       // control transfer timed out
    {EPROTO, HidError::Crc},               // bit-stuff or protocol error on the bus
    {EILSEQ, HidError::Crc},               // CRC mismatch
    {EOVERFLOW, HidError::Crc},            // babble: more data than the packet holds
    {EIO, HidError::WriteFault},           // transfer failed on the bus
    {EINVAL, HidError::InvalidParameter},  // the driver refused the request as made
    {EPIPE, HidError::FunctionFailed},     // endpoint stalled: the device refused it
    {ENODEV, HidError::DeviceGone},
    {ENOENT, HidError::DeviceGone},
    {ESHUTDOWN, HidError::DeviceGone},
    {ENXIO, HidError::DeviceGone},
    {EBADF, HidError::BadHandle},
    {EACCES, HidError::AccessDenied},
    {EPERM, HidError::AccessDenied},
};

}  // namespace

HidError HidErrorFromErrno(int error) {
    for (const ErrnoKind& entry : ErrnoTable) {
        if (entry.error == error) {
            return entry.kind;
        }
    }
    return HidError::Other;
}

HidError FeatureReadError(int outcome, std::size_t reportSize, int error) {
    if (outcome < 0) {
        return HidErrorFromErrno(error);
    }
    return static_cast<std::size_t>(outcome) < reportSize ? HidError::Other : HidError::None;
}

}  // namespace qx9
