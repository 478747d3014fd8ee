#include <gtest/gtest.h>

#include "CPair.h"
#include "UiTexts.h"
#include "support/CaseName.h"
#include "support/MainWindowFixture.h"
#include "support/SentCommands.h"

namespace qx9 {
namespace {

using test::MainWindowFixture;
using Lines = std::vector<std::string>;

const QString Instruction = QString::fromUtf8(text::PairingInstruction);

class PairingPageTest : public MainWindowFixture {
  protected:
    // The window loaded, then the Pairing page brought up as Alt+P does.
    void StartOnThePairingPage(bool cable, bool dongle) {
        emulator.PlugCable(cable);
        emulator.PlugDongle(dongle);
        ASSERT_TRUE(Start());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        hotKey.Press();
        emulator.ClearTrace();
        pressed = clock.Now();
    }
    CPair* Page() const { return Find<CPair>("CPair"); }
    Lines Sent() const { return test::SentCommands(emulator.Trace(), pressed); }

    Milliseconds pressed{};
};

struct KeyCase {
    const char* name;
    Qt::Key key;
    bool dongle;
    Lines sent;
};

class PairingKeyTest : public PairingPageTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(PairingKeyTest, EnterAndSpaceOnThePagePairWhetherOrNotTheButtonIsEnabled) {
    const KeyCase& c = GetParam();
    StartOnThePairingPage(true, c.dongle);
    ASSERT_EQ(PairButton()->isEnabled(), c.dongle);
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(focused == PairButton() || focused == Page()) << "the page holds the keyboard";

    QTest::keyClick(focused, c.key);

    EXPECT_EQ(Sent(), c.sent);
    EXPECT_EQ(emulator.PairingRequested(), c.dongle);
    EXPECT_EQ(notifier.shown, std::vector<QString>{Instruction}) << "once, in every case";
    EXPECT_EQ(PairButton()->isEnabled(), c.dongle) << "only the main window enables the button";
    EXPECT_TRUE(window->isVisible());
}

const Lines PairedThroughTheDongle{"0 dongle LinkCheck", "300 dongle PairDongle"};

INSTANTIATE_TEST_SUITE_P(
    Cases, PairingKeyTest,
    ::testing::Values(KeyCase{"Return", Qt::Key_Return, true, PairedThroughTheDongle},
                      KeyCase{"KeypadEnter", Qt::Key_Enter, true, PairedThroughTheDongle},
                      KeyCase{"Space", Qt::Key_Space, true, PairedThroughTheDongle},
                      KeyCase{"ReturnWithNoDongle", Qt::Key_Return, false, {}},
                      KeyCase{"SpaceWithNoDongle", Qt::Key_Space, false, {}}),
    test::CaseName{});

TEST_F(PairingPageTest, AClickOnPairDonglePairsThroughTheDongle) {
    StartOnThePairingPage(false, true);

    QTest::mouseClick(PairButton(), Qt::LeftButton);

    EXPECT_EQ(Sent(), PairedThroughTheDongle);
    EXPECT_TRUE(emulator.PairingRequested());
    EXPECT_EQ(notifier.shown, std::vector<QString>{Instruction});
    EXPECT_FALSE(link.LinkRetargeted()) << "the link was on the dongle already";
}

TEST_F(PairingPageTest, FromTheCableTheLinkIsMarkedToReturnToTheMouse) {
    StartOnThePairingPage(true, true);
    QTest::keyClick(PairButton(), Qt::Key_Return);
    EXPECT_TRUE(link.LinkRetargeted());
    EXPECT_EQ(link.ConnectionMode(), LinkMode::Cable);
}

TEST_F(PairingPageTest, EscapeOnThePageDoesNothing) {
    StartOnThePairingPage(true, true);

    QTest::keyClick(PairButton(), Qt::Key_Escape);

    EXPECT_TRUE(emulator.Trace().empty());
    EXPECT_TRUE(notifier.shown.empty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Tabs()->currentIndex(), 4);
}

TEST_F(PairingPageTest, ClickingThePairingTabGivesTheButtonTheFocus) {
    emulator.PlugDongle(true);
    ASSERT_TRUE(Start());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    ClickTab(4);

    EXPECT_TRUE(PairButton()->hasFocus());
}

}  // namespace
}  // namespace qx9
