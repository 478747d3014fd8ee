#pragma once

#include <QString>
#include <memory>

#include "CUpdaterApp.h"
#include "DemoStart.h"
#include "Qx9Emulator.h"
#include "TraceFile.h"
#include "VirtualQx9Panel.h"

namespace qx9 {

// The tool's own main window wired to the emulated mouse and dongle instead of
// hidraw, udev and X11 input, with the "Virtual QX9" panel beside it.
class DemoComposition {
  public:
    struct Options {
        QString tracePath;      // empty: no trace file
        QString lockDirectory;  // where the single-instance lock lives
        DemoStart start = DemoStart::CableAndDongle;
    };

    DemoComposition(Clock& clock, Notifier& notifier, const Options& options);
    ~DemoComposition();

    // Shows the panel and starts the main window; false when it did not start.
    bool Start();
    // Starts, then runs until the main window closes.
    int Run();

    emu::Qx9Emulator& Emulator() { return emulator_; }
    VirtualQx9Panel& Panel() { return *panel_; }
    ManualHotPlugSource& HotPlug() { return hotPlug_; }
    CUpdaterApp& App() { return *app_; }

  private:
    void PlacePanelBesideWindow();

    emu::Qx9Emulator emulator_;
    std::unique_ptr<emu::TraceFile> traceFile_;
    DeviceLink link_;
    ConfigStore store_;
    CommandSet commands_;
    StatusRecordRelay records_;
    StatusListener listener_;
    SingleInstance instance_;
    InProcessWindowProbe updaterProbe_;
    ShortcutPairingHotKey hotKey_;
    ManualHotPlugSource hotPlug_;
    ManualRawMouseInput rawInput_;
    std::unique_ptr<VirtualQx9Panel> panel_;
    std::unique_ptr<CUpdaterApp> app_;
};

}  // namespace qx9
