#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "CKeyboard.h"
#include "support/CaseName.h"
#include "support/Clicks.h"

namespace qx9 {
namespace {

// A key as the platform delivers it: to a window, then to its focused widget.
struct KeyStep {
    QEvent::Type type;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

KeyStep Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return {QEvent::KeyPress, key, modifiers};
}
KeyStep Release(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return {QEvent::KeyRelease, key, modifiers};
}

void Send(QWindow* window, const KeyStep& step) {
    if (step.type == QEvent::KeyPress) {
        QTest::keyPress(window, step.key, step.modifiers);
    } else {
        QTest::keyRelease(window, step.key, step.modifiers);
    }
}

class KeyCaptureDialogTest : public ::testing::Test {
  protected:
    void Open() {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    QWindow* Window() { return dialog.windowHandle(); }
    void Type(std::initializer_list<KeyStep> steps) {
        for (const KeyStep& step : steps) {
            Send(Window(), step);
        }
    }
    template <typename Widget = QWidget>
    Widget* Find(const char* name) {
        auto* found = dialog.findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString KeyField() { return Find<QLabel>("keyField")->text(); }
    void Tick(const char* box) { test::ClickCheckBox(Find<QCheckBox>(box)); }
    void ClickOk() { QTest::mouseClick(Find<QPushButton>("okButton"), Qt::LeftButton); }

    CKeyboard dialog;
};

TEST_F(KeyCaptureDialogTest, OpensEmptyWithItsTitleAndPrompt) {
    Open();
    EXPECT_EQ(dialog.windowTitle(), "KEYBOARD KEY");
    EXPECT_EQ(Find<QLabel>("promptLabel")->text(), "Enter a key:");
    EXPECT_TRUE(KeyField().isEmpty());
    for (const char* box : {"shiftBox", "ctrlBox", "winBox", "altBox"}) {
        EXPECT_FALSE(Find<QCheckBox>(box)->isChecked()) << box;
    }
}

struct CaptureCase {
    const char* name;
    std::vector<KeyStep> keys;
    std::vector<const char*> boxes;
    const char* shown;
    const char* label;
    std::uint8_t modifiers;
    std::uint16_t vk;
};

class KeyCaptureTest : public KeyCaptureDialogTest,
                       public ::testing::WithParamInterface<CaptureCase> {};

TEST_P(KeyCaptureTest, OkHandsBackTheLastKeyAndTheTickedModifiers) {
    Open();
    for (const KeyStep& step : GetParam().keys) {
        Send(Window(), step);
    }
    EXPECT_EQ(KeyField(), GetParam().shown);
    for (const char* box : GetParam().boxes) {
        Tick(box);
    }
    ClickOk();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.CapturedKeyLabel(), GetParam().label);
    EXPECT_EQ(dialog.CapturedModifiers(), GetParam().modifiers);
    EXPECT_EQ(dialog.CapturedKeyVk(), GetParam().vk);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyCaptureTest,
    ::testing::Values(
        CaptureCase{"KeyAlone", {Press(Qt::Key_A), Release(Qt::Key_A)}, {}, "A", "A", 0, 0x41},
        CaptureCase{"ShiftAndAltTicked",
                    {Press(Qt::Key_A), Release(Qt::Key_A)},
                    {"altBox", "shiftBox"},
                    "A",
                    "Shift+Alt+A",
                    0x06,
                    0x41},
        CaptureCase{"EveryBoxInTheFixedOrder",
                    {Press(Qt::Key_A), Release(Qt::Key_A)},
                    {"altBox", "winBox", "ctrlBox", "shiftBox"},
                    "A",
                    "Shift+CTRL+Win+Alt+A",
                    0x0F,
                    0x41},
        CaptureCase{"CtrlTickedWithoutAKey", {}, {"ctrlBox"}, "", "CTRL+", 0x01, 0},
        CaptureCase{"EveryReleaseReplacesTheKey",
                    {Press(Qt::Key_Control), Press(Qt::Key_A, Qt::ControlModifier),
                     Release(Qt::Key_A, Qt::ControlModifier), Release(Qt::Key_Control)},
                    {},
                    "Left CONTROL",
                    "Left CONTROL",
                    0,
                    0xA2},
        CaptureCase{"KeypadDigit",
                    {Press(Qt::Key_5, Qt::KeypadModifier), Release(Qt::Key_5, Qt::KeypadModifier)},
                    {},
                    "5",
                    "5",
                    0,
                    0x65},
        CaptureCase{"KeyWithoutAName", {Press(Qt::Key_Back)}, {}, "", "", 0, 0xA6}),
    test::CaseName{});

TEST_F(KeyCaptureDialogTest, EachOpeningStartsWithoutAKey) {
    Open();
    Type({Press(Qt::Key_A), Release(Qt::Key_A)});
    ClickOk();

    CKeyboard again;
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    test::ClickCheckBox(again.findChild<QCheckBox*>("ctrlBox"));
    QTest::mouseClick(again.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    EXPECT_EQ(again.CapturedKeyLabel(), "CTRL+");
    EXPECT_EQ(again.CapturedKeyVk(), 0);
}

TEST_F(KeyCaptureDialogTest, SpaceTogglesTheFocusedBoxAndIsCapturedToo) {
    Open();
    Find<QCheckBox>("winBox")->setFocus(Qt::TabFocusReason);
    Type({Press(Qt::Key_Space), Release(Qt::Key_Space)});
    EXPECT_TRUE(Find<QCheckBox>("winBox")->isChecked());
    EXPECT_EQ(KeyField(), "SPACE");
}

TEST_F(KeyCaptureDialogTest, EnterIsCapturedAndNeverCloses) {
    Open();
    Find<QPushButton>("okButton")->setFocus(Qt::TabFocusReason);
    Type({Press(Qt::Key_Return), Release(Qt::Key_Return)});
    Type({Press(Qt::Key_Enter, Qt::KeypadModifier)});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(KeyField(), "ENTER");
}

TEST_F(KeyCaptureDialogTest, EscapeIsCapturedAndCancels) {
    Open();
    Type({Press(Qt::Key_Escape)});
    EXPECT_EQ(KeyField(), "ESC");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(KeyCaptureDialogTest, TheCloseBoxCancels) {
    Open();
    Type({Press(Qt::Key_B)});
    dialog.close();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(KeyCaptureDialogTest, KeysTypedInAnotherWindowAreSeenAndStillTyped) {
    QLineEdit elsewhere;
    elsewhere.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&elsewhere));
    elsewhere.setFocus();
    dialog.setWindowModality(Qt::NonModal);  // lets the other window take keys at all

    Send(elsewhere.windowHandle(), Press(Qt::Key_Q));
    EXPECT_TRUE(KeyField().isEmpty()) << "nothing is heard before the dialog opens";

    Open();
    Send(elsewhere.windowHandle(), Press(Qt::Key_X));
    Send(elsewhere.windowHandle(), Release(Qt::Key_X));
    EXPECT_EQ(KeyField(), "X");
    EXPECT_EQ(elsewhere.text(), "qx") << "the key is not swallowed";

    dialog.close();
    Send(elsewhere.windowHandle(), Press(Qt::Key_Z));
    EXPECT_EQ(KeyField(), "X") << "nothing is heard after it closed";
}

TEST_F(KeyCaptureDialogTest, UsableThroughTheAccessibilityTree) {
    Open();
    Type({Press(Qt::Key_F13)});
    QAccessible::queryAccessibleInterface(Find<QCheckBox>("shiftBox"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    test::PressAccessibly(Find<QPushButton>("okButton"));

    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }, 2000));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.CapturedKeyLabel(), "Shift+F13");
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(Find<QCheckBox>("altBox"))->text(QAccessible::Name),
        "ALT");
}

}  // namespace
}  // namespace qx9
