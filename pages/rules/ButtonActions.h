#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "DeviceConfig.h"

// The actions a mouse button can take: how each is written into a button
// slot, how a slot reads back as text, and the menu that offers them. Codes
// are those of the HID Usage Tables (mouse-button bits, consumer-page and
// keyboard-page usages, keyboard modifier bits).
namespace qx9::buttons {

// What a slot does; its multiclick filter is no part of it.
struct SlotAction {
    std::uint8_t ActionType = 0;
    std::uint8_t ActionCode = 0;
    std::uint16_t Param1 = 0;
    std::uint16_t Param2 = 0;
    friend bool operator==(const SlotAction&, const SlotAction&) = default;
};

enum class Entry {
    LeftClick,
    RightClick,
    MiddleClick,
    Forward,
    Back,
    ScrollUp,
    ScrollDown,
    KeyboardKey,  // asks for the key first
    CpiLoop,
    FixedCpi,  // asks for the X and Y values first
    PlayPause,
    Next,
    Previous,
    Mute,
    VolumeUp,
    VolumeDown,
    Browser,
    Explorer,
    Disable,
};

// The caption of an entry, which is also the text of a slot holding its action.
std::string_view Caption(Entry entry);
// The action an entry writes as it stands; the two entries that ask for values
// give their action type with every other field 0.
SlotAction ActionOf(Entry entry);
// The entry that made a slot's action; none for an action no entry makes.
std::optional<Entry> EntryOf(const SlotAction& action);

// Keyboard modifier bits of a keyboard action's ActionCode.
namespace modifier {
inline constexpr std::uint8_t Ctrl = 0x01;
inline constexpr std::uint8_t Shift = 0x02;
inline constexpr std::uint8_t Alt = 0x04;
inline constexpr std::uint8_t Win = 0x08;
}  // namespace modifier

// A key with modifiers, the key given as a Windows virtual-key code (0: none).
SlotAction KeyboardKeyAction(std::uint8_t modifiers, std::uint16_t vk);
SlotAction FixedCpiAction(std::uint16_t x, std::uint16_t y);

// "Shift+", "CTRL+", "Win+", "Alt+", in that order, for the bits set.
std::string ModifierPrefixes(std::uint8_t modifiers);
std::string FixedCpiText(std::uint32_t x, std::uint32_t y);

SlotAction ActionIn(const ButtonSlot& slot);
// The four action fields; the slot keeps its multiclick filter.
void WriteAction(ButtonSlot& slot, const SlotAction& action);
// None for an action no entry makes: whoever shows the slot keeps its text.
std::optional<std::string> ActionText(const ButtonSlot& slot);

// --- the menu that offers the actions -------------------------------------------
// A sub-menu with its entries, or, without a caption, one entry of the top level.
struct MenuItem {
    std::string_view submenu;
    std::span<const Entry> entries;
};

inline constexpr std::array<Entry, 7> MouseEntries{
    Entry::LeftClick, Entry::RightClick, Entry::MiddleClick, Entry::Forward,
    Entry::Back,      Entry::ScrollUp,   Entry::ScrollDown};
inline constexpr std::array<Entry, 1> KeyboardEntries{Entry::KeyboardKey};
inline constexpr std::array<Entry, 2> CpiEntries{Entry::CpiLoop, Entry::FixedCpi};
inline constexpr std::array<Entry, 8> MediaEntries{
    Entry::PlayPause, Entry::Next,       Entry::Previous, Entry::Mute,
    Entry::VolumeUp,  Entry::VolumeDown, Entry::Browser,  Entry::Explorer};
inline constexpr std::array<Entry, 1> DisableEntries{Entry::Disable};

inline constexpr std::array<MenuItem, 5> ActionMenu{{
    {"MOUSE", MouseEntries},
    {"", KeyboardEntries},
    {"CPI", CpiEntries},
    {"MEDIA", MediaEntries},
    {"", DisableEntries},
}};

}  // namespace qx9::buttons
