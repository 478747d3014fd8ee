#include <gtest/gtest.h>

#include <QAccessible>
#include <QMessageBox>
#include <QTabBar>
#include <QTimer>
#include <QWheelEvent>
#include <functional>

#include "MouseRecognition.h"
#include "UiTexts.h"
#include "support/CaseName.h"
#include "support/MainWindowFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::MainWindowFixture;

const QString NotAvailable = QString::fromUtf8(text::NotAvailable);

class MainWindowTest : public MainWindowFixture {
  protected:
    // The command codes sent, with where they went, in order.
    std::vector<std::pair<std::string, std::uint8_t>> SentCommands() const {
        std::vector<std::pair<std::string, std::uint8_t>> sent;
        for (const auto& entry : emulator.Trace()) {
            if (entry.direction == emu::Direction::Send) {
                sent.emplace_back(entry.endpoint, entry.bytes[1]);
            }
        }
        return sent;
    }
    bool InputsEnabled() const {
        return Find<QPushButton>("factoryResetButton")->isEnabled() ||
               Find<QPushButton>("applyButton")->isEnabled();
    }
};

TEST_F(MainWindowTest, WithNoDeviceEverythingWaitsAndOnlyPairingIsReachable) {
    ASSERT_TRUE(Start());

    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(text::WindowTitle));
    EXPECT_EQ(TextOf("connectionText"), NotAvailable);
    EXPECT_EQ(TextOf("batteryText"), "");
    EXPECT_EQ(TextOf("mouseVersionText"), "");
    EXPECT_EQ(TextOf("dongleVersionText"), "");
    EXPECT_EQ(TextOf("softwareVersionText"), "1.00");
    EXPECT_FALSE(InputsEnabled());
    EXPECT_FALSE(PairButton()->isEnabled());
    EXPECT_EQ(link.ConnectionMode(), LinkMode::None);

    ClickTab(2);
    EXPECT_EQ(Tabs()->currentIndex(), 0) << "tab clicks are refused with no mouse identified";

    hotKey.Press();
    EXPECT_EQ(Tabs()->currentIndex(), 4);
    EXPECT_TRUE(PairButton()->isVisible());
}

TEST_F(MainWindowTest, TheTabsCarryTheirTitlesAndTheHiddenControlsStayHidden) {
    ASSERT_TRUE(Start());
    ASSERT_EQ(Tabs()->count(), 5);
    for (int index = 0; index < 5; ++index) {
        EXPECT_EQ(Tabs()->tabText(index), QString::fromUtf8(text::TabTitles[index]));
    }
    for (const char* hidden : {"indicator", "extraStatusText", "spareButton", "signalLevelLabel"}) {
        EXPECT_FALSE(Find(hidden)->isVisible()) << hidden;
    }
}

TEST_F(MainWindowTest, MouseOnCableWithDongleLoadsOnTheCableAndReadsTheDongle) {
    PlugMouseOnCable();
    PlugDongle();
    ASSERT_TRUE(Start());

    EXPECT_EQ(TextOf("connectionText"), QString::fromUtf8(text::Wired));
    EXPECT_EQ(TextOf("mouseVersionText"), "1.05");
    EXPECT_EQ(TextOf("dongleVersionText"), "1.04");
    EXPECT_TRUE(Find<QPushButton>("factoryResetButton")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("applyButton")->isEnabled());
    EXPECT_TRUE(PairButton()->isEnabled());
    EXPECT_EQ(window->MouseRecognition(), recognition::Recognised);

    using Sent = std::vector<std::pair<std::string, std::uint8_t>>;
    EXPECT_EQ(SentCommands(), (Sent{{"cable", 0x0E},
                                    {"cable", 0xB4},
                                    {"cable", 0x12},
                                    {"dongle", 0x0F},
                                    {"dongle", 0x0D}}));

    // The link is back on the mouse's cable.
    EXPECT_EQ(link.ConnectionMode(), LinkMode::Cable);
    emulator.ClearTrace();
    DeviceInfo info;
    EXPECT_EQ(commands.ReadMouseInfo(info, CableWaits.mouseInfo), result::Done);
    EXPECT_EQ(SentCommands().front().first, "cable");

    ClickTab(2);
    EXPECT_EQ(Tabs()->currentIndex(), 2);
}

