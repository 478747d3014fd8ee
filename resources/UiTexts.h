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

inline constexpr const char* TabTitles[] = {
    "  Basic Settings  ", "  Advanced Settings  ", "  Button Mapping  ",
    "  Power Settings  ", "  Pairing  ",
};

}  // namespace qx9::text
