#pragma once

#include <QSignalSpy>
#include <ostream>
#include <string>

#include "support/MainWindowFixture.h"
#include "support/SentCommands.h"

namespace qx9::test {

// What the window shows of the device, and the mode it holds.
struct Screen {
    std::string connection;
    std::string mouseVersion;
    std::string dongleVersion;
    std::string battery;
    bool inputs = false;
    bool pairButton = false;
    LinkMode mode = LinkMode::None;
    friend bool operator==(const Screen&, const Screen&) = default;
};

inline void PrintTo(const Screen& s, std::ostream* out) {
    *out << "{\"" << s.connection << "\" mouse \"" << s.mouseVersion << "\" dongle \""
         << s.dongleVersion << "\" battery \"" << s.battery << "\" inputs " << s.inputs << " pair "
         << s.pairButton << " mode 0x" << std::hex << static_cast<int>(s.mode) << std::dec << "}";
}

// The window on the emulated hardware while devices come and go: the hardware
// changes, and the window hears of it as it would from the desktop.
class DeviceEventsFixture : public MainWindowFixture {
  protected:
    // The device goes in or out, then announces each of its interfaces.
    void PlugIn(emu::Endpoint endpoint) {
        (endpoint == emu::Endpoint::Cable ? emulator.PlugCable(true) : emulator.PlugDongle(true));
        Announce(endpoint, true);
    }
    void PullOut(emu::Endpoint endpoint) {
        (endpoint == emu::Endpoint::Cable ? emulator.PlugCable(false) : emulator.PlugDongle(false));
        Announce(endpoint, false);
    }
    void Announce(emu::Endpoint endpoint, bool arrived) {
        for (const std::string& name : emu::Qx9Emulator::InterfaceNames(endpoint)) {
            const QString named = QString::fromStdString(name);
            arrived ? hotPlug.Arrive(named) : hotPlug.Remove(named);
        }
    }
    void MoveMouse(emu::Endpoint endpoint) {
        rawInput.Move(QString::fromStdString(emu::Qx9Emulator::MouseInputName(endpoint)));
    }

    // Runs `send`, then lets the window take the `count` records it queued:
    // when this returns the window has handled them.
    template <typename Send>
    void Deliver(int count, Send send) {
        QSignalSpy delivered(&records, &StatusRecordRelay::RecordArrived);
        send();
        EXPECT_TRUE(QTest::qWaitFor([&] { return delivered.count() >= count; }, 5000))
            << delivered.count() << " of " << count << " records delivered";
    }
    void DeliverRecord(const std::array<std::uint8_t, StatusRecordSize>& bytes,
                       emu::Endpoint endpoint = emu::Endpoint::Dongle) {
        Deliver(1, [&] {
            std::array<std::uint8_t, StatusReportSize> report{StatusReportId};
            std::copy(bytes.begin(), bytes.end(), report.begin() + 1);
            emulator.SendStatusReport(endpoint, report);
        });
    }

    Screen Shown() const {
        return {TextOf("connectionText").toStdString(),
                TextOf("mouseVersionText").toStdString(),
                TextOf("dongleVersionText").toStdString(),
                TextOf("batteryText").toStdString(),
                InputsEnabled(),
                PairButton()->isEnabled(),
                link.ConnectionMode()};
    }
    bool InputsEnabled() const {
        return Find<QPushButton>("factoryResetButton")->isEnabled() &&
               Find<QWidget>("levelSelector1")->isEnabled();
    }
    std::vector<std::string> SentSince(Milliseconds since) const {
        return SentCommands(emulator.Trace(), since);
    }
};

}  // namespace qx9::test
