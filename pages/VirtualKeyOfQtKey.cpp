#include "VirtualKeyOfQtKey.h"

#include <array>
#include <optional>

namespace qx9 {
namespace {

template <typename From>
struct ToVk {
    From from;
    std::uint16_t vk;
};
using KeyToVk = ToVk<int>;
using KeycodeToVk = ToVk<quint32>;

template <typename Table, typename From>
std::optional<std::uint16_t> Find(const Table& table, From from) {
    for (const auto& entry : table) {
        if (entry.from == from) {
            return entry.vk;
        }
    }
    return std::nullopt;
}

constexpr std::uint16_t VkDigit0 = 0x30;
constexpr std::uint16_t VkA = 0x41;
constexpr std::uint16_t VkNumpad0 = 0x60;
constexpr std::uint16_t VkF1 = 0x70;
constexpr int FunctionKeyCount = 24;

// Keys of the numeric keypad other than its digits; with Num Lock off the
// digits arrive as navigation keys and map as those.
constexpr auto KeypadKeys = std::to_array<KeyToVk>({
    {Qt::Key_Asterisk, 0x6A},
    {Qt::Key_Plus, 0x6B},
    {Qt::Key_Minus, 0x6D},
    {Qt::Key_Period, 0x6E},
    {Qt::Key_Comma, 0x6E},  // the decimal key of layouts that write a comma
    {Qt::Key_Slash, 0x6F},
    {Qt::Key_Enter, 0x0D},
});

// Keys whose meaning does not change with the keyboard layout.
constexpr auto FixedKeys = std::to_array<KeyToVk>({
    {Qt::Key_Cancel, 0x03},     {Qt::Key_Backspace, 0x08},
    {Qt::Key_Tab, 0x09},        {Qt::Key_Backtab, 0x09},  // Shift+Tab
    {Qt::Key_Clear, 0x0C},      {Qt::Key_Return, 0x0D},
    {Qt::Key_Enter, 0x0D},      {Qt::Key_Pause, 0x13},
    {Qt::Key_CapsLock, 0x14},   {Qt::Key_Escape, 0x1B},
    {Qt::Key_Space, 0x20},      {Qt::Key_PageUp, 0x21},
    {Qt::Key_PageDown, 0x22},   {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24},       {Qt::Key_Left, 0x25},
    {Qt::Key_Up, 0x26},         {Qt::Key_Right, 0x27},
    {Qt::Key_Down, 0x28},       {Qt::Key_Select, 0x29},
    {Qt::Key_Printer, 0x2A},    {Qt::Key_Execute, 0x2B},
    {Qt::Key_Print, 0x2C},      {Qt::Key_SysReq, 0x2C},  // Alt+Print Screen
    {Qt::Key_Insert, 0x2D},     {Qt::Key_Delete, 0x2E},
    {Qt::Key_Help, 0x2F},       {Qt::Key_Super_L, 0x5B},
    {Qt::Key_Super_R, 0x5C},    {Qt::Key_Menu, 0x5D},
    {Qt::Key_Sleep, 0x5F},      {Qt::Key_NumLock, 0x90},
    {Qt::Key_ScrollLock, 0x91}, {Qt::Key_AltGr, 0xA5},
    {Qt::Key_Back, 0xA6},       {Qt::Key_Forward, 0xA7},
    {Qt::Key_Refresh, 0xA8},    {Qt::Key_Stop, 0xA9},
    {Qt::Key_Search, 0xAA},     {Qt::Key_Favorites, 0xAB},
    {Qt::Key_HomePage, 0xAC},   {Qt::Key_VolumeMute, 0xAD},
    {Qt::Key_VolumeDown, 0xAE}, {Qt::Key_VolumeUp, 0xAF},
    {Qt::Key_MediaNext, 0xB0},  {Qt::Key_MediaPrevious, 0xB1},
    {Qt::Key_MediaStop, 0xB2},  {Qt::Key_MediaPlay, 0xB3},
    {Qt::Key_MediaPause, 0xB3}, {Qt::Key_MediaTogglePlayPause, 0xB3},
    {Qt::Key_LaunchMail, 0xB4}, {Qt::Key_LaunchMedia, 0xB5},
    {Qt::Key_Launch0, 0xB6},    {Qt::Key_Launch1, 0xB7},
});

// A modifier and its left and right codes, with the right key's xkb keycode.
struct Modifier {
    int key;
    std::uint16_t leftVk;
    std::uint16_t rightVk;
    quint32 rightKeycode;
};
constexpr auto Modifiers = std::to_array<Modifier>({
    {Qt::Key_Shift, 0xA0, 0xA1, 62},
    {Qt::Key_Control, 0xA2, 0xA3, 105},
    {Qt::Key_Alt, 0xA4, 0xA5, 108},
    {Qt::Key_Meta, 0x5B, 0x5C, 134},  // the Windows keys
});

// The digit row and the punctuation keys by their place on the keyboard,
// named as on a US layout.
constexpr auto XkbUsPositions =
    std::to_array<KeycodeToVk>({
        {10, 0x31}, {11, 0x32}, {12, 0x33}, {13, 0x34}, {14, 0x35}, {15, 0x36},
        {16, 0x37}, {17, 0x38}, {18, 0x39}, {19, 0x30}, {20, 0xBD}, {21, 0xBB},
        {34, 0xDB}, {35, 0xDD}, {47, 0xBA}, {48, 0xDE}, {49, 0xC0}, {51, 0xDC},
        {59, 0xBC}, {60, 0xBE}, {61, 0xBF}, {94, 0xE2},  // the extra key beside the left Shift on
                                                         // ISO keyboards
    });

// Letters of layouts whose letters are not latin, by their US place.
constexpr auto XkbLetterPositions = std::to_array<KeycodeToVk>({
    {24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'}, {28, 'T'}, {29, 'Y'}, {30, 'U'},
    {31, 'I'}, {32, 'O'}, {33, 'P'}, {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'},
    {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'}, {46, 'L'}, {52, 'Z'}, {53, 'X'},
    {54, 'C'}, {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'},
});

// Where the scan code says nothing: the punctuation and shifted digits of a US
// layout by the character they give.
constexpr auto UsCharacters = std::to_array<KeyToVk>({
    {Qt::Key_Semicolon, 0xBA},    {Qt::Key_Colon, 0xBA},      {Qt::Key_Equal, 0xBB},
    {Qt::Key_Plus, 0xBB},         {Qt::Key_Comma, 0xBC},      {Qt::Key_Less, 0xBC},
    {Qt::Key_Minus, 0xBD},        {Qt::Key_Underscore, 0xBD}, {Qt::Key_Period, 0xBE},
    {Qt::Key_Greater, 0xBE},      {Qt::Key_Slash, 0xBF},      {Qt::Key_Question, 0xBF},
    {Qt::Key_QuoteLeft, 0xC0},    {Qt::Key_AsciiTilde, 0xC0}, {Qt::Key_BracketLeft, 0xDB},
    {Qt::Key_BraceLeft, 0xDB},    {Qt::Key_Backslash, 0xDC},  {Qt::Key_Bar, 0xDC},
    {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},
    {Qt::Key_QuoteDbl, 0xDE},     {Qt::Key_Exclam, 0x31},     {Qt::Key_At, 0x32},
    {Qt::Key_NumberSign, 0x33},   {Qt::Key_Dollar, 0x34},     {Qt::Key_Percent, 0x35},
    {Qt::Key_AsciiCircum, 0x36},  {Qt::Key_Ampersand, 0x37},  {Qt::Key_Asterisk, 0x38},
    {Qt::Key_ParenLeft, 0x39},    {Qt::Key_ParenRight, 0x30},
});

bool InRange(int key, int first, int last) {
    return key >= first && key <= last;
}

std::optional<std::uint16_t> KeypadVk(int key) {
    if (InRange(key, Qt::Key_0, Qt::Key_9)) {
        return static_cast<std::uint16_t>(VkNumpad0 + (key - Qt::Key_0));
    }
    return Find(KeypadKeys, key);
}

std::optional<std::uint16_t> ModifierVk(int key, ScanCodes scanCodes, quint32 keycode) {
    for (const Modifier& modifier : Modifiers) {
        if (modifier.key == key) {
            const bool right = scanCodes == ScanCodes::Xkb && keycode == modifier.rightKeycode;
            return right ? modifier.rightVk : modifier.leftVk;
        }
    }
    return std::nullopt;
}

std::optional<std::uint16_t> LatinVk(int key) {
    if (InRange(key, Qt::Key_A, Qt::Key_Z)) {
        return static_cast<std::uint16_t>(VkA + (key - Qt::Key_A));
    }
    if (InRange(key, Qt::Key_0, Qt::Key_9)) {
        return static_cast<std::uint16_t>(VkDigit0 + (key - Qt::Key_0));
    }
    if (InRange(key, Qt::Key_F1, Qt::Key_F1 + FunctionKeyCount - 1)) {
        return static_cast<std::uint16_t>(VkF1 + (key - Qt::Key_F1));
    }
    return std::nullopt;
}

}  // namespace

ScanCodes ScanCodesOfPlatform(QStringView platformName) {
    if (platformName == u"xcb" || platformName.startsWith(u"wayland")) {
        return ScanCodes::Xkb;
    }
    return ScanCodes::Unknown;
}

std::uint16_t VirtualKeyOf(const QKeyEvent& event, ScanCodes scanCodes) {
    const int key = event.key();
    const quint32 keycode = event.nativeScanCode();
    const bool xkb = scanCodes == ScanCodes::Xkb && keycode != 0;
    if (event.modifiers() & Qt::KeypadModifier) {
        if (const auto vk = KeypadVk(key)) {
            return *vk;
        }
    }
    if (const auto vk = ModifierVk(key, scanCodes, keycode)) {
        return *vk;
    }
    if (const auto vk = Find(FixedKeys, key)) {
        return *vk;
    }
    if (xkb) {
        if (const auto vk = Find(XkbUsPositions, keycode)) {
            return *vk;
        }
    }
    if (const auto vk = LatinVk(key)) {
        return *vk;
    }
    if (const auto vk = Find(UsCharacters, key)) {
        return *vk;
    }
    if (xkb) {
        if (const auto vk = Find(XkbLetterPositions, keycode)) {
            return *vk;
        }
    }
    return 0;
}

}  // namespace qx9
