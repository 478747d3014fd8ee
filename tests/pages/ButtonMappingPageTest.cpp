#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "ButtonActions.h"
#include "CFixedCPI.h"
#include "CKeyboard.h"
#include "CMouseSet.h"
#include "support/CaseName.h"
#include "support/Clicks.h"
#include "support/PageFixture.h"

namespace qx9 {
namespace {

using buttons::SlotAction;

constexpr int ButtonMappingTab = 2;
constexpr std::array<const char*, 6> RowButtons{"mainButtonAction",    "middleButtonAction",
                                                "forwardButtonAction", "backButtonAction",
                                                "wheelUpAction",       "wheelDownAction"};

// Every slot with its own filter and parameters, so that a write that strays
// or clears too much shows up.
DeviceConfig MarkedConfig() {
    DeviceConfig config = test::Defaults();
    for (std::size_t slot = 0; slot < ButtonSlotCount; ++slot) {
        ButtonSlot& button = config.Buttons[slot];
        button.Param1 = static_cast<std::uint16_t>(0x1100 + slot);
        button.Param2 = static_cast<std::uint16_t>(0x2200 + slot);
        button.MulticlickFilter = static_cast<std::uint8_t>(10 + slot);
    }
    return config;
}

ButtonSlot With(const ButtonSlot& slot, const SlotAction& action) {
    ButtonSlot changed = slot;
    buttons::WriteAction(changed, action);
    return changed;
}

class ButtonMappingPageTest : public test::PageFixture {
  protected:
    // The mouse on its cable holding `config`, loaded, with this page in front.
    void Load(const DeviceConfig& config) {
        StartWith(config, emu::Endpoint::Cable, ButtonMappingTab);
        start = store.EditConfig();
    }
    void LoadMarked() { Load(MarkedConfig()); }

    CMouseSet* Page() const { return Find<CMouseSet>("CMouseSet"); }
    QPushButton* Row(const char* name) const { return Find<QPushButton>(name); }
    QCheckBox* LeftHandedBox() const { return Find<QCheckBox>("leftHandedBox"); }
    const ButtonSlot& Slot(std::size_t slot) const { return store.EditConfig().Buttons[slot]; }
    std::vector<QString> Captions() const {
        std::vector<QString> captions;
        for (const char* row : RowButtons) {
            captions.push_back(Row(row)->text());
        }
        return captions;
    }

    static QMenu* OpenPopup() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    QMenu* OpenMenu(QPushButton* row) {
        QTest::mouseClick(row, Qt::LeftButton);
        QMenu* menu = OpenPopup();
        EXPECT_NE(menu, nullptr) << "no menu opened";
        return menu;
    }
    static QAction* ActionNamed(QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        ADD_FAILURE() << "no entry " << text.toStdString();
        return nullptr;
    }
    static std::vector<QString> Entries(QMenu* menu) {
        std::vector<QString> entries;
        for (const QAction* action : menu->actions()) {
            entries.push_back(action->text());
        }
        return entries;
    }
    static void ClickEntry(QMenu* menu, QAction* action) {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    }
    // Opens the row's menu and clicks its way along `path`; `beforeLastClick`
    // runs just before the entry itself is clicked.
    void Choose(const char* row, const std::vector<QString>& path,
                const std::function<void()>& beforeLastClick = {}) {
        QMenu* menu = OpenMenu(Row(row));
        ASSERT_NE(menu, nullptr);
        for (std::size_t step = 0; step + 1 < path.size(); ++step) {
            QAction* submenu = ActionNamed(menu, path[step]);
            ASSERT_TRUE(submenu && submenu->menu());
            ClickEntry(menu, submenu);
            ASSERT_TRUE(QTest::qWaitFor([&] { return submenu->menu()->isVisible(); }, 2000));
            menu = submenu->menu();
        }
        QAction* entry = ActionNamed(menu, path.back());
        ASSERT_NE(entry, nullptr);
        if (beforeLastClick) {
            beforeLastClick();
        }
        ClickEntry(menu, entry);
    }

