#pragma once

#include <QKeyEvent>
#include <QStringView>
#include <cstdint>

namespace qx9 {

// What a key event's native scan code tells on this platform.
enum class ScanCodes {
    Unknown,
    Xkb,  // X11 and Wayland: the xkb keycode, which names the key's place on the keyboard
};

ScanCodes ScanCodesOfPlatform(QStringView platformName);

// The Windows virtual-key code of the key an event reports; 0 for a key that
// has none. Left and right modifiers are told apart by the scan code and read
// as the left one where it says nothing; the digit row and the punctuation keys
// go by their place on a US keyboard where the scan code gives it.
std::uint16_t VirtualKeyOf(const QKeyEvent& event, ScanCodes scanCodes);

}  // namespace qx9
