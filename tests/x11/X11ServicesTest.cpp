#include <gtest/gtest.h>
#include <xcb/xtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QWidget>

#include "UdevHotPlugSource.h"
#include "UiTexts.h"
#include "UpdaterWindowProbe.h"
#include "XInputRawMouseInput.h"
#include "XcbConnection.h"
#include "XcbPairingHotKey.h"

namespace qx9 {
namespace {

constexpr xcb_keycode_t NoKey = 0;

// Lets the X server and Qt's event loop catch up until the condition holds,
// or for the whole time when it never does.
template <typename Condition>
bool Settle(Condition condition, int milliseconds = 2000) {
    xcb_flush(xcb::Connection());
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return condition();
}

xcb_keycode_t Keycode(xcb_keysym_t keysym) {
    return xcb::KeycodeOf(xcb::Connection(), keysym);
}

void FakeKey(xcb_keycode_t key, bool press) {
    xcb_test_fake_input(xcb::Connection(), press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, key,
                        XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
}

TEST(X11WindowProbe, FindsATopLevelWindowByItsTitle) {
    X11WindowProbe probe;
    const QString title = QString::fromUtf8(text::UpdaterWindowTitle);
    EXPECT_FALSE(probe.WindowOpen(title));

    QWidget updater;
    updater.setWindowTitle(title);
    updater.show();

    EXPECT_TRUE(Settle([&] { return probe.WindowOpen(title); }));
    EXPECT_FALSE(probe.WindowOpen(title + " 2"));
}

TEST(XcbPairingHotKey, AltPAnywhereOnTheDesktopActivatesIt) {
    XcbPairingHotKey hotKey;
    ASSERT_TRUE(hotKey.Register(nullptr));
    QSignalSpy activated(&hotKey, &PairingHotKey::Activated);
    const xcb_keycode_t alt = Keycode(0xFFE9);  // Alt_L
    const xcb_keycode_t p = Keycode(0x0070);
    ASSERT_NE(alt, NoKey);
    ASSERT_NE(p, NoKey);

    FakeKey(p, true);
    FakeKey(p, false);
    EXPECT_FALSE(Settle([&] { return activated.count() > 0; }, 300))
        << "P alone is not the hot key";

    FakeKey(alt, true);
    FakeKey(p, true);
    FakeKey(p, false);
    FakeKey(alt, false);
    EXPECT_TRUE(Settle([&] { return activated.count() > 0; }));
    EXPECT_EQ(activated.count(), 1);
}

TEST(XInputRawMouseInput, ReportsMovementOfAnyMouse) {
    XInputRawMouseInput rawInput;
    ASSERT_TRUE(rawInput.Start());
    QSignalSpy moved(&rawInput, &RawMouseInput::MouseInput);

    xcb_test_fake_input(xcb::Connection(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME,
                        xcb::RootWindow(xcb::Connection()), 100, 120, 0);

    EXPECT_TRUE(Settle([&] { return moved.count() >= 1; }));
}

TEST(UdevHotPlugSource, Starts) {
    UdevHotPlugSource hotPlug;
    EXPECT_TRUE(hotPlug.Start());
}

}  // namespace
}  // namespace qx9