TEST_F(MainWindowTest, MouseThroughTheDongleLoadsWirelessly) {
    PlugDongle();
    emulator.SetBattery(85);
    ASSERT_TRUE(Start());

    EXPECT_EQ(TextOf("connectionText"), QString::fromUtf8(text::Wireless));
    EXPECT_EQ(TextOf("batteryText"), "85%");
    EXPECT_EQ(TextOf("mouseVersionText"), "1.05");
    EXPECT_EQ(TextOf("dongleVersionText"), "1.04");
    EXPECT_TRUE(InputsEnabled());
    EXPECT_EQ(link.ConnectionMode(), LinkMode::Dongle);
    EXPECT_EQ(store.BaseConfig(), store.EditConfig());
}

TEST_F(MainWindowTest, DongleWithItsMouseOffShowsPairing) {
    PlugDongle();
    emulator.SetMousePowered(false);
    ASSERT_TRUE(Start());

    EXPECT_EQ(TextOf("dongleVersionText"), "1.04");
    EXPECT_EQ(Tabs()->currentIndex(), 4);
    EXPECT_TRUE(PairButton()->isEnabled());
    EXPECT_EQ(TextOf("connectionText"), NotAvailable);
    EXPECT_FALSE(InputsEnabled());
    EXPECT_EQ(link.ConnectionMode(), LinkMode::None);
}

TEST_F(MainWindowTest, AForeignMouseThroughTheDongleIsNotTakenForOurs) {
    PlugDongle();
    emulator.SetMouseProductId(0x1234);
    ASSERT_TRUE(Start());

    EXPECT_EQ(window->MouseRecognition(), recognition::Foreign);
    EXPECT_FALSE(InputsEnabled());
    EXPECT_EQ(TextOf("connectionText"), NotAvailable);
    ClickTab(1);
    EXPECT_EQ(Tabs()->currentIndex(), 0);
}

TEST_F(MainWindowTest, AFailedCableLoadKeepsWiredWithTheInputsDisabled) {
    PlugMouseOnCable();
    emulator.RefuseCommand(0x12, 2);
    ASSERT_TRUE(Start());

    EXPECT_EQ(TextOf("connectionText"), QString::fromUtf8(text::Wired));
    EXPECT_FALSE(InputsEnabled());
    EXPECT_EQ(link.ConnectionMode(), LinkMode::None);
}

struct VersionCase {
    const char* name;
    bool cable;
    const char* shown;
};

class DongleVersionLimitTest : public MainWindowTest,
                               public ::testing::WithParamInterface<VersionCase> {};

