#pragma once

#include <cstddef>

#include "HidError.h"

namespace qx9 {

// How a failed hidraw call's errno reads to the retry rules.
HidError HidErrorFromErrno(int error);

// How a feature read's ioctl result reads: None for the whole report; the
// errno's kind when the call failed; a failure too when fewer bytes came back
// than the report holds, since the rest of the buffer would be no reply.
HidError FeatureReadError(int outcome, std::size_t reportSize, int error);

}  // namespace qx9
