#include "ButtonMappingRules.h"

namespace qx9::buttons {

std::size_t SlotOfRow(std::size_t row, bool leftHanded) {
    if (row == 0 && leftHanded) {
        return slot::Left;
    }
    return MappingRows[row].slot;
}

bool IsLeftHanded(const ButtonSlots& buttons) {
    const SlotAction leftClick = ActionOf(Entry::LeftClick);
    const ButtonSlot& right = buttons[slot::Right];
    return right.ActionType == leftClick.ActionType && right.ActionCode == leftClick.ActionCode;
}

void SetLeftHanded(ButtonSlots& buttons, bool on) {
    ButtonSlot& takesAction = buttons[on ? slot::Left : slot::Right];
    ButtonSlot& takesLeftClick = buttons[on ? slot::Right : slot::Left];
    const std::uint8_t leftClickFilter = takesAction.MulticlickFilter;
    takesAction = takesLeftClick;
    WriteAction(takesLeftClick, ActionOf(Entry::LeftClick));
    takesLeftClick.MulticlickFilter = leftClickFilter;
}

}  // namespace qx9::buttons
