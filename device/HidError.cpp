#include "HidError.h"

namespace qx9 {

const char* HidErrorName(HidError error) {
    switch (error) {
        case HidError::None:
            return "none";
        case HidError::NotReady:
            return "not ready";
        case HidError::Crc:
            return "crc";
        case HidError::WriteFault:
            return "write fault";
        case HidError::InvalidParameter:
            return "invalid parameter";
        case HidError::FunctionFailed:
            return "function failed";
        case HidError::DeviceGone:
            return "device gone";
        case HidError::BadHandle:
            return "bad handle";
        case HidError::AccessDenied:
            return "access denied";
        case HidError::Other:
            return "other";
    }
    return "unknown";
}

}  // namespace qx9
