#pragma once

#include <span>
#include <string_view>

#include "Settings.h"

namespace qx9::cli {

// Left-handed mode and the action of each button the Button Mapping page
// shows. Left-handed mode is applied before every other setting: it moves the
// main buttons' actions and filters, and decides which of them takes an action
// of its own.
std::span<const Setting> ButtonSettings();

// How actions are named on the command line and in a profile, for the help.
std::string_view ActionNamesHelp();

}  // namespace qx9::cli