    // Answers the modal dialog the next step opens, through its widgets.
    template <typename Dialog>
    void AnswerDialog(std::function<void(Dialog&)> answer) {
        QTimer::singleShot(0, [this, answer] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no dialog opened";
                return;
            }
            ++dialogsAnswered;
            // The user types into the dialog once it has come to the front.
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            answer(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                dialog->close();
            }
        });
    }
    void ChooseKeyboardKey(const char* row, std::function<void(CKeyboard&)> answer) {
        Choose(row, {"KEYBOARD KEY"}, [&] { AnswerDialog(answer); });
    }
    void ChooseFixedCpi(const char* row, std::function<void(CFixedCPI&)> answer) {
        Choose(row, {"CPI", "FIXED CPI"}, [&] { AnswerDialog(answer); });
    }

    // Every slot but `changed` as it was at the start.
    void OnlySlotChanged(std::size_t changed) const {
        for (std::size_t slot = 0; slot < ButtonSlotCount; ++slot) {
            if (slot != changed) {
                EXPECT_EQ(Slot(slot), start.Buttons[slot]) << "slot " << slot;
            }
        }
    }

    DeviceConfig start;
    int dialogsAnswered = 0;
};

template <typename Widget>
Widget* Child(QWidget& parent, const char* name) {
    auto* found = parent.findChild<Widget*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void Click(QWidget& parent, const char* name) {
    if (auto* box = qobject_cast<QCheckBox*>(Child<QWidget>(parent, name))) {
        test::ClickCheckBox(box);
    } else {
        QTest::mouseClick(Child<QWidget>(parent, name), Qt::LeftButton);
    }
}

// --- the form --------------------------------------------------------------------------

TEST_F(ButtonMappingPageTest, EveryControlCarriesItsTemplateIdAndItsRole) {
    LoadMarked();
    EXPECT_EQ(NamedControlIds(Page()), (std::set<int>{1028, 1039, 1040, 1041, 1042, 1043, 1044}));
    EXPECT_EQ(Page()->property("templateId").toInt(), 139);
}

TEST_F(ButtonMappingPageTest, WithoutADeviceThePageShowsItsStartingCaptionsDisabled) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Captions(), (std::vector<QString>{"RIGHT CLICK", "MIDDLE CLICK", "FORWARD", "BACK",
                                                "SCROLL UP", "SCROLL DOWN"}));
    const std::vector<QString> labels{"Right Button", "Middle Button", "Forward Button",
                                      "Back Button",  "Wheel Up",      "Wheel Down"};
    const char* labelNames[] = {"mainButtonLabel", "middleButtonLabel", "forwardButtonLabel",
                                "backButtonLabel", "wheelUpLabel",      "wheelDownLabel"};
    for (std::size_t row = 0; row < labels.size(); ++row) {
        EXPECT_EQ(TextOf(labelNames[row]), labels[row]);
        EXPECT_FALSE(Row(RowButtons[row])->isEnabled()) << RowButtons[row];
    }
    EXPECT_EQ(LeftHandedBox()->text(), "Left-handed Mode");
    EXPECT_FALSE(LeftHandedBox()->isChecked());
    EXPECT_FALSE(LeftHandedBox()->isEnabled());
}

// --- loading -------------------------------------------------------------------------------

