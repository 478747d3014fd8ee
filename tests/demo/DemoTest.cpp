#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include "CUpdaterDlg.h"
#include "DemoComposition.h"
#include "support/CaseName.h"
#include "support/MainWindowFixture.h"

namespace qx9 {
namespace {

class DemoTest : public ::testing::Test {
  protected:
    DemoComposition::Options Options() const {
        return {directory.filePath("trace.txt"), directory.path()};
    }
    void TearDown() override {
        if (demo) {
            for (const std::string& violation : demo->Emulator().Violations()) {
                ADD_FAILURE() << "device contract violated: " << violation;
            }
        }
        demo.reset();
    }
    QString ConnectionText() const {
        return demo->App().Window()->findChild<QLabel*>("connectionText")->text();
    }

    QTemporaryDir directory;
    VirtualClock clock;
    test::RecordingNotifier notifier;
    std::unique_ptr<DemoComposition> demo =
        std::make_unique<DemoComposition>(clock, notifier, Options());
};

TEST_F(DemoTest, StartsOnTheCableAndShutsDownCleanly) {
    ASSERT_TRUE(demo->Start());
    EXPECT_TRUE(demo->Panel().isVisible());
    EXPECT_EQ(demo->Panel().windowTitle(), "Virtual QX9");
    EXPECT_EQ(ConnectionText(), "Wired");
    EXPECT_TRUE(notifier.shown.empty());

    demo.reset();
    SUCCEED() << "shut down without a fault";
}

TEST_F(DemoTest, UnpluggingTheCableOnThePanelNotifiesTheWindowOfEachInterface) {
    ASSERT_TRUE(demo->Start());
    QSignalSpy removals(&demo->HotPlug(), &HotPlugSource::DeviceRemoved);

    auto* cable = demo->Panel().findChild<QCheckBox*>("Cable plugged");
    ASSERT_NE(cable, nullptr);
    cable->click();

    EXPECT_FALSE(demo->Emulator().CablePlugged());
    ASSERT_EQ(removals.size(), 4);
    for (const QList<QVariant>& removal : removals) {
        EXPECT_TRUE(removal.at(0).toString().contains("3A9E:5C11"));
    }
}

TEST_F(DemoTest, TheTraceFileHoldsTheStartUpExchanges) {
    ASSERT_TRUE(demo->Start());
    demo.reset();

    QFile trace(directory.filePath("trace.txt"));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(trace.readAll());
    EXPECT_TRUE(text.contains("OUT  cable   A1 0E 00")) << text.left(400).toStdString();
    EXPECT_TRUE(text.contains("IN   cable   A0 01")) << "the configuration read";
    EXPECT_TRUE(text.contains("OUT  dongle  A1 0D 00")) << "the dongle's version";
    EXPECT_EQ(text.count('\n'), 10) << "one line per exchange of the cable start-up";
}

TEST_F(DemoTest, ALevelPickedOnTheBasicPageReachesTheEmulatedMouse) {
    ASSERT_TRUE(demo->Start());
    auto* selector = demo->App().Window()->findChild<QRadioButton*>("levelSelector3");
    ASSERT_NE(selector, nullptr);
    selector->click();
    EXPECT_EQ(demo->Emulator().ConfigBlock()[0x0D], 2);
    demo.reset();

    QFile trace(directory.filePath("trace.txt"));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(trace.readAll()).split('\n', Qt::SkipEmptyParts);
    const auto write = std::find_if(lines.begin(), lines.end(), [](const QString& line) {
        return line.contains("OUT  cable   A1 14 0F 1C");
    });
    ASSERT_NE(write, lines.end());
    ASSERT_NE(write + 1, lines.end());
    const auto millisecondsOf = [](const QString& line) {
        return line.simplified().section(' ', 0, 0).toInt();
    };
    EXPECT_TRUE((write + 1)->contains("IN   cable   A1 01"));
    EXPECT_EQ(millisecondsOf(*(write + 1)) - millisecondsOf(*write), 500) << "the write's wait";
    EXPECT_TRUE(write->contains("00 01 03 00 00 00 04 02")) << "level 3 of 4 is active";
}

TEST_F(DemoTest, ApplyFactoryResetAndPairingFromTheWindowReachTheEmulatedDevices) {
    ASSERT_TRUE(demo->Start());
    QWidget* window = demo->App().Window();
    auto* ripple = window->findChild<QCheckBox*>("rippleControlBox");
    auto* apply = window->findChild<QPushButton*>("applyButton");
    ASSERT_TRUE(ripple && apply);

    // An edit on each settings page, then one APPLY.
    ripple->click();
    window->findChild<QCheckBox*>("motionSyncBox")->click();
    window->findChild<QCheckBox*>("deepSleepBox")->click();
    apply->click();
    const emu::Block stored = demo->Emulator().ConfigBlock();
    EXPECT_EQ(stored[0x0B], 1) << "ripple control on in the mouse";
    EXPECT_EQ(stored[0x0C], 1) << "motion sync on";
    EXPECT_EQ(stored[0x03] & 0x80, 0x80) << "deep sleep off";
    EXPECT_FALSE(apply->isEnabled());

    window->findChild<QPushButton*>("factoryResetButton")->click();
    EXPECT_EQ(demo->Emulator().ConfigBlock()[0x0B], 0);
    EXPECT_FALSE(ripple->isChecked());

    window->findChild<QPushButton*>("pairDongleButton")->click();
    EXPECT_TRUE(demo->Emulator().PairingRequested());
    EXPECT_EQ(notifier.shown.size(), 1u) << "the pairing instruction";
}

TEST_F(DemoTest, EveryPanelControlIsNamedForTheAccessibilityTree) {
    int inputs = 0;
    for (QWidget* widget : demo->Panel().findChildren<QWidget*>()) {
        const bool input = qobject_cast<QAbstractButton*>(widget) ||
                           qobject_cast<QComboBox*>(widget) || qobject_cast<QSpinBox*>(widget);
        if (!input) {
            continue;
        }
        ++inputs;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
            << widget->objectName().toStdString();
    }
    EXPECT_GT(inputs, 0);
}

// --- each start and each row of the lifecycle, played on the panel ----------------------

class DemoPlayTest : public ::testing::Test {
  protected:
    void StartWith(DemoStart start) {
        DemoComposition::Options options;
        options.lockDirectory = directory.path();
        options.start = start;
        demo = std::make_unique<DemoComposition>(clock, notifier, options);
        ASSERT_TRUE(demo->Start());
    }
    void TearDown() override {
        if (demo) {
            for (const std::string& violation : demo->Emulator().Violations()) {
                ADD_FAILURE() << "device contract violated: " << violation;
            }
        }
        demo.reset();
    }
    QWidget* Window() const { return demo->App().Window(); }
    template <typename Widget = QWidget>
    Widget* InWindow(const char* name) const {
        auto* found = Window()->findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    template <typename Widget = QAbstractButton>
    Widget* OnPanel(const char* name) const {
        auto* found = demo->Panel().findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void Click(const char* panelControl) const { OnPanel(panelControl)->click(); }
    QString Connection() const { return InWindow<QLabel>("connectionText")->text(); }
    // Status records reach the window through the listener thread.
    bool ShowsConnection(const char* text) const {
        return QTest::qWaitFor([&] { return Connection() == QString::fromUtf8(text); }, 5000);
    }
    bool InputsEnabled() const { return InWindow("factoryResetButton")->isEnabled(); }

    QTemporaryDir directory;
    VirtualClock clock;
    test::RecordingNotifier notifier;
    std::unique_ptr<DemoComposition> demo;
};

struct StartCase {
    const char* name;
    DemoStart start;
    bool cable;
    bool dongle;
    bool mouseOn;
    const char* connection;
    const char* dongleVersion;
    int tab;
};

class DemoStartStateTest : public DemoPlayTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(DemoStartStateTest, StartsTheWindowAsThatHardwareWould) {
    const StartCase& c = GetParam();
    StartWith(c.start);

    EXPECT_EQ(OnPanel("Cable plugged")->isChecked(), c.cable);
    EXPECT_EQ(OnPanel("Dongle plugged")->isChecked(), c.dongle);
    EXPECT_EQ(OnPanel("Mouse on")->isChecked(), c.mouseOn);
    EXPECT_EQ(Connection(), c.connection);
    EXPECT_EQ(InWindow<QLabel>("dongleVersionText")->text(), c.dongleVersion);
    EXPECT_EQ(InWindow<QTabWidget>("pageTabs")->currentIndex(), c.tab);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, DemoStartStateTest,
    ::testing::Values(StartCase{"CableAndDongle", DemoStart::CableAndDongle, true, true, true,
                                "Wired", "1.04", 0},
                      StartCase{"Cable", DemoStart::Cable, true, false, true, "Wired", "", 0},
                      StartCase{"Dongle", DemoStart::Dongle, false, true, true, "Wireless", "1.04",
                                0},
                      StartCase{"DongleMouseOff", DemoStart::DongleMouseOff, false, true, false,
                                "N/A", "1.04", 4},
                      StartCase{"None", DemoStart::None, false, false, true, "N/A", "", 0}),
    test::CaseName{});

struct Step {
    const char* control;     // clicked on the panel
    const char* connection;  // what the window shows then
};

struct PlayCase {
    const char* name;
    DemoStart start;
    std::vector<Step> steps;
    bool inputs;  // at the end
};

class DemoLifecycleTest : public DemoPlayTest, public ::testing::WithParamInterface<PlayCase> {};

TEST_P(DemoLifecycleTest, EachRowPlaysFromThePanel) {
    StartWith(GetParam().start);
    for (const Step& step : GetParam().steps) {
        Click(step.control);
        ASSERT_TRUE(ShowsConnection(step.connection))
            << step.control << ": " << Connection().toStdString();
    }
    EXPECT_EQ(InputsEnabled(), GetParam().inputs);
    EXPECT_TRUE(notifier.shown.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, DemoLifecycleTest,
    ::testing::Values(
        PlayCase{"CableArrives", DemoStart::None, {{"Cable plugged", "Wired"}}, true},
        PlayCase{"CableArrivesWhileWireless", DemoStart::Dongle, {{"Cable plugged", "Wired"}}, true},
        PlayCase{"DongleArrives", DemoStart::None, {{"Dongle plugged", "Wireless"}}, true},
        PlayCase{"DongleArrivesWithTheMouseOff", DemoStart::None,
                 {{"Mouse on", "N/A"}, {"Dongle plugged", "N/A"}}, false},
        PlayCase{"DongleArrivesBesideTheCable", DemoStart::Cable, {{"Dongle plugged", "Wired"}}, true},
        PlayCase{"CableRemovedBesideTheDongle", DemoStart::CableAndDongle, {{"Cable plugged", "Wireless"}}, true},
        PlayCase{"CableRemovedWithoutADongle", DemoStart::Cable, {{"Cable plugged", "N/A"}}, false},
        PlayCase{"DongleRemovedBesideTheCable", DemoStart::CableAndDongle, {{"Dongle plugged", "Wired"}}, true},
        PlayCase{"DongleRemovedWhileWireless", DemoStart::Dongle, {{"Dongle plugged", "N/A"}}, false},
        PlayCase{"LinkDropped", DemoStart::Dongle, {{"Drop the wireless link", "N/A"}}, false},
        PlayCase{"MouseMovesAfterTheLinkDropped", DemoStart::Dongle,
                 {{"Drop the wireless link", "N/A"}, {"Move the mouse", "Wireless"}}, true},
        PlayCase{"MouseSwitchedOffAndOn", DemoStart::Dongle,
                 {{"Mouse on", "N/A"}, {"Mouse on", "Wireless"}}, true},
        PlayCase{"MouseUnpairedAndPairedAgain", DemoStart::Dongle,
                 {{"Paired with the dongle", "N/A"}, {"Paired with the dongle", "Wireless"}}, true},
        PlayCase{"FirstMovementOfAMouseSwitchedOnLate", DemoStart::DongleMouseOff,
                 {{"Mouse on", "N/A"}, {"Move the mouse", "Wireless"}}, true}),
    test::CaseName{});
// clang-format on

TEST_F(DemoPlayTest, WhatTheMouseReportsOnItsOwnReachesTheWindow) {
    StartWith(DemoStart::Dongle);
    auto* level = InWindow<QRadioButton>("levelSelector3");
    auto* rate = InWindow<QComboBox>("reportRateList");
    auto* battery = InWindow<QLabel>("batteryText");
    ASSERT_FALSE(level->isChecked());

    Click("Press the CPI button");
    EXPECT_TRUE(QTest::qWaitFor([&] { return level->isChecked(); }, 5000));

    OnPanel<QComboBox>("Report rate")->setCurrentIndex(4);
    Click("Change the report rate");
    EXPECT_TRUE(QTest::qWaitFor([&] { return rate->currentIndex() == 4; }, 5000))
        << "125 Hz office mode";

    OnPanel<QSpinBox>("Battery level")->setValue(42);
    EXPECT_TRUE(QTest::qWaitFor([&] { return battery->text() == "42%"; }, 5000));
}

}  // namespace
}  // namespace qx9
