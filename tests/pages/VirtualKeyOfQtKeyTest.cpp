#include <gtest/gtest.h>

#include "VirtualKeyOfQtKey.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

struct QtKeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    quint32 scanCode;
    ScanCodes scanCodes;
    std::uint16_t vk;
};

class VirtualKeyTest : public ::testing::TestWithParam<QtKeyCase> {};

TEST_P(VirtualKeyTest, ReportsTheWindowsCode) {
    const QtKeyCase& c = GetParam();
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.scanCode, 0, 0);
    EXPECT_EQ(VirtualKeyOf(event, c.scanCodes), c.vk);
}

constexpr auto None = Qt::NoModifier;
constexpr auto Keypad = Qt::KeypadModifier;
constexpr auto Xkb = ScanCodes::Xkb;
constexpr auto Unknown = ScanCodes::Unknown;

INSTANTIATE_TEST_SUITE_P(
    Cases, VirtualKeyTest,
    ::testing::Values(
        QtKeyCase{"TopRowFive", Qt::Key_5, None, 0, Unknown, 0x35},
        QtKeyCase{"KeypadFive", Qt::Key_5, Keypad, 0, Unknown, 0x65},
        QtKeyCase{"KeypadSlash", Qt::Key_Slash, Keypad, 0, Unknown, 0x6F},
        QtKeyCase{"KeypadEnter", Qt::Key_Enter, Keypad, 0, Unknown, 0x0D},
        QtKeyCase{"KeypadWithNumLockOff", Qt::Key_Home, Keypad, 0, Unknown, 0x24},
        QtKeyCase{"LetterWhateverTheShift", Qt::Key_A, Qt::ShiftModifier, 0, Unknown, 0x41},
        QtKeyCase{"F13", Qt::Key_F13, None, 0, Unknown, 0x7C},
        QtKeyCase{"F24", Qt::Key_F24, None, 0, Unknown, 0x87},
        QtKeyCase{"ShiftTab", Qt::Key_Backtab, Qt::ShiftModifier, 0, Unknown, 0x09},
        QtKeyCase{"PrintScreen", Qt::Key_Print, None, 0, Unknown, 0x2C},
        QtKeyCase{"ApplicationKey", Qt::Key_Menu, None, 0, Unknown, 0x5D},
        QtKeyCase{"BrowserBack", Qt::Key_Back, None, 0, Unknown, 0xA6},
        QtKeyCase{"VolumeUp", Qt::Key_VolumeUp, None, 0, Unknown, 0xAF},
        QtKeyCase{"LeftShift", Qt::Key_Shift, None, 50, Xkb, 0xA0},
        QtKeyCase{"RightShift", Qt::Key_Shift, None, 62, Xkb, 0xA1},
        QtKeyCase{"RightShiftWhereScanCodesSayNothing", Qt::Key_Shift, None, 62, Unknown, 0xA0},
        QtKeyCase{"LeftControl", Qt::Key_Control, None, 37, Xkb, 0xA2},
        QtKeyCase{"RightControl", Qt::Key_Control, None, 105, Xkb, 0xA3},
        QtKeyCase{"LeftAlt", Qt::Key_Alt, None, 64, Xkb, 0xA4},
        QtKeyCase{"RightAlt", Qt::Key_Alt, None, 108, Xkb, 0xA5},
        QtKeyCase{"AltGr", Qt::Key_AltGr, None, 108, Xkb, 0xA5},
        QtKeyCase{"LeftWindowsKey", Qt::Key_Meta, None, 133, Xkb, 0x5B},
        QtKeyCase{"RightWindowsKey", Qt::Key_Meta, None, 134, Xkb, 0x5C},
        QtKeyCase{"RightSuper", Qt::Key_Super_R, None, 134, Xkb, 0x5C},
        QtKeyCase{"ShiftedDigitByPlace", Qt::Key_Exclam, Qt::ShiftModifier, 10, Xkb, 0x31},
        QtKeyCase{"ShiftedDigitByCharacter", Qt::Key_Exclam, Qt::ShiftModifier, 0, Unknown, 0x31},
        QtKeyCase{"AzertyDigitRowByPlace", Qt::Key_Ampersand, None, 10, Xkb, 0x31},
        QtKeyCase{"GermanUmlautByPlace", Qt::Key_Odiaeresis, None, 47, Xkb, 0xBA},
        QtKeyCase{"ColonByCharacter", Qt::Key_Colon, Qt::ShiftModifier, 0, Unknown, 0xBA},
        QtKeyCase{"GraveByPlace", Qt::Key_QuoteLeft, None, 49, Xkb, 0xC0},
        QtKeyCase{"AzertyLetterByItsCharacter", Qt::Key_Q, None, 38, Xkb, 0x51},
        QtKeyCase{"CyrillicLetterByPlace", 0x0444, None, 38, Xkb, 0x41},
        QtKeyCase{"KeyWithoutACode", Qt::Key_Eacute, None, 0, Unknown, 0}),
    test::CaseName{});

TEST(ScanCodesTest, X11AndWaylandGiveXkbKeycodes) {
    EXPECT_EQ(ScanCodesOfPlatform(u"xcb"), ScanCodes::Xkb);
    EXPECT_EQ(ScanCodesOfPlatform(u"wayland"), ScanCodes::Xkb);
    EXPECT_EQ(ScanCodesOfPlatform(u"wayland-egl"), ScanCodes::Xkb);
    EXPECT_EQ(ScanCodesOfPlatform(u"offscreen"), ScanCodes::Unknown);
    EXPECT_EQ(ScanCodesOfPlatform(u"windows"), ScanCodes::Unknown);
}

}  // namespace
}  // namespace qx9
