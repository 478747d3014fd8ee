#include "KeyTables.h"

#include <array>

namespace qx9::keys {
namespace {

struct KeyName {
    std::uint16_t vk;
    std::string_view name;
};

// The trailing blanks of "UP ARROW " and "Volume Up " are part of the names.
constexpr auto NamedKeys = std::to_array<KeyName>({
    {0x01, "Left Button"},
    {0x02, "Right Button"},
    {0x04, "Middle Button"},
    {0x08, "BACK"},
    {0x09, "TAB"},
    {0x0C, "CLEAR"},
    {0x0D, "ENTER"},
    {0x13, "PAUSE"},
    {0x14, "CAPS LOCK"},
    {0x1B, "ESC"},
    {0x20, "SPACE"},
    {0x21, "PAGE UP"},
    {0x22, "PAGE DOWN"},
    {0x23, "END"},
    {0x24, "HOME"},
    {0x25, "LEFT ARROW"},
    {0x26, "UP ARROW "},
    {0x27, "RIGHT ARROW"},
    {0x28, "DOWN ARROW"},
    {0x29, "SELECT"},
    {0x2A, "PRINT"},
    {0x2B, "EXECUTE"},
    {0x2C, "PRINT SCREEN"},
    {0x2D, "INS"},
    {0x2E, "DEL"},
    {0x2F, "HELP"},
    {0x5B, "Left Window"},
    {0x5C, "Right Window"},
    {0x5D, "Application"},
    {0x6A, "*"},
    {0x6B, "+"},
    {0x6D, "-"},
    {0x6E, "."},
    {0x6F, "/"},
    {0x90, "NUM LOCK"},
    {0x91, "SCROLL LOCK"},
    {0xA0, "Left SHIFT"},
    {0xA1, "Right SHIFT"},
    {0xA2, "Left CONTROL"},
    {0xA3, "Right CONTROL"},
    {0xA4, "Left ALT"},
    {0xA5, "Right ALT"},
    {0xA7, "Browser Forward"},
    {0xA8, "Browser Refresh"},
    {0xAE, "Volume Down"},
    {0xAF, "Volume Up "},
    {0xBA, ";"},
    {0xBB, "+"},
    {0xBC, ","},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "/"},
    {0xC0, "`"},
    {0xDB, "["},
    {0xDC, "\\"},
    {0xDD, "]"},
    {0xDE, "'"},
    {0xFF, "Fn"},
});

constexpr std::string_view Digits = "0123456789";
constexpr std::string_view Letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::array<std::string_view, 24> FunctionKeys{
    "F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",  "F9",  "F10", "F11", "F12",
    "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};

constexpr std::uint16_t TopRowDigits = 0x30;
constexpr std::uint16_t LetterA = 0x41;
constexpr std::uint16_t KeypadDigits = 0x60;
constexpr std::uint16_t F1 = 0x70;

constexpr bool InRange(std::uint16_t code, std::uint16_t first, std::size_t count) {
    return code >= first && code < first + count;
}

// A run of consecutive codes that map to consecutive usages.
struct UsageRange {
    std::uint16_t firstVk;
    std::uint16_t count;
    std::uint16_t firstUsage;
};
constexpr std::array<UsageRange, 4> UsageRanges{{
    {LetterA, 26, 0x04},
    {TopRowDigits + 1, 9, 0x1E},  // 1..9; 0 comes after 9 on the keyboard page
    {F1, 12, 0x3A},
    {KeypadDigits + 1, 9, 0x59},  // keypad 1..9; keypad 0 comes after 9
}};

struct KeyUsage {
    std::uint16_t vk;
    std::uint16_t usage;
};
constexpr auto SingleUsages = std::to_array<KeyUsage>({
    {0x03, 0x48}, {0x08, 0x2A}, {0x09, 0x2B}, {0x0D, 0x28}, {0x13, 0x48}, {0x14, 0x39},
    {0x1B, 0x29}, {0x20, 0x2C}, {0x21, 0x4B}, {0x22, 0x4E}, {0x23, 0x4D}, {0x24, 0x4A},
    {0x25, 0x50}, {0x26, 0x52}, {0x27, 0x4F}, {0x28, 0x51}, {0x2C, 0x46}, {0x2D, 0x49},
    {0x2E, 0x4C}, {0x30, 0x27}, {0x5B, 0xE3}, {0x5C, 0xE7}, {0x5D, 0x65}, {0x60, 0x62},
    {0x6A, 0x55}, {0x6B, 0x57}, {0x6D, 0x56}, {0x6E, 0x63}, {0x6F, 0x54}, {0x90, 0x53},
    {0x91, 0x47}, {0xA0, 0xE1}, {0xA1, 0xE5}, {0xA2, 0xE0}, {0xA3, 0xE4}, {0xA4, 0xE2},
    {0xA5, 0xE6}, {0xAE, 0x81}, {0xAF, 0x80}, {0xBA, 0x33}, {0xBB, 0x2E}, {0xBC, 0x36},
    {0xBD, 0x2D}, {0xBE, 0x37}, {0xBF, 0x38}, {0xC0, 0x35}, {0xDB, 0x2F}, {0xDC, 0x31},
    {0xDD, 0x30}, {0xDE, 0x34},
});
// Ctrl+Break and Pause send the same usage; it reads back as Pause.
constexpr std::uint16_t CtrlBreak = 0x03;

}  // namespace

std::string_view KeyNameForVk(std::uint16_t vk) {
    if (InRange(vk, TopRowDigits, Digits.size())) {
        return Digits.substr(vk - TopRowDigits, 1);
    }
    if (InRange(vk, KeypadDigits, Digits.size())) {
        return Digits.substr(vk - KeypadDigits, 1);
    }
    if (InRange(vk, LetterA, Letters.size())) {
        return Letters.substr(vk - LetterA, 1);
    }
    if (InRange(vk, F1, FunctionKeys.size())) {
        return FunctionKeys[vk - F1];
    }
    for (const KeyName& key : NamedKeys) {
        if (key.vk == vk) {
            return key.name;
        }
    }
    return {};
}

std::uint16_t VkToKeyUsage(std::uint16_t vk) {
    for (const UsageRange& range : UsageRanges) {
        if (InRange(vk, range.firstVk, range.count)) {
            return static_cast<std::uint16_t>(range.firstUsage + (vk - range.firstVk));
        }
    }
    for (const KeyUsage& key : SingleUsages) {
        if (key.vk == vk) {
            return key.usage;
        }
    }
    return vk;
}

std::uint16_t KeyUsageToVk(std::uint16_t usage) {
    for (const UsageRange& range : UsageRanges) {
        if (InRange(usage, range.firstUsage, range.count)) {
            return static_cast<std::uint16_t>(range.firstVk + (usage - range.firstUsage));
        }
    }
    for (const KeyUsage& key : SingleUsages) {
        if (key.usage == usage && key.vk != CtrlBreak) {
            return key.vk;
        }
    }
    return usage;
}

}  // namespace qx9::keys
