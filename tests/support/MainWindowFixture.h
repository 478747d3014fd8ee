#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "CUpdaterDlg.h"
#include "PageTabs.h"
#include "Qx9Emulator.h"

namespace qx9::test {

class RecordingNotifier final : public Notifier {
  public:
    void Inform(const QString& text) override { shown.push_back(text); }
    std::vector<QString> shown;
};

// The whole main window on the emulated hardware, with hand-driven platform
// services. Any request the emulator did not understand fails the test.
class MainWindowFixture : public ::testing::Test {
  protected:
    void TearDown() override {
        window.reset();
        listener.Stop();
        for (const std::string& violation : emulator.Violations()) {
            ADD_FAILURE() << "device contract violated: " << violation;
        }
    }

    DeviceContext Device() { return {link, store, commands, listener, records}; }
    PlatformContext Platform() {
        return {instance, updaterProbe, hotKey, hotPlug, rawInput, *boxes};
    }

    // Builds the window and runs its initialisation, as the application does.
    bool Start() {
        window = std::make_unique<CUpdaterDlg>(Device(), Platform());
        const bool initialised = window->Initialise();
        window->show();
        return initialised;
    }

    void PlugMouseOnCable() { emulator.PlugCable(true); }
    void PlugDongle() { emulator.PlugDongle(true); }

    template <typename Widget = QWidget>
    Widget* Find(const char* name) const {
        auto* found = window->findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString TextOf(const char* label) const { return Find<QLabel>(label)->text(); }
    PageTabs* Tabs() const { return Find<PageTabs>("pageTabs"); }
    QPushButton* PairButton() const { return Find<QPushButton>("pairDongleButton"); }
    void ClickTab(int index) const {
        QTabBar* bar = Tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    VirtualClock clock;
    emu::Qx9Emulator emulator{clock};
    DeviceLink link{emulator, clock};
    ConfigStore store;
    CommandSet commands{link, store};
    StatusRecordRelay records;
    // The listener's pauses after each record run on a clock of their own, so
    // that the device's waits read exactly whenever a record comes in.
    VirtualClock listenerClock;
    StatusListener listener{emulator, link, listenerClock, records.Poster()};

    QTemporaryDir lockDirectory;
    SingleInstance instance{lockDirectory.path()};
    InProcessWindowProbe updaterProbe;
    ManualPairingHotKey hotKey;
    ManualHotPlugSource hotPlug;
    ManualRawMouseInput rawInput;
    RecordingNotifier notifier;
    Notifier* boxes = &notifier;  // what the window shows its messages through
    std::unique_ptr<CUpdaterDlg> window;
};

}  // namespace qx9::test