TEST_F(ButtonMappingPageTest, LoadShowsEachRowsSlot) {
    DeviceConfig config = test::Defaults();
    config.Buttons[slot::Left] = {0x01, 0xFF, 0, 0, 8};  // not shown while right-handed
    config.Buttons[slot::Right] = {0x20, 0xE2, 0, 0, 8};
    config.Buttons[slot::Middle] = {0x02, 0x03, 0x04, 0, 8};
    config.Buttons[slot::Back] = {0x09, 0xF1, 0, 0, 8};
    config.Buttons[slot::Forward] = {0x0C, 0x00, 800, 1600, 8};
    config.Buttons[slot::WheelUp] = {0xFF, 0x00, 0, 0, 8};
    config.Buttons[slot::WheelDown] = {0x18, 0x96, 1, 0, 8};
    Load(config);

    EXPECT_EQ(Captions(), (std::vector<QString>{"MUTE", "Shift+CTRL+A", "X: 800, Y: 1600",
                                                "CPI LOOP", "DISABLE", "BROWSER"}));
    EXPECT_FALSE(LeftHandedBox()->isChecked());
    EXPECT_TRUE(LeftHandedBox()->isEnabled());
    EXPECT_TRUE(Row("wheelDownAction")->isEnabled());
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(ButtonMappingPageTest, ARightButtonThatClicksLeftLoadsLeftHandedMode) {
    DeviceConfig config = test::Defaults();
    config.Buttons[slot::Left] = {0x01, 0xFF, 0, 0, 8};
    config.Buttons[slot::Right] = {0x00, 0x01, 0, 0, 8};
    Load(config);

    EXPECT_TRUE(LeftHandedBox()->isChecked());
    EXPECT_EQ(TextOf("mainButtonLabel"), "Left Button");
    EXPECT_EQ(Row("mainButtonAction")->text(), "SCROLL DOWN");
}

TEST_F(ButtonMappingPageTest, AnActionNoEntryMakesKeepsTheRowsText) {
    DeviceConfig config = test::Defaults();
    config.Buttons[slot::Middle] = {0x20, 0xB5, 0, 0, 8};
    config.Buttons[slot::Forward] = {0x20, 0x10, 0, 0, 8};
    Load(config);
    EXPECT_EQ(Row("middleButtonAction")->text(), "NEXT");
    EXPECT_EQ(Row("forwardButtonAction")->text(), "FORWARD") << "its caption from the start";

    store.EditConfig().Buttons[slot::Middle] = {0x20, 0x10, 0, 0, 8};
    Page()->LoadFromConfig();
    EXPECT_EQ(Row("middleButtonAction")->text(), "NEXT");
    EXPECT_EQ(Slot(slot::Middle), (ButtonSlot{0x20, 0x10, 0, 0, 8})) << "its bytes stay";
}

// --- the menu ----------------------------------------------------------------------------

TEST_F(ButtonMappingPageTest, TheMenuOpensBelowItsRowWithItsEntriesInOrder) {
    LoadMarked();
    QPushButton* row = Row("middleButtonAction");
    QMenu* menu = OpenMenu(row);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->pos(), row->mapToGlobal(QPoint(0, row->height())));
    EXPECT_EQ(Entries(menu),
              (std::vector<QString>{"MOUSE", "KEYBOARD KEY", "CPI", "MEDIA", "DISABLE"}));
    EXPECT_EQ(Entries(ActionNamed(menu, "MOUSE")->menu()),
              (std::vector<QString>{"LEFT CLICK", "RIGHT CLICK", "MIDDLE CLICK", "FORWARD", "BACK",
                                    "SCROLL UP", "SCROLL DOWN"}));
    EXPECT_EQ(Entries(ActionNamed(menu, "CPI")->menu()),
              (std::vector<QString>{"CPI LOOP", "FIXED CPI"}));
    EXPECT_EQ(Entries(ActionNamed(menu, "MEDIA")->menu()),
              (std::vector<QString>{"PLAY/PAUSE", "NEXT", "PREVIOUS", "MUTE", "VOLUME UP",
                                    "VOLUME DOWN", "BROWSER", "EXPLORER"}));
    for (const QAction* action : menu->findChildren<QAction*>()) {
        EXPECT_FALSE(action->isCheckable()) << action->text().toStdString();
    }
}

TEST_F(ButtonMappingPageTest, FixedCpiIsOfferedToEveryRowButTheWheel) {
    LoadMarked();
    const std::vector<QString> loopOnly{"CPI LOOP"};
    const std::vector<QString> both{"CPI LOOP", "FIXED CPI"};
    for (const auto& [row, offered] :
         {std::pair{"wheelUpAction", loopOnly}, std::pair{"wheelDownAction", loopOnly},
          std::pair{"backButtonAction", both}, std::pair{"wheelDownAction", loopOnly},
          std::pair{"mainButtonAction", both}}) {
        QMenu* menu = OpenMenu(Row(row));
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(Entries(ActionNamed(menu, "CPI")->menu()), offered) << row;
        QTest::keyClick(menu, Qt::Key_Escape);
        EXPECT_EQ(OpenPopup(), nullptr);
    }
}

struct EntryCase {
    const char* name;
    const char* row;
    std::vector<QString> path;
    std::size_t slot;
    SlotAction action;
};

class MenuChoiceTest : public ButtonMappingPageTest,
                       public ::testing::WithParamInterface<EntryCase> {};

TEST_P(MenuChoiceTest, WritesTheEntryIntoTheRowsSlotOnly) {
    LoadMarked();
    Choose(GetParam().row, GetParam().path);

    const std::size_t slot = GetParam().slot;
    EXPECT_EQ(Slot(slot), With(start.Buttons[slot], GetParam().action));
    OnlySlotChanged(slot);
    EXPECT_EQ(Row(GetParam().row)->text(), GetParam().path.back());
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_EQ(OpenPopup(), nullptr) << "the menu closed";
    EXPECT_TRUE(emulator.Trace().empty()) << "nothing reaches the mouse before APPLY";
}