TEST_P(DongleVersionLimitTest, AVersionOfTwoOrMoreShowsOnlyOnTheCable) {
    if (GetParam().cable) {
        PlugMouseOnCable();
    }
    PlugDongle();
    emulator.SetDongleFirmwareVersion(0x0201);
    ASSERT_TRUE(Start());
    EXPECT_EQ(TextOf("dongleVersionText"), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, DongleVersionLimitTest,
                         ::testing::Values(VersionCase{"Wireless", false, ""},
                                           VersionCase{"Cable", true, "2.01"}),
                         test::CaseName{});

struct BatteryCase {
    const char* name;
    bool cable;
    std::uint8_t level;
    const char* shown;
};

class BatteryTextTest : public MainWindowTest, public ::testing::WithParamInterface<BatteryCase> {};

TEST_P(BatteryTextTest, ShowsTheLevelOrCharging) {
    (GetParam().cable ? emulator.PlugCable(true) : emulator.PlugDongle(true));
    emulator.SetBattery(GetParam().level);
    ASSERT_TRUE(Start());
    EXPECT_EQ(TextOf("batteryText"), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, BatteryTextTest,
                         ::testing::Values(BatteryCase{"DongleCapsAt100", false, 120, "100%"},
                                           BatteryCase{"DongleLevel", false, 7, "7%"},
                                           BatteryCase{"CableBelowFullCharges", true, 99,
                                                       "Charging"},
                                           BatteryCase{"CableFull", true, 100, "100%"},
                                           BatteryCase{"CableAboveFull", true, 120, "100%"}),
                         test::CaseName{});

TEST_F(MainWindowTest, EscapeAndEnterNeverCloseTheWindow) {
    PlugMouseOnCable();
    ASSERT_TRUE(Start());
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(Find<QPushButton>("factoryResetButton"), key);
        QTest::keyClick(window.get(), key);
        EXPECT_TRUE(window->isVisible()) << key;
        EXPECT_EQ(window->result(), 0);
    }
    EXPECT_TRUE(notifier.shown.empty());
}

TEST_F(MainWindowTest, EnterOnThePairingPageWithTheDonglePresentStartsPairing) {
    PlugDongle();
    ASSERT_TRUE(Start());
    window->ShowPairingPage();

    QTest::keyClick(PairButton(), Qt::Key_Return);

    EXPECT_TRUE(emulator.PairingRequested());
    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0], QString::fromUtf8(text::PairingInstruction));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, AnOpenFirmwareUpdaterStopsTheToolBeforeItTouchesTheDevice) {
    PlugMouseOnCable();
    QWidget updater;
    updater.setWindowTitle(QString::fromUtf8(text::UpdaterWindowTitle));
    updater.show();

    EXPECT_FALSE(Start());

    EXPECT_TRUE(emulator.Trace().empty());
    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0], QString::fromUtf8(text::UpdaterRunning));
    EXPECT_FALSE(listener.IsRunning());
}

struct RegistrationCase {
    const char* name;
    bool rawInput;
    bool hotPlug;
    std::vector<const char*> messages;
};

class RegistrationFailureTest : public MainWindowTest,
                                public ::testing::WithParamInterface<RegistrationCase> {};

