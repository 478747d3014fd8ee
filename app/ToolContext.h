#pragma once

#include "CommandSet.h"
#include "ConfigStore.h"
#include "DeviceLink.h"
#include "HotPlugSource.h"
#include "Notifier.h"
#include "PairingHotKey.h"
#include "RawMouseInput.h"
#include "SingleInstance.h"
#include "StatusListener.h"
#include "StatusRecordRelay.h"
#include "UpdaterWindowProbe.h"

namespace qx9 {

// The device side the main window works with; one of each in the program.
struct DeviceContext {
    DeviceLink& link;
    ConfigStore& store;
    CommandSet& commands;
    StatusListener& listener;
    StatusRecordRelay& records;
};

// What the window needs from the desktop it runs on.
struct PlatformContext {
    SingleInstance& instance;
    UpdaterWindowProbe& updaterProbe;
    PairingHotKey& hotKey;
    HotPlugSource& hotPlug;
    RawMouseInput& rawInput;
    Notifier& notifier;
};

}  // namespace qx9
