#pragma once

#include <array>
#include <cstddef>

#include "ButtonActions.h"
#include "DeviceConfig.h"

// Which slots the Button Mapping rows edit, and left-handed mode: the right
// button clicking left, with the left button taking over the right button's
// action.
namespace qx9::buttons {

using ButtonSlots = std::array<ButtonSlot, ButtonSlotCount>;

struct MappingRow {
    std::size_t slot;
    Entry shownAtStart;  // the caption before anything is loaded
    bool offersFixedCpi;
};

// Top to bottom. The first row edits the left button instead in left-handed mode.
inline constexpr std::array<MappingRow, 6> MappingRows{{
    {slot::Right, Entry::RightClick, true},
    {slot::Middle, Entry::MiddleClick, true},
    {slot::Forward, Entry::Forward, true},
    {slot::Back, Entry::Back, true},
    {slot::WheelUp, Entry::ScrollUp, false},
    {slot::WheelDown, Entry::ScrollDown, false},
}};

std::size_t SlotOfRow(std::size_t row, bool leftHanded);

// The mouse keeps no flag for it: the right button clicking left is left-handed mode.
bool IsLeftHanded(const ButtonSlots& buttons);

// The main button that is not the left click takes the other's action, and
// each multiclick filter stays with the click it belongs to.
void SetLeftHanded(ButtonSlots& buttons, bool on);

}  // namespace qx9::buttons