std::vector<QString> Mouse(const char* entry) {
    return {"MOUSE", entry};
}
std::vector<QString> Media(const char* entry) {
    return {"MEDIA", entry};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MenuChoiceTest,
    ::testing::Values(
        EntryCase{"LeftClick", "forwardButtonAction", Mouse("LEFT CLICK"), 4, {0x00, 0x01, 0, 0}},
        EntryCase{"RightClick", "middleButtonAction", Mouse("RIGHT CLICK"), 2, {0x00, 0x02, 0, 0}},
        EntryCase{"MiddleClick", "backButtonAction", Mouse("MIDDLE CLICK"), 3, {0x00, 0x04, 0, 0}},
        EntryCase{"Forward", "wheelUpAction", Mouse("FORWARD"), 6, {0x00, 0x10, 0, 0}},
        EntryCase{"Back", "wheelDownAction", Mouse("BACK"), 7, {0x00, 0x08, 0, 0}},
        EntryCase{"ScrollUp", "forwardButtonAction", Mouse("SCROLL UP"), 4, {0x01, 0x01, 0, 0}},
        EntryCase{"ScrollDown", "mainButtonAction", Mouse("SCROLL DOWN"), 1, {0x01, 0xFF, 0, 0}},
        EntryCase{"CpiLoop", "wheelDownAction", {"CPI", "CPI LOOP"}, 7, {0x09, 0xF1, 0, 0}},
        EntryCase{"PlayPause", "middleButtonAction", Media("PLAY/PAUSE"), 2, {0x20, 0xCD, 0, 0}},
        EntryCase{"Next", "middleButtonAction", Media("NEXT"), 2, {0x20, 0xB5, 0, 0}},
        EntryCase{"Previous", "middleButtonAction", Media("PREVIOUS"), 2, {0x20, 0xB6, 0, 0}},
        EntryCase{"Mute", "middleButtonAction", Media("MUTE"), 2, {0x20, 0xE2, 0, 0}},
        EntryCase{"VolumeUp", "middleButtonAction", Media("VOLUME UP"), 2, {0x20, 0xE9, 0, 0}},
        EntryCase{"VolumeDown", "middleButtonAction", Media("VOLUME DOWN"), 2, {0x20, 0xEA, 0, 0}},
        EntryCase{"Browser", "middleButtonAction", Media("BROWSER"), 2, {0x18, 0x96, 1, 0}},
        EntryCase{"Explorer", "middleButtonAction", Media("EXPLORER"), 2, {0x18, 0x94, 1, 0}},
        EntryCase{"Disable", "backButtonAction", {"DISABLE"}, 3, {0xFF, 0x00, 0, 0}}),
    test::CaseName{});

TEST_F(ButtonMappingPageTest, ChoosingWhatTheSlotHoldsLeavesApplyOff) {
    Load(test::Defaults());
    Choose("backButtonAction", Mouse("BACK"));
    EXPECT_EQ(Row("backButtonAction")->text(), "BACK");
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(ButtonMappingPageTest, TheMenuWorksByKeyboard) {
    LoadMarked();
    QPushButton* row = Row("wheelUpAction");
    row->setFocus(Qt::TabFocusReason);
    QTest::keyClick(row, Qt::Key_Space);
    ASSERT_NE(OpenPopup(), nullptr);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}) {
        ASSERT_NE(OpenPopup(), nullptr);
        QTest::keyClick(OpenPopup(), key);
    }
    EXPECT_EQ(Slot(slot::WheelUp), With(start.Buttons[slot::WheelUp], {0x00, 0x02, 0, 0}));
    EXPECT_EQ(row->text(), "RIGHT CLICK");
    EXPECT_EQ(OpenPopup(), nullptr);
}

