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
#include <QTemporaryDir>

#include "CUpdaterDlg.h"
#include "DemoComposition.h"
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

}  // namespace
}  // namespace qx9
