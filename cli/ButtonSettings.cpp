#include "ButtonSettings.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <vector>

#include "BasicSettingsRules.h"
#include "ButtonActions.h"
#include "ButtonMappingRules.h"
#include "FixedCpiRules.h"
#include "KeyTables.h"

namespace qx9::cli {
namespace {

using buttons::Entry;

// The readable names of the actions the menu sets as they stand.
struct NamedEntry {
    Entry entry;
    std::string_view name;
};
constexpr auto EntryNames = std::to_array<NamedEntry>({
    {Entry::LeftClick, "left"},
    {Entry::RightClick, "right"},
    {Entry::MiddleClick, "middle"},
    {Entry::Back, "back"},
    {Entry::Forward, "forward"},
    {Entry::ScrollUp, "scroll-up"},
    {Entry::ScrollDown, "scroll-down"},
    {Entry::CpiLoop, "cpi-loop"},
    {Entry::PlayPause, "media:play-pause"},
    {Entry::Next, "media:next"},
    {Entry::Previous, "media:previous"},
    {Entry::Mute, "media:mute"},
    {Entry::VolumeUp, "media:volume-up"},
    {Entry::VolumeDown, "media:volume-down"},
    {Entry::Browser, "media:browser"},
    {Entry::Explorer, "media:explorer"},
    {Entry::Disable, "disabled"},
});

constexpr std::string_view KeyPrefix = "key:";
constexpr std::string_view FixedCpiPrefix = "fixed-cpi:";
// Bytes as the mouse holds them, for an action no menu entry makes. A profile
// carries them back unchanged; they are never set.
constexpr std::string_view RawPrefix = "raw:";

struct ModifierName {
    std::uint8_t bit;
    std::string_view name;
};
constexpr std::array<ModifierName, 4> ModifierNames{{
    {buttons::modifier::Ctrl, "Ctrl"},
    {buttons::modifier::Shift, "Shift"},
    {buttons::modifier::Alt, "Alt"},
    {buttons::modifier::Win, "Win"},
}};
constexpr std::uint8_t AllModifiers = 0x0F;
constexpr std::uint16_t LastKeyCode = 0xFF;

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// A key by its name in the key tables, one word: blanks become dashes, "+"
// becomes "plus" (it joins the modifiers), and the numeric keypad's keys,
// which share their names with others, start with "num-". A key without a
// name goes by its code.
std::string KeySpelling(std::uint16_t vk) {
    std::string_view name = keys::KeyNameForVk(vk);
    while (name.ends_with(' ')) {
        name.remove_suffix(1);
    }
    if (name.empty()) {
        return "vk-0x" + Hex(vk, 2);
    }
    constexpr std::uint16_t FirstKeypadKey = 0x60;
    constexpr std::uint16_t LastKeypadKey = 0x6F;
    std::string spelled = vk >= FirstKeypadKey && vk <= LastKeypadKey ? "num-" : "";
    for (const char c : name) {
        if (c == ' ') {
            spelled += '-';
        } else if (c == '+') {
            spelled += "plus";
        } else {
            spelled += c;
        }
    }
    return spelled;
}

std::optional<std::uint16_t> KeyOfSpelling(std::string_view spelled) {
    for (std::uint16_t vk = 1; vk <= LastKeyCode; ++vk) {
        if (SameWord(KeySpelling(vk), spelled)) {
            return vk;
        }
    }
    return std::nullopt;
}

std::string CpiText(long long x, long long y) {
    return x == y ? std::to_string(x) : std::to_string(x) + "x" + std::to_string(y);
}

std::string RawName(const buttons::SlotAction& action) {
    return std::string(RawPrefix) + Hex(action.ActionType, 2) + "-" + Hex(action.ActionCode, 2) +
           "-" + Hex(action.Param1, 4) + "-" + Hex(action.Param2, 4);
}

std::optional<std::string> KeyName(const buttons::SlotAction& action) {
    const std::uint16_t vk = keys::KeyUsageToVk(action.Param1);
    // Neither a modifier bit nor a key code the window could capture.
    if ((action.ActionCode & ~AllModifiers) != 0 || action.Param2 != 0 || vk > LastKeyCode ||
        (action.ActionCode == 0 && action.Param1 == 0)) {
        return std::nullopt;
    }
    std::string name(KeyPrefix);
    for (const ModifierName& modifier : ModifierNames) {
        if (action.ActionCode & modifier.bit) {
            name += std::string(modifier.name) + "+";
        }
    }
    if (action.Param1 == 0) {
        name.pop_back();  // modifiers alone, no key
        return name;
    }
    return name + KeySpelling(vk);
}

// The name an action goes by: readable for what the menu makes, raw for the rest.
std::string ActionName(const buttons::SlotAction& action) {
    const std::optional<Entry> entry = buttons::EntryOf(action);
    if (entry == Entry::KeyboardKey) {
        return KeyName(action).value_or(RawName(action));
    }
    if (entry == Entry::FixedCpi && action.ActionCode == 0) {
        return std::string(FixedCpiPrefix) + CpiText(action.Param1, action.Param2);
    }
    for (const NamedEntry& named : EntryNames) {
        if (entry == named.entry && buttons::ActionOf(named.entry) == action) {
            return std::string(named.name);
        }
    }
    return RawName(action);
}

struct ReadAction {
    buttons::SlotAction action;
    bool raw = false;
};

std::optional<long long> Number(std::string_view text, int base = 10) {
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

std::optional<ReadAction> ReadRaw(std::string_view text) {
    std::array<long long, 4> fields{};
    const std::array<int, 4> widths{2, 2, 4, 4};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t width = static_cast<std::size_t>(widths[i]);
        const auto number = Number(text.substr(0, width), 16);
        if (!number || text.size() < width) {
            return std::nullopt;
        }
        fields[i] = *number;
        text.remove_prefix(width);
        if (i + 1 < fields.size()) {
            if (!text.starts_with('-')) {
                return std::nullopt;
            }
            text.remove_prefix(1);
        }
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return ReadAction{
        {static_cast<std::uint8_t>(fields[0]), static_cast<std::uint8_t>(fields[1]),
         static_cast<std::uint16_t>(fields[2]), static_cast<std::uint16_t>(fields[3])},
        true};
}

std::optional<ReadAction> ReadKey(std::string_view text, SettingsEdit& edit) {
    std::uint8_t modifiers = 0;
    std::optional<std::uint16_t> vk;
    while (!text.empty()) {
        // A last part that is a key; "+" only ever joins.
        const std::size_t plus = text.find('+');
        const std::string_view part = text.substr(0, plus);
        text = plus == std::string_view::npos ? std::string_view{} : text.substr(plus + 1);
        const auto modifier =
            std::find_if(ModifierNames.begin(), ModifierNames.end(),
                         [part](const ModifierName& name) { return SameWord(part, name.name); });
        if (modifier != ModifierNames.end()) {
            modifiers |= modifier->bit;
        } else if (text.empty() && (vk = KeyOfSpelling(part))) {
            break;
        } else {
            edit.Problem(std::string(part) +
                         " is no key or modifier (Ctrl, Shift, Alt, Win); "
                         "keys go by the window's names, for example A, "
                         "F13, SPACE, PAGE-UP, num-5");
            return std::nullopt;
        }
    }
    if (!vk && modifiers == 0) {
        edit.Problem("key: expects a key, modifiers or both, for example key:Ctrl+Shift+A");
        return std::nullopt;
    }
    return ReadAction{buttons::KeyboardKeyAction(modifiers, vk.value_or(0))};
}

std::optional<ReadAction> ReadFixedCpi(std::string_view text, SettingsEdit& edit) {
    const std::size_t cross = text.find_first_of("xX");
    const auto x = Number(text.substr(0, cross));
    const auto y = cross == std::string_view::npos ? x : Number(text.substr(cross + 1));
    if (!x || !y) {
        edit.Problem(
            "fixed-cpi: expects a CPI such as fixed-cpi:800, or X and Y as "
            "fixed-cpi:800x1600");
        return std::nullopt;
    }
    bool fits = true;
    const std::vector<long long> values =
        *x == *y ? std::vector<long long>{*x} : std::vector<long long>{*x, *y};
    for (const long long value : values) {
        if (!edit.InRange(value, basic::MinCpi, basic::MaxCpi, {}, " (fixed-cpi)")) {
            fits = false;
        } else if (fixedcpi::NormalizeCpi(static_cast<std::uint32_t>(value)) != value) {
            edit.Problem(std::to_string(value) + " is not a fixed CPI: steps of 10");
            fits = false;
        }
    }
    if (!fits) {
        return std::nullopt;
    }
    return ReadAction{
        buttons::FixedCpiAction(static_cast<std::uint16_t>(*x), static_cast<std::uint16_t>(*y))};
}

std::optional<ReadAction> ReadActionName(std::string_view text, SettingsEdit& edit) {
    if (text.size() >= RawPrefix.size() && SameWord(text.substr(0, RawPrefix.size()), RawPrefix)) {
        if (auto raw = ReadRaw(text.substr(RawPrefix.size()))) {
            return raw;
        }
        edit.Problem(
            "raw: expects the four fields as the mouse holds them, as raw:20-10-0000-0000");
        return std::nullopt;
    }
    if (text.size() >= KeyPrefix.size() && SameWord(text.substr(0, KeyPrefix.size()), KeyPrefix)) {
        return ReadKey(text.substr(KeyPrefix.size()), edit);
    }
    if (text.size() >= FixedCpiPrefix.size() &&
        SameWord(text.substr(0, FixedCpiPrefix.size()), FixedCpiPrefix)) {
        return ReadFixedCpi(text.substr(FixedCpiPrefix.size()), edit);
    }
    for (const NamedEntry& named : EntryNames) {
        if (SameWord(text, named.name)) {
            return ReadAction{buttons::ActionOf(named.entry)};
        }
    }
    edit.Problem(std::string(text) + " is no action; qx9ctl set --help lists them");
    return std::nullopt;
}

// --- the settings --------------------------------------------------------------------
Json LeftHandedValue(const DeviceConfig& config) {
    return buttons::IsLeftHanded(config.Buttons);
}

void AssignLeftHanded(const Json& value, SettingsEdit& edit) {
    const auto on = edit.OnOff(value);
    if (on && !edit.Holds(*on)) {
        buttons::SetLeftHanded(edit.Config().Buttons, *on);
    }
}

template <std::size_t Slot>
Json ActionValue(const DeviceConfig& config) {
    return ActionName(buttons::ActionIn(config.Buttons[Slot]));
}

// In the window's own words, as its rows show them.
template <std::size_t Slot>
std::string ActionWords(const DeviceConfig& config) {
    const ButtonSlot& slot = config.Buttons[Slot];
    return buttons::ActionText(slot).value_or(ActionName(buttons::ActionIn(slot)));
}

// Which main button has a row of its own follows left-handed mode: the other
// one clicks left.
bool MainButtonOpen(std::size_t button, SettingsEdit& edit) {
    if (!edit.KnowsMouse()) {
        return true;
    }
    const bool leftHanded = buttons::IsLeftHanded(edit.Config().Buttons);
    if (button == slot::Left && !leftHanded) {
        edit.Problem("cannot change unless left-handed is on; the right button takes actions");
        return false;
    }
    if (button == slot::Right && leftHanded) {
        edit.Problem(
            "cannot change while left-handed is on: it clicks left, and the left button "
            "takes actions");
        return false;
    }
    return true;
}

template <std::size_t Slot, bool OffersFixedCpi>
void AssignAction(const Json& value, SettingsEdit& edit) {
    const auto text = edit.Text(value);
    if (!text || edit.Holds(*text)) {
        return;
    }
    const auto read = ReadActionName(*text, edit);
    if (!read || edit.Holds(ActionName(read->action))) {
        return;
    }
    if (read->raw) {
        edit.Problem("raw actions are kept as the mouse holds them; set an action by its name");
        return;
    }
    if (!OffersFixedCpi && read->action.ActionType == ActionFixedCpi) {
        edit.Problem("the wheel does not take fixed-cpi");
        return;
    }
    if (MainButtonOpen(Slot, edit)) {
        buttons::WriteAction(edit.Config().Buttons[Slot], read->action);
    }
}

constexpr std::string_view ActionValues = "an action; see Actions below";

using enum Page;
using enum ValueKind;

constexpr std::array<Setting, 8> Table{{
    {"left-handed", Buttons, OnOff,
     "on or off: the right button clicks left, the left one takes "
     "its action",
     LeftHandedValue, nullptr, AssignLeftHanded, true},
    {"left-button", Buttons, Action, ActionValues, ActionValue<slot::Left>, ActionWords<slot::Left>,
     AssignAction<slot::Left, true>},
    {"right-button", Buttons, Action, ActionValues, ActionValue<slot::Right>,
     ActionWords<slot::Right>, AssignAction<slot::Right, true>},
    {"middle-button", Buttons, Action, ActionValues, ActionValue<slot::Middle>,
     ActionWords<slot::Middle>, AssignAction<slot::Middle, true>},
    {"forward-button", Buttons, Action, ActionValues, ActionValue<slot::Forward>,
     ActionWords<slot::Forward>, AssignAction<slot::Forward, true>},
    {"back-button", Buttons, Action, ActionValues, ActionValue<slot::Back>, ActionWords<slot::Back>,
     AssignAction<slot::Back, true>},
    {"wheel-up", Buttons, Action, ActionValues, ActionValue<slot::WheelUp>,
     ActionWords<slot::WheelUp>, AssignAction<slot::WheelUp, false>},
    {"wheel-down", Buttons, Action, ActionValues, ActionValue<slot::WheelDown>,
     ActionWords<slot::WheelDown>, AssignAction<slot::WheelDown, false>},
}};

}  // namespace

std::span<const Setting> ButtonSettings() {
    return Table;
}

std::string_view ActionNamesHelp() {
    return "Actions:\n"
           "  left, right, middle, back, forward, scroll-up, scroll-down, cpi-loop, disabled,\n"
           "  media:play-pause, media:next, media:previous, media:mute, media:volume-up,\n"
           "  media:volume-down, media:browser, media:explorer,\n"
           "  fixed-cpi:800 or fixed-cpi:800x1600 (10..30000 in steps of 10; not on the wheel),\n"
           "  key:[Ctrl+][Shift+][Alt+][Win+]KEY, as key:Ctrl+Shift+A, key:F13 or key:num-5; keys\n"
           "  go by the window's names, blanks as dashes (PAGE-UP), + as plus\n";
}

}  // namespace qx9::cli