TEST_F(ButtonMappingPageTest, TheMenuWorksThroughTheAccessibilityTree) {
    LoadMarked();
    const auto childNamed = [](QAccessibleInterface* parent, const QString& name) {
        for (int at = 0; at < parent->childCount(); ++at) {
            if (parent->child(at)->text(QAccessible::Name) == name) {
                return parent->child(at);
            }
        }
        ADD_FAILURE() << "no accessible child " << name.toStdString();
        return static_cast<QAccessibleInterface*>(nullptr);
    };
    test::PressAccessibly(Row("backButtonAction"));
    ASSERT_TRUE(QTest::qWaitFor([] { return OpenPopup() != nullptr; }, 2000));
    QMenu* menu = OpenPopup();
    QAccessibleInterface* media = childNamed(QAccessible::queryAccessibleInterface(menu), "MEDIA");
    ASSERT_NE(media, nullptr);
    media->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    QMenu* submenu = ActionNamed(menu, "MEDIA")->menu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return submenu->isVisible(); }, 2000));
    QAccessibleInterface* mute = childNamed(QAccessible::queryAccessibleInterface(submenu), "MUTE");
    ASSERT_NE(mute, nullptr);
    mute->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    EXPECT_EQ(Slot(slot::Back), With(start.Buttons[slot::Back], {0x20, 0xE2, 0, 0}));
    EXPECT_EQ(Row("backButtonAction")->text(), "MUTE");
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(submenu->isVisible());
}

// --- keyboard keys -------------------------------------------------------------------------

struct KeyChoiceCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers keyModifiers;
    std::vector<const char*> boxes;
    const char* caption;
    SlotAction action;
};

class KeyboardKeyChoiceTest : public ButtonMappingPageTest,
                              public ::testing::WithParamInterface<KeyChoiceCase> {};

TEST_P(KeyboardKeyChoiceTest, StoresTheMaskAndTheKeysUsage) {
    LoadMarked();
    ChooseKeyboardKey("forwardButtonAction", [](CKeyboard& dialog) {
        if (GetParam().key != Qt::Key_unknown) {
            QTest::keyClick(dialog.windowHandle(), GetParam().key, GetParam().keyModifiers);
        }
        for (const char* box : GetParam().boxes) {
            Click(dialog, box);
        }
        Click(dialog, "okButton");
    });

    EXPECT_EQ(dialogsAnswered, 1);
    EXPECT_EQ(Row("forwardButtonAction")->text(), GetParam().caption);
    EXPECT_EQ(Slot(slot::Forward), With(start.Buttons[slot::Forward], GetParam().action));
    OnlySlotChanged(slot::Forward);
    EXPECT_TRUE(ApplyEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyboardKeyChoiceTest,
    ::testing::Values(
        KeyChoiceCase{"ShiftAltA",
                      Qt::Key_A,
                      Qt::NoModifier,
                      {"shiftBox", "altBox"},
                      "Shift+Alt+A",
                      {0x02, 0x06, 0x04, 0}},
        KeyChoiceCase{"CtrlAlone", Qt::Key_unknown, {}, {"ctrlBox"}, "CTRL+", {0x02, 0x01, 0, 0}},
        KeyChoiceCase{"KeypadFive", Qt::Key_5, Qt::KeypadModifier, {}, "5", {0x02, 0x00, 0x5D, 0}},
        KeyChoiceCase{"F13", Qt::Key_F13, {}, {}, "F13", {0x02, 0x00, 0x7C, 0}}),
    test::CaseName{});

TEST_F(ButtonMappingPageTest, NoKeyChosenChangesNothing) {
    LoadMarked();
    ChooseKeyboardKey("middleButtonAction", [](CKeyboard& dialog) {
        QTest::keyClick(dialog.windowHandle(), Qt::Key_A);
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
    });
    ChooseKeyboardKey("middleButtonAction", [](CKeyboard& dialog) {
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Back);  // a key without a name
        Click(dialog, "okButton");
    });

    EXPECT_EQ(dialogsAnswered, 2);
    EXPECT_EQ(Row("middleButtonAction")->text(), "MIDDLE CLICK");
    EXPECT_EQ(store.EditConfig(), start);
    EXPECT_FALSE(ApplyEnabled());
}

// --- fixed CPI -----------------------------------------------------------------------------

