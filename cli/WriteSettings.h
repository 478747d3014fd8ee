#pragma once

#include "Commands.h"
#include "DeviceConfig.h"

namespace qx9::cli {

// Writes an edited record through the window's APPLY sequence, which sends
// only the sections that differ from what the mouse holds, and says which
// settings changed.
ExitCode WriteSettings(CommandContext& context, DeviceSession& session, const DeviceConfig& edited);

}  // namespace qx9::cli
