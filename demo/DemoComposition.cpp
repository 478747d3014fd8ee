#include "DemoComposition.h"

#include "CUpdaterDlg.h"

namespace qx9 {
namespace {

// The mouse starts on and paired unless the start says otherwise.
void PutInPlace(emu::Qx9Emulator& emulator, DemoStart start) {
    const bool cable = start == DemoStart::CableAndDongle || start == DemoStart::Cable;
    const bool dongle = start == DemoStart::CableAndDongle || start == DemoStart::Dongle ||
                        start == DemoStart::DongleMouseOff;
    emulator.PlugCable(cable);
    emulator.PlugDongle(dongle);
    emulator.SetMousePowered(start != DemoStart::DongleMouseOff);
}

}  // namespace

DemoComposition::DemoComposition(Clock& clock, Notifier& notifier, const Options& options)
    : emulator_(clock),
      link_(emulator_, clock),
      commands_(link_, store_),
      listener_(emulator_, link_, clock, records_.Poster()),
      instance_(options.lockDirectory) {
    if (!options.tracePath.isEmpty()) {
        traceFile_ = std::make_unique<emu::TraceFile>(options.tracePath.toStdString());
    }
    PutInPlace(emulator_, options.start);
    panel_ = std::make_unique<VirtualQx9Panel>(emulator_, hotPlug_, rawInput_);
    emulator_.SetTraceObserver([this](const emu::TraceEntry& entry) {
        const std::string line = emu::TraceLine(entry);
        if (traceFile_) {
            traceFile_->Append(line);
        }
        panel_->ShowTraceLine(QString::fromStdString(line));
    });
    app_ = std::make_unique<CUpdaterApp>(
        DeviceContext{link_, store_, commands_, listener_, records_},
        PlatformContext{instance_, updaterProbe_, hotKey_, hotPlug_, rawInput_, notifier});
}

DemoComposition::~DemoComposition() {
    // Nothing may reach the panel or the file once they start to go.
    emulator_.SetTraceObserver({});
    app_.reset();
    listener_.Stop();
}

bool DemoComposition::Start() {
    panel_->show();
    const bool started = app_->Start();
    PlacePanelBesideWindow();
    return started;
}

int DemoComposition::Run() {
    panel_->show();
    // The window exists only once the run has started it; place the panel then.
    QMetaObject::invokeMethod(
        panel_.get(), [this] { PlacePanelBesideWindow(); }, Qt::QueuedConnection);
    return app_->Run();
}

void DemoComposition::PlacePanelBesideWindow() {
    constexpr int Margin = 24;
    if (CUpdaterDlg* window = app_->Window()) {
        window->move(Margin, Margin);
        panel_->move(window->frameGeometry().right() + Margin, Margin);
    }
}

}  // namespace qx9
