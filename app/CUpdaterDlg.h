#pragma once

#include <QDialog>
#include <cstdint>
#include <initializer_list>

#include "CMouseSet.h"
#include "CPair.h"
#include "CPower.h"
#include "CSensorDlg.h"
#include "CSupportDlg.h"
#include "LoadSequence.h"
#include "ToolContext.h"
#include "ui_CUpdaterDlg.h"

namespace qx9 {

// The tool's one window: the status area, the five pages and the actions that
// talk to the device.
class CUpdaterDlg : public QDialog {
    Q_OBJECT
  public:
    CUpdaterDlg(DeviceContext device, PlatformContext platform, QWidget* parent = nullptr);
    ~CUpdaterDlg() override;

    // Finds and loads the device. False when the tool must not run: the
    // dongle's firmware updater is open.
    bool Initialise();
    // Initialise in two halves, so that the window can be painted before the
    // device waits block it. The first is false when the tool must not run.
    bool PrepareWindow();
    void ConnectAtStartUp();

    std::uint8_t ConnectAndLoad(LinkMode mode);
    void SetDeviceControlsEnabled(bool enabled);
    void ShowPairingPage();
    void RefreshApplyButton();
    void HandleStatusRecord(const StatusRecord& record);
    // Sends the level picked on the Basic Settings page to the mouse.
    void SwitchActiveLevel();
    // APPLY: writes the pages' edits to the mouse.
    void ApplySettings();
    // Factory Reset: the mouse back to its factory settings, the pages to the defaults.
    void RestoreFactorySettings();

    std::uint8_t MouseRecognition() const { return mouseRecognition_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    static constexpr int BasicTab = 0;
    static constexpr int PairingTab = 4;

    void SetUpTabsAndPages();
    void RegisterPlatformEvents();
    // Shows what a load found; the pages load only when it read the configuration.
    std::uint8_t ShowLoad(const LoadReport& report, LinkMode mode);
    void LoadPages();
    // The line under the status area: why no device is shown, if that is so.
    void ShowDeviceHint(bool loaded);
    bool HandleKey(int key);
    bool PageTakesKey(QObject* watched, const QKeyEvent& event) const;
    bool PairingPageVisible() const;
    // Devices coming and going, and raw mouse input.
    void OnDeviceArrived(const QString& name);
    void OnDeviceRemoved(const QString& name);
    void OnRawMouseInput(const QString& deviceName);
    void CableArrived();
    void DongleArrived();
    void CableRemoved();
    void DongleRemoved();
    void TryWirelessReconnect();
    // A load through the dongle; when it fails nothing is connected, and the
    // connection text says so.
    std::uint8_t ConnectWirelessly();
    // Status records.
    void LinkStateReported(std::uint8_t state);
    void BatteryReported(std::uint8_t level);
    static void ClearTexts(std::initializer_list<QLabel*> labels);

    Ui::CUpdaterDlg ui_;
    DeviceContext device_;
    PlatformContext platform_;
    CSensorDlg* basic_ = nullptr;
    CSupportDlg* advanced_ = nullptr;
    CMouseSet* buttons_ = nullptr;
    CPower* power_ = nullptr;
    CPair* pairing_ = nullptr;

    std::uint8_t mouseRecognition_ = 0;
    bool deviceBusy_ = false;
    // Raw input starts at most one reconnection after each lost link.
    bool rawReconnectTried_ = false;
    // Device events wait for the start-up's detection: painting the window
    // before it runs lets events in early.
    bool startedUp_ = false;
};

}  // namespace qx9
