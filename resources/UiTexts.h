#pragma once

// Texts the tool shows or looks for, each exactly as the user or the system
// sees it. Captions of controls live in the .ui files.
namespace qx9::text {

inline constexpr char WindowTitle[] = "Talvern QX9 4k v2 Configuration Tool";
inline constexpr char SingleInstanceName[] = "TVN QX9 4k v2 Configuration Tool";
inline constexpr char UpdaterWindowTitle[] = "Talvern 4k Dongle Firmware Updater";
inline constexpr char UpdaterRunning[] =
    "The 4K dongle is being updated. Please wait until the update is complete before opening "
    "the Configuration Tool.";
inline constexpr char RawInputFailed[] = "regist input failed!";
inline constexpr char DeviceNotificationFailed[] = "RegisterDeviceNotification Failed!";
inline constexpr char PairingInstruction[] = "Hold LMB, RMB and MMB for 3 seconds";
// The number checks of a settings field, worded as the platform's dialogs word them.
inline constexpr char EnterPositiveInteger[] = "Enter a positive integer.";
inline constexpr char EnterIntegerBetween[] = "Enter an integer between %1 and %2.";

inline constexpr char Wired[] = "Wired";
inline constexpr char Wireless[] = "Wireless";
inline constexpr char NotAvailable[] = "N/A";
inline constexpr char Charging[] = "Charging";

// The line under the status area while no device is shown.
inline constexpr char NoDeviceHint[] = "No QX9 found. Plug in the mouse's USB cable or its dongle.";
inline constexpr char AccessRefusedHint[] =
    "A QX9 is plugged in, but access to it was refused. Install the udev rule (in the tool's "
    "source folder: bash scripts/install-udev-rule.sh), then plug the device in again.";

inline constexpr char CommandLineHelp[] =
    "Usage: qx9-config [--help | --version]\n"
    "\n"
    "Configures the QX9 wireless gaming mouse and its 4 kHz dongle: CPI levels,\n"
    "lift-off distance, report rate, click filters, buttons and power timeouts.\n"
    "The tool finds the mouse on its cable or through the dongle by itself and\n"
    "takes no other arguments. Only one copy runs per user session; starting\n"
    "another brings the running one to the front.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n";

// The first row of the Button Mapping page edits whichever main button is not the left click.
inline constexpr char RightButtonRow[] = "Right Button";
inline constexpr char LeftButtonRow[] = "Left Button";

inline constexpr const char* TabTitles[] = {
    "  Basic Settings  ", "  Advanced Settings  ", "  Button Mapping  ",
    "  Power Settings  ", "  Pairing  ",
};

}  // namespace qx9::text
