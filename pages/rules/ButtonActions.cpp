#include "ButtonActions.h"

#include "KeyTables.h"

namespace qx9::buttons {
namespace {

struct EntryDefinition {
    Entry entry;
    std::string_view caption;
    SlotAction action;
};

// In the order of the Entry enumeration.
constexpr auto Definitions = std::to_array<EntryDefinition>({
    {Entry::LeftClick, "LEFT CLICK", {ActionMouseButton, 0x01, 0, 0}},
    {Entry::RightClick, "RIGHT CLICK", {ActionMouseButton, 0x02, 0, 0}},
    {Entry::MiddleClick, "MIDDLE CLICK", {ActionMouseButton, 0x04, 0, 0}},
    {Entry::Forward, "FORWARD", {ActionMouseButton, 0x10, 0, 0}},
    {Entry::Back, "BACK", {ActionMouseButton, 0x08, 0, 0}},
    {Entry::ScrollUp, "SCROLL UP", {ActionWheel, 0x01, 0, 0}},
    {Entry::ScrollDown, "SCROLL DOWN", {ActionWheel, 0xFF, 0, 0}},
    {Entry::KeyboardKey, "KEYBOARD KEY", {ActionKeyboardKey, 0, 0, 0}},
    {Entry::CpiLoop, "CPI LOOP", {ActionCpiLoop, 0xF1, 0, 0}},
    {Entry::FixedCpi, "FIXED CPI", {ActionFixedCpi, 0x00, 0, 0}},
    {Entry::PlayPause, "PLAY/PAUSE", {ActionMediaKey, 0xCD, 0, 0}},
    {Entry::Next, "NEXT", {ActionMediaKey, 0xB5, 0, 0}},
    {Entry::Previous, "PREVIOUS", {ActionMediaKey, 0xB6, 0, 0}},
    {Entry::Mute, "MUTE", {ActionMediaKey, 0xE2, 0, 0}},
    {Entry::VolumeUp, "VOLUME UP", {ActionMediaKey, 0xE9, 0, 0}},
    {Entry::VolumeDown, "VOLUME DOWN", {ActionMediaKey, 0xEA, 0, 0}},
    // A launch usage is 16 bits wide: its high byte goes in Param1.
    {Entry::Browser, "BROWSER", {ActionLaunch, 0x96, 0x01, 0}},
    {Entry::Explorer, "EXPLORER", {ActionLaunch, 0x94, 0x01, 0}},
    {Entry::Disable, "DISABLE", {ActionDisabled, 0x00, 0, 0}},
});

constexpr bool InEntryOrder() {
    for (std::size_t at = 0; at < Definitions.size(); ++at) {
        if (Definitions[at].entry != static_cast<Entry>(at)) {
            return false;
        }
    }
    return true;
}
static_assert(InEntryOrder());

const EntryDefinition& DefinitionOf(Entry entry) {
    return Definitions[static_cast<std::size_t>(entry)];
}

struct Prefix {
    std::uint8_t bit;
    std::string_view text;
};
constexpr std::array<Prefix, 4> Prefixes{{
    {modifier::Shift, "Shift+"},
    {modifier::Ctrl, "CTRL+"},
    {modifier::Win, "Win+"},
    {modifier::Alt, "Alt+"},
}};

}  // namespace

std::string_view Caption(Entry entry) {
    return DefinitionOf(entry).caption;
}

SlotAction ActionOf(Entry entry) {
    return DefinitionOf(entry).action;
}

std::optional<Entry> EntryOf(const SlotAction& action) {
    switch (action.ActionType) {
        case ActionKeyboardKey:
            return Entry::KeyboardKey;
        case ActionFixedCpi:
            return Entry::FixedCpi;
        case ActionDisabled:
            return Entry::Disable;  // whatever the code
        default:
            break;
    }
    // The rest are told apart by their code alone.
    for (const EntryDefinition& definition : Definitions) {
        if (definition.action.ActionType == action.ActionType &&
            definition.action.ActionCode == action.ActionCode) {
            return definition.entry;
        }
    }
    return std::nullopt;
}

SlotAction KeyboardKeyAction(std::uint8_t modifiers, std::uint16_t vk) {
    return {ActionKeyboardKey, modifiers, keys::VkToKeyUsage(vk), 0};
}

SlotAction FixedCpiAction(std::uint16_t x, std::uint16_t y) {
    return {ActionFixedCpi, 0x00, x, y};
}

std::string ModifierPrefixes(std::uint8_t modifiers) {
    std::string text;
    for (const Prefix& prefix : Prefixes) {
        if (modifiers & prefix.bit) {
            text += prefix.text;
        }
    }
    return text;
}

std::string FixedCpiText(std::uint32_t x, std::uint32_t y) {
    if (x == y) {
        return "CPI: " + std::to_string(x);
    }
    return "X: " + std::to_string(x) + ", Y: " + std::to_string(y);
}

SlotAction ActionIn(const ButtonSlot& slot) {
    return {slot.ActionType, slot.ActionCode, slot.Param1, slot.Param2};
}

void WriteAction(ButtonSlot& slot, const SlotAction& action) {
    slot.ActionType = action.ActionType;
    slot.ActionCode = action.ActionCode;
    slot.Param1 = action.Param1;
    slot.Param2 = action.Param2;
}

std::optional<std::string> ActionText(const ButtonSlot& slot) {
    const std::optional<Entry> entry = EntryOf(ActionIn(slot));
    if (!entry) {
        return std::nullopt;
    }
    switch (*entry) {
        case Entry::KeyboardKey:
            return ModifierPrefixes(slot.ActionCode) +
                   std::string(keys::KeyNameForVk(keys::KeyUsageToVk(slot.Param1)));
        case Entry::FixedCpi:
            return FixedCpiText(slot.Param1, slot.Param2);
        default:
            return std::string(Caption(*entry));
    }
}

}  // namespace qx9::buttons
