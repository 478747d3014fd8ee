#pragma once

#include "Qx9Emulator.h"

namespace qx9::cli {

// The emulated hardware as `qx9ctl --emulator` finds it, and as the demo
// starts: the mouse on its cable and switched on, its dongle plugged in and
// paired. Every run starts from the factory settings.
void SetUpEmulatedQx9(emu::Qx9Emulator& emulator);

}  // namespace qx9::cli