TEST_P(RegistrationFailureTest, IsReportedAndTheToolRunsOn) {
    rawInput.startSucceeds = GetParam().rawInput;
    hotPlug.startSucceeds = GetParam().hotPlug;
    PlugMouseOnCable();
    ASSERT_TRUE(Start());

    std::vector<QString> expected;
    for (const char* message : GetParam().messages) {
        expected.push_back(QString::fromUtf8(message));
    }
    EXPECT_EQ(notifier.shown, expected);
    EXPECT_TRUE(InputsEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistrationFailureTest,
    ::testing::Values(RegistrationCase{"RawInput", false, true, {text::RawInputFailed}},
                      RegistrationCase{"HotPlug", true, false, {text::DeviceNotificationFailed}},
                      RegistrationCase{"Both",
                                       false,
                                       false,
                                       {text::RawInputFailed, text::DeviceNotificationFailed}}),
    test::CaseName{});

TEST_F(MainWindowTest, TheListenerStartsForTheDetectedMode) {
    PlugDongle();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(listener.IsRunning());
    EXPECT_EQ(emulator.OpenStatusReaders(), 1);
}

// --- the line under the status area -----------------------------------------

struct HintLineCase {
    const char* name;
    std::function<void(emu::Qx9Emulator&)> hardware;
    const char* hint;  // nullptr: the line is hidden
    const char* connection;
};

class HintLineTest : public MainWindowTest, public ::testing::WithParamInterface<HintLineCase> {};

TEST_P(HintLineTest, SaysWhyThereIsNoDeviceAndNothingElseChanges) {
    GetParam().hardware(emulator);
    ASSERT_TRUE(Start());

    QLabel* line = Find<QLabel>("deviceHint");
    const char* hint = GetParam().hint;
    EXPECT_EQ(line->isVisible(), hint != nullptr);
    if (hint) {
        EXPECT_EQ(line->text(), QString::fromUtf8(hint));
    }
    EXPECT_EQ(TextOf("connectionText"), QString::fromUtf8(GetParam().connection));
    EXPECT_TRUE(notifier.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HintLineTest,
    ::testing::Values(HintLineCase{"NothingPluggedIn", [](emu::Qx9Emulator&) {}, text::NoDeviceHint,
                                   text::NotAvailable},
                      HintLineCase{"MouseRefused",
                                   [](emu::Qx9Emulator& e) {
                                       e.PlugCable(true);
                                       e.FailNextOpens(1, HidError::AccessDenied);
                                   },
                                   text::AccessRefusedHint, text::NotAvailable},
                      HintLineCase{"DongleRefused",
                                   [](emu::Qx9Emulator& e) {
                                       e.PlugDongle(true);
                                       e.FailNextOpens(1, HidError::AccessDenied);
                                   },
                                   text::AccessRefusedHint, text::NotAvailable},
                      HintLineCase{"MouseLoads", [](emu::Qx9Emulator& e) { e.PlugCable(true); },
                                   nullptr, text::Wired},
                      HintLineCase{"DongleLoads", [](emu::Qx9Emulator& e) { e.PlugDongle(true); },
                                   nullptr, text::Wireless},
                      // The Pairing page is the answer there.
                      HintLineCase{"DongleWithTheMouseOff",
                                   [](emu::Qx9Emulator& e) {
                                       e.PlugDongle(true);
                                       e.SetMousePowered(false);
                                   },
                                   nullptr, text::NotAvailable}),
    test::CaseName{});

// --- choosing a tab ---------------------------------------------------------------

enum class TabWay { Click, Wheel, ArrowKey, AccessiblePress };

struct TabWayCase {
    const char* name;
    TabWay way;
    int reached;  // the tab this way leads to from the first one
};

class TabChoiceTest : public MainWindowTest, public ::testing::WithParamInterface<TabWayCase> {
  protected:
    void Choose() {
        QTabBar* bar = Tabs()->tabBar();
        switch (GetParam().way) {
            case TabWay::Click:
                ClickTab(2);
                break;
            case TabWay::Wheel: {
                const QPointF at = bar->tabRect(0).center();
                QWheelEvent down(at, bar->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                                 Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(bar, &down);
                break;
            }
            case TabWay::ArrowKey:
                QTest::keyClick(bar, Qt::Key_Right);
                break;
            case TabWay::AccessiblePress: {
                QAccessibleInterface* tab = QAccessible::queryAccessibleInterface(bar)->child(2);
                ASSERT_NE(tab, nullptr);
                ASSERT_NE(tab->actionInterface(), nullptr);
                EXPECT_EQ(tab->text(QAccessible::Name), QString::fromUtf8(text::TabTitles[2]));
                tab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                break;
            }
        }
    }
};

TEST_P(TabChoiceTest, IsRefusedWhileNoMouseIsIdentifiedYetCodeStillSelects) {
    ASSERT_TRUE(Start());
    Choose();
    EXPECT_EQ(Tabs()->currentIndex(), 0);

    hotKey.Press();
    EXPECT_EQ(Tabs()->currentIndex(), 4);
}

TEST_P(TabChoiceTest, WorksOnceTheMouseIsIdentified) {
    PlugMouseOnCable();
    ASSERT_TRUE(Start());
    Choose();
    EXPECT_EQ(Tabs()->currentIndex(), GetParam().reached);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, TabChoiceTest,
    ::testing::Values(TabWayCase{"Click", TabWay::Click, 2}, TabWayCase{"Wheel", TabWay::Wheel, 1},
                      TabWayCase{"ArrowKey", TabWay::ArrowKey, 1},
                      TabWayCase{"AccessiblePress", TabWay::AccessiblePress, 2}),
    test::CaseName{});

// --- what a screen reader says about the status area ---------------------------

struct ValueNameCase {
    const char* name;
    const char* label;
    const char* nameWhileEmpty;
    const char* caption;  // nullptr: a value without a caption label
};

class StatusValueNameTest : public MainWindowTest,
                            public ::testing::WithParamInterface<ValueNameCase> {
  protected:
    static QAccessibleInterface* Accessible(QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget);
    }
    static QString CaptionOf(QAccessibleInterface* value) {
        for (const auto& [other, relation] : value->relations(QAccessible::Label)) {
            if (other->role() == QAccessible::StaticText) {
                return other->text(QAccessible::Name);
            }
        }
        return {};
    }
};

TEST_P(StatusValueNameTest, AnEmptyValueIsNamedForItsRoleAndLinkedToItsCaption) {
    ASSERT_TRUE(Start());
    QLabel* value = Find<QLabel>(GetParam().label);
    ASSERT_TRUE(value->text().isEmpty());

    QAccessibleInterface* accessible = Accessible(value);
    EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(GetParam().nameWhileEmpty));
    if (GetParam().caption) {
        EXPECT_EQ(CaptionOf(accessible), QString::fromUtf8(GetParam().caption));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Labels, StatusValueNameTest,
    ::testing::Values(ValueNameCase{"Battery", "batteryText", "Battery Level:", "Battery Level:"},
                      ValueNameCase{"MouseVersion", "mouseVersionText",
                                    "Mouse Firmware Version:", "Mouse Firmware Version:"},
                      ValueNameCase{"DongleVersion", "dongleVersionText",
                                    "Dongle Firmware Version:", "Dongle Firmware Version:"},
                      ValueNameCase{"Signal", "signalText", "Signal Level:", "Signal Level:"},
                      ValueNameCase{"Indicator", "indicator", "indicator", nullptr},
                      ValueNameCase{"ExtraStatus", "extraStatusText", "extra status text",
                                    nullptr}),
    test::CaseName{});

TEST_F(StatusValueNameTest, AFilledValueReadsAsItsCaptionAndItsText) {
    PlugDongle();
    emulator.SetBattery(85);
    ASSERT_TRUE(Start());

    QAccessibleInterface* battery = Accessible(Find("batteryText"));
    EXPECT_EQ(CaptionOf(battery) + " " + battery->text(QAccessible::Name), "Battery Level: 85%");
}

// --- bringing the window forward and its message boxes -----------------------------

TEST_F(MainWindowTest, AltPWhileAnotherWindowHasTheFocusBringsTheToolForward) {
    ASSERT_TRUE(Start());
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    window->showMinimized();
    ASSERT_FALSE(window->isActiveWindow());

    hotKey.Press();

    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(Tabs()->currentIndex(), 4);
}

enum class BoxCause { UpdaterOpen, PairingInstruction };

struct BoxCase {
    const char* name;
    BoxCause cause;
    const char* text;
};

class MessageBoxOwnerTest : public MainWindowTest, public ::testing::WithParamInterface<BoxCase> {
  protected:
    void SetUp() override { boxes = &realBoxes; }

    MessageBoxNotifier realBoxes;
};

TEST_P(MessageBoxOwnerTest, OpensOverTheMainWindow) {
    QWidget* owner = nullptr;
    QString shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            owner = box->parentWidget();
            shown = box->text();
            box->accept();
        }
    });
    answer.start(10);

    QWidget updater;
    switch (GetParam().cause) {
        case BoxCause::UpdaterOpen:
            updater.setWindowTitle(QString::fromUtf8(text::UpdaterWindowTitle));
            updater.show();
            EXPECT_FALSE(Start());
            break;
        case BoxCause::PairingInstruction:
            PlugDongle();
            ASSERT_TRUE(Start());
            hotKey.Press();
            QTest::keyClick(PairButton(), Qt::Key_Return);
            break;
    }

    EXPECT_EQ(shown, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(owner, window.get());
}

INSTANTIATE_TEST_SUITE_P(
    Causes, MessageBoxOwnerTest,
    ::testing::Values(BoxCase{"UpdaterOpen", BoxCause::UpdaterOpen, text::UpdaterRunning},
                      BoxCase{"PairingInstruction", BoxCause::PairingInstruction,
                              text::PairingInstruction}),
    test::CaseName{});

}  // namespace
}  // namespace qx9
