#include "EmulatedQx9.h"

namespace qx9::cli {

void SetUpEmulatedQx9(emu::Qx9Emulator& emulator) {
    emulator.PlugCable(true);
    emulator.PlugDongle(true);
}

}  // namespace qx9::cli
