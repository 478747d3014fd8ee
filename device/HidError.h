#pragma once

#include <cstdint>

namespace qx9 {

// Transport failures as the retry rules see them. Each backend maps its own
// error codes onto these kinds.
enum class HidError : std::uint8_t {
    None,
    NotReady,
    Crc,
    WriteFault,
    InvalidParameter,
    FunctionFailed,
    DeviceGone,
    BadHandle,
    AccessDenied,
    Other,
};

}  // namespace qx9
