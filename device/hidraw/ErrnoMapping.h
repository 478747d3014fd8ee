#pragma once

#include "HidError.h"

namespace qx9 {

// How a failed hidraw call's errno reads to the retry rules.
HidError HidErrorFromErrno(int error);

}  // namespace qx9
