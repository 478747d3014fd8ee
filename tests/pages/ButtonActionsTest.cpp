#include <gtest/gtest.h>

#include "ButtonActions.h"
#include "ButtonMappingRules.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

using namespace buttons;

struct EntryCase {
    const char* name;
    Entry entry;
    std::string_view caption;
    SlotAction action;
};

class MenuEntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(MenuEntryTest, WritesItsFourFieldsAndReadsBackAsItsCaption) {
    ButtonSlot slot{0x55, 0x55, 0x5555, 0x5555, 17};
    WriteAction(slot, ActionOf(GetParam().entry));

    const SlotAction& expected = GetParam().action;
    EXPECT_EQ(slot, (ButtonSlot{expected.ActionType, expected.ActionCode, expected.Param1,
                                expected.Param2, 17}))
        << "the multiclick filter stays";
    EXPECT_EQ(Caption(GetParam().entry), GetParam().caption);
    EXPECT_EQ(ActionText(slot), std::string(GetParam().caption));
    EXPECT_EQ(EntryOf(ActionIn(slot)), GetParam().entry);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MenuEntryTest,
    ::testing::Values(EntryCase{"LeftClick", Entry::LeftClick, "LEFT CLICK", {0x00, 0x01, 0, 0}},
                      EntryCase{"RightClick", Entry::RightClick, "RIGHT CLICK", {0x00, 0x02, 0, 0}},
                      EntryCase{
                          "MiddleClick", Entry::MiddleClick, "MIDDLE CLICK", {0x00, 0x04, 0, 0}},
                      EntryCase{"Forward", Entry::Forward, "FORWARD", {0x00, 0x10, 0, 0}},
                      EntryCase{"Back", Entry::Back, "BACK", {0x00, 0x08, 0, 0}},
                      EntryCase{"ScrollUp", Entry::ScrollUp, "SCROLL UP", {0x01, 0x01, 0, 0}},
                      EntryCase{"ScrollDown", Entry::ScrollDown, "SCROLL DOWN", {0x01, 0xFF, 0, 0}},
                      EntryCase{"CpiLoop", Entry::CpiLoop, "CPI LOOP", {0x09, 0xF1, 0, 0}},
                      EntryCase{"PlayPause", Entry::PlayPause, "PLAY/PAUSE", {0x20, 0xCD, 0, 0}},
                      EntryCase{"Next", Entry::Next, "NEXT", {0x20, 0xB5, 0, 0}},
                      EntryCase{"Previous", Entry::Previous, "PREVIOUS", {0x20, 0xB6, 0, 0}},
                      EntryCase{"Mute", Entry::Mute, "MUTE", {0x20, 0xE2, 0, 0}},
                      EntryCase{"VolumeUp", Entry::VolumeUp, "VOLUME UP", {0x20, 0xE9, 0, 0}},
                      EntryCase{"VolumeDown", Entry::VolumeDown, "VOLUME DOWN", {0x20, 0xEA, 0, 0}},
                      EntryCase{"Browser", Entry::Browser, "BROWSER", {0x18, 0x96, 1, 0}},
                      EntryCase{"Explorer", Entry::Explorer, "EXPLORER", {0x18, 0x94, 1, 0}},
                      EntryCase{"Disable", Entry::Disable, "DISABLE", {0xFF, 0x00, 0, 0}}),
    test::CaseName{});

struct TextCase {
    const char* name;
    SlotAction action;
    std::optional<std::string> text;
};

class ActionTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ActionTextTest, RendersTheSlot) {
    ButtonSlot slot;
    WriteAction(slot, GetParam().action);
    EXPECT_EQ(ActionText(slot), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ActionTextTest,
    ::testing::Values(TextCase{"ShiftThenCtrl", {0x02, 0x03, 0x04, 0}, "Shift+CTRL+A"},
                      TextCase{
                          "EveryModifierInOrder", {0x02, 0x0F, 0x1E, 0}, "Shift+CTRL+Win+Alt+1"},
                      TextCase{"WinBeforeAlt", {0x02, 0x0C, 0x2C, 0}, "Win+Alt+SPACE"},
                      TextCase{"ModifiersWithoutAKey", {0x02, 0x01, 0, 0}, "CTRL+"},
                      TextCase{"PauseFromEitherCode", {0x02, 0x00, 0x48, 0}, "PAUSE"},
                      TextCase{"KeypadDigit", {0x02, 0x00, 0x5D, 0}, "5"},
                      TextCase{"PassedThroughKey", {0x02, 0x00, 0x7C, 0}, "F13"},
                      TextCase{"SameCpiOnBothAxes", {0x0C, 0x00, 800, 800}, "CPI: 800"},
                      TextCase{"SplitCpi", {0x0C, 0x00, 800, 1600}, "X: 800, Y: 1600"},
                      TextCase{"LaunchGoesByItsLowByte", {0x18, 0x96, 0, 0}, "BROWSER"},
                      TextCase{"DisabledWhateverTheCode", {0xFF, 0x42, 7, 7}, "DISABLE"},
                      TextCase{"UnknownMouseButton", {0x00, 0x20, 0, 0}, std::nullopt},
                      TextCase{"UnknownWheelCode", {0x01, 0x02, 0, 0}, std::nullopt},
                      TextCase{"CpiLoopWithAnotherCode", {0x09, 0x00, 0, 0}, std::nullopt},
                      TextCase{"UnknownLaunch", {0x18, 0x95, 1, 0}, std::nullopt},
                      TextCase{"UnknownMediaKey", {0x20, 0x10, 0, 0}, std::nullopt},
                      TextCase{"UnknownType", {0x05, 0x01, 0, 0}, std::nullopt}),
    test::CaseName{});

struct KeyActionCase {
    const char* name;
    std::uint8_t modifiers;
    std::uint16_t vk;
    SlotAction action;
};

class KeyboardActionTest : public ::testing::TestWithParam<KeyActionCase> {};

TEST_P(KeyboardActionTest, StoresTheMaskAndTheKeysUsage) {
    EXPECT_EQ(KeyboardKeyAction(GetParam().modifiers, GetParam().vk), GetParam().action);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyboardActionTest,
    ::testing::Values(KeyActionCase{"ShiftAltA", 0x06, 0x41, {0x02, 0x06, 0x04, 0}},
                      KeyActionCase{"CtrlWithoutAKey", 0x01, 0x00, {0x02, 0x01, 0x00, 0}},
                      KeyActionCase{"KeypadFive", 0x00, 0x65, {0x02, 0x00, 0x5D, 0}},
                      KeyActionCase{"F13Unchanged", 0x00, 0x7C, {0x02, 0x00, 0x7C, 0}}),
    test::CaseName{});

TEST(FixedCpiActionTest, CarriesBothAxes) {
    EXPECT_EQ(FixedCpiAction(800, 1600), (SlotAction{0x0C, 0x00, 800, 1600}));
}

// --- rows and left-handed mode ---------------------------------------------------------

ButtonSlots DefaultButtons() {
    DeviceConfig config;
    ResetConfigDefaults(config);
    return config.Buttons;
}

TEST(MappingRowsTest, OnlyTheFirstRowFollowsLeftHandedMode) {
    const std::array<std::size_t, 6> rightHanded{1, 2, 4, 3, 6, 7};
    const std::array<std::size_t, 6> leftHanded{0, 2, 4, 3, 6, 7};
    for (std::size_t row = 0; row < MappingRows.size(); ++row) {
        EXPECT_EQ(SlotOfRow(row, false), rightHanded[row]) << "row " << row;
        EXPECT_EQ(SlotOfRow(row, true), leftHanded[row]) << "row " << row;
    }
}

TEST(LeftHandedTest, IsTheRightButtonClickingLeft) {
    ButtonSlots buttons = DefaultButtons();
    EXPECT_FALSE(IsLeftHanded(buttons));
    buttons[slot::Right] = {0x00, 0x01, 5, 6, 0};
    EXPECT_TRUE(IsLeftHanded(buttons)) << "the parameters do not count";
    buttons[slot::Right] = {0x01, 0x01, 0, 0, 0};
    EXPECT_FALSE(IsLeftHanded(buttons)) << "scrolling up is not a left click";
}

TEST(LeftHandedTest, OnAndOffAgainRestoresBothButtonsAndTheirFilters) {
    ButtonSlots buttons = DefaultButtons();
    buttons[slot::Left].MulticlickFilter = 5;
    buttons[slot::Right] = {0x20, 0xE2, 0, 0, 0xF1};
    const ButtonSlots before = buttons;

    SetLeftHanded(buttons, true);
    EXPECT_EQ(buttons[slot::Left], (ButtonSlot{0x20, 0xE2, 0, 0, 0xF1}));
    EXPECT_EQ(buttons[slot::Right], (ButtonSlot{0x00, 0x01, 0, 0, 5}))
        << "the left click keeps its filter";
    EXPECT_TRUE(IsLeftHanded(buttons));

    SetLeftHanded(buttons, false);
    EXPECT_EQ(buttons, before);
}

}  // namespace
}  // namespace qx9