TEST_F(ButtonMappingPageTest, FixedCpiStoresBothAxesAndOpensAt400EachTime) {
    LoadMarked();
    ChooseFixedCpi("backButtonAction", [this](CFixedCPI& dialog) {
        Click(dialog, "xySettingsBox");
        Type(Child<QLineEdit>(dialog, "xBox"), "800");
        Type(Child<QLineEdit>(dialog, "yBox"), "1600");
        Click(dialog, "okButton");
    });
    EXPECT_EQ(Row("backButtonAction")->text(), "X: 800, Y: 1600");
    EXPECT_EQ(Slot(slot::Back), With(start.Buttons[slot::Back], {0x0C, 0x00, 800, 1600}));

    QString shownOnOpening;
    ChooseFixedCpi("mainButtonAction", [&](CFixedCPI& dialog) {
        shownOnOpening = Child<QLineEdit>(dialog, "yBox")->text();
        Type(Child<QLineEdit>(dialog, "xBox"), "800");
        Click(dialog, "okButton");
    });
    EXPECT_EQ(shownOnOpening, "400");
    EXPECT_EQ(Row("mainButtonAction")->text(), "CPI: 800");
    EXPECT_EQ(Slot(slot::Right), With(start.Buttons[slot::Right], {0x0C, 0x00, 800, 800}));
    EXPECT_EQ(Slot(slot::Spare), start.Buttons[slot::Spare]);
    EXPECT_EQ(dialogsAnswered, 2);
}

TEST_F(ButtonMappingPageTest, ACancelledFixedCpiChangesNothing) {
    LoadMarked();
    ChooseFixedCpi("middleButtonAction", [this](CFixedCPI& dialog) {
        Type(Child<QLineEdit>(dialog, "xBox"), "800");
        dialog.close();  // the close box
    });
    EXPECT_EQ(dialogsAnswered, 1);
    EXPECT_EQ(Row("middleButtonAction")->text(), "MIDDLE CLICK");
    EXPECT_EQ(store.EditConfig(), start);
}

// --- left-handed mode ----------------------------------------------------------------------

TEST_F(ButtonMappingPageTest, LeftHandedOnAndOffRestoresBothButtonsAndTheirFilters) {
    DeviceConfig config = MarkedConfig();
    config.Buttons[slot::Right] = {0x20, 0xE2, 0, 0, 0xF1};
    Load(config);
    ASSERT_EQ(Row("mainButtonAction")->text(), "MUTE");

    test::ClickCheckBox(LeftHandedBox());
    EXPECT_EQ(Slot(slot::Left), (ButtonSlot{0x20, 0xE2, 0, 0, 0xF1}));
    EXPECT_EQ(Slot(slot::Right), (ButtonSlot{0x00, 0x01, 0, 0, 10}));
    EXPECT_EQ(TextOf("mainButtonLabel"), "Left Button");
    EXPECT_EQ(Row("mainButtonAction")->text(), "MUTE");
    EXPECT_TRUE(ApplyEnabled());

    test::ClickCheckBox(LeftHandedBox());
    EXPECT_EQ(Slot(slot::Left), (ButtonSlot{0x00, 0x01, 0, 0, 10}));
    EXPECT_EQ(Slot(slot::Right), start.Buttons[slot::Right]);
    EXPECT_EQ(TextOf("mainButtonLabel"), "Right Button");
}

TEST_F(ButtonMappingPageTest, InLeftHandedModeTheFirstRowEditsTheLeftButton) {
    Load(test::Defaults());
    test::ClickCheckBox(LeftHandedBox());
    Choose("mainButtonAction", Media("PLAY/PAUSE"));

    EXPECT_EQ(Slot(slot::Left), (ButtonSlot{0x20, 0xCD, 0, 0, 8}));
    EXPECT_EQ(Slot(slot::Right), (ButtonSlot{0x00, 0x01, 0, 0, 8}));
    EXPECT_EQ(Row("mainButtonAction")->text(), "PLAY/PAUSE");
}

TEST_F(ButtonMappingPageTest, ALeftClickOnTheRightButtonLoadsAsLeftHandedMode) {
    DeviceConfig config = test::Defaults();
    config.Buttons[slot::Left] = {0x00, 0x08, 0, 0, 8};
    Load(config);
    Choose("mainButtonAction", Mouse("LEFT CLICK"));
    EXPECT_FALSE(LeftHandedBox()->isChecked()) << "only a load reads the mode";

    Page()->LoadFromConfig();
    EXPECT_TRUE(LeftHandedBox()->isChecked());
    EXPECT_EQ(TextOf("mainButtonLabel"), "Left Button");
    EXPECT_EQ(Row("mainButtonAction")->text(), "BACK");
}

// --- keys on the page ----------------------------------------------------------------------

TEST_F(ButtonMappingPageTest, EscapeIsSwallowedAndTabMovesAlongTheRows) {
    LoadMarked();
    Row("middleButtonAction")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Row("middleButtonAction"), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(Row("middleButtonAction"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Row("forwardButtonAction"));
}

}  // namespace
}  // namespace qx9
