#include "CUpdaterDlg.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "DeviceHint.h"
#include "DisplayTexts.h"
#include "MouseRecognition.h"
#include "ScreenText.h"
#include "UiTexts.h"
#include "WaitCursor.h"
#include "WindowActivation.h"

namespace qx9 {

CUpdaterDlg::CUpdaterDlg(DeviceContext device, PlatformContext platform, QWidget* parent)
    : QDialog(parent), device_(device), platform_(platform) {
    ui_.setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/qx9/icon.png")));
    device_.link.SetConnectionMode(LinkMode::None);
    platform_.notifier.SetOwner(this);
    connect(&device_.records, &StatusRecordRelay::RecordArrived, this,
            &CUpdaterDlg::HandleStatusRecord);
    connect(ui_.applyButton, &QPushButton::clicked, this, &CUpdaterDlg::ApplySettings);
    connect(ui_.factoryResetButton, &QPushButton::clicked, this,
            &CUpdaterDlg::RestoreFactorySettings);
    qApp->installEventFilter(this);
}

CUpdaterDlg::~CUpdaterDlg() {
    qApp->removeEventFilter(this);
    // Tearing the pages down moves the focus, and a page may report an edit
    // then; the window is no longer there to hear it.
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
}

bool CUpdaterDlg::Initialise() {
    if (!PrepareWindow()) {
        return false;
    }
    ConnectAtStartUp();
    return true;
}

bool CUpdaterDlg::PrepareWindow() {
    if (platform_.updaterProbe.WindowOpen(Text(text::UpdaterWindowTitle))) {
        platform_.notifier.Inform(Text(text::UpdaterRunning));
        return false;
    }
    RegisterPlatformEvents();
    setWindowTitle(Text(text::WindowTitle));
    SetUpTabsAndPages();
    device_.store.ResetBothToDefaults();
    return true;
}

void CUpdaterDlg::ConnectAtStartUp() {
    const WaitCursor wait;
    const LinkMode mode = device_.link.DetectConnection();
    device_.listener.StartStatusListener();
    switch (mode) {
        case LinkMode::Cable:
            ui_.connectionText->setText(Text(text::Wired));
            // A failed cable load leaves "Wired" with every input disabled.
            ConnectAndLoad(LinkMode::Cable);
            break;
        case LinkMode::Dongle:
            if (ConnectAndLoad(LinkMode::Dongle) == result::Done) {
                break;
            }
            [[fallthrough]];
        case LinkMode::None:
            SetDeviceControlsEnabled(false);
            ui_.connectionText->setText(Text(text::NotAvailable));
            break;
    }
    ui_.applyButton->setEnabled(false);
    startedUp_ = true;
}

void CUpdaterDlg::RegisterPlatformEvents() {
    connect(&platform_.rawInput, &RawMouseInput::MouseInput, this, &CUpdaterDlg::OnRawMouseInput);
    if (!platform_.rawInput.Start()) {
        platform_.notifier.Inform(Text(text::RawInputFailed));
    }
    connect(&platform_.hotPlug, &HotPlugSource::DeviceArrived, this, &CUpdaterDlg::OnDeviceArrived);
    connect(&platform_.hotPlug, &HotPlugSource::DeviceRemoved, this, &CUpdaterDlg::OnDeviceRemoved);
    if (!platform_.hotPlug.Start()) {
        platform_.notifier.Inform(Text(text::DeviceNotificationFailed));
    }
    connect(&platform_.hotKey, &PairingHotKey::Activated, this, [this] {
        ShowPairingPage();
        // The key works from anywhere on the desktop: the page must come into view.
        BringToFront(*this);
    });
    platform_.hotKey.Register(this);  // without it Alt+P simply does nothing
}

void CUpdaterDlg::SetUpTabsAndPages() {
    ui_.softwareVersionText->setText(Text(FormatVersion(SoftwareVersion)));
    PageTabs* tabs = ui_.pageTabs;
    basic_ = new CSensorDlg(device_.store, platform_.notifier, tabs);
    connect(basic_, &CSensorDlg::EditConfigChanged, this, &CUpdaterDlg::RefreshApplyButton);
    connect(basic_, &CSensorDlg::LevelSwitchRequested, this, &CUpdaterDlg::SwitchActiveLevel);
    advanced_ = new CSupportDlg(device_.store, device_.link, tabs);
    connect(advanced_, &CSupportDlg::EditConfigChanged, this, &CUpdaterDlg::RefreshApplyButton);
    connect(advanced_, &CSupportDlg::GlassModeChanged, basic_, &CSensorDlg::SetLodListForGlassMode);
    buttons_ = new CMouseSet(device_.store, platform_.notifier, tabs);
    connect(buttons_, &CMouseSet::EditConfigChanged, this, &CUpdaterDlg::RefreshApplyButton);
    power_ = new CPower(device_.store, platform_.notifier, tabs);
    connect(power_, &CPower::EditConfigChanged, this, &CUpdaterDlg::RefreshApplyButton);
    connect(advanced_, &CSupportDlg::PowerSavingForcedChanged, power_,
            &CPower::SetPowerSavingForced);
    pairing_ = new CPair(device_.link, device_.commands, platform_.notifier, tabs);
    QWidget* const pages[] = {basic_, advanced_, buttons_, power_, pairing_};
    for (int index = 0; index < 5; ++index) {
        tabs->addTab(pages[index], Text(text::TabTitles[index]));
    }
    tabs->setCurrentIndex(BasicTab);
    tabs->SetChangeGuard([this] { return mouseRecognition_ == recognition::Recognised; });
    connect(tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == PairingTab) {
            pairing_->FocusPairButton();
        }
    });
    ui_.indicator->hide();
    ui_.extraStatusText->hide();
    ui_.spareButton->hide();
}

std::uint8_t CUpdaterDlg::ConnectAndLoad(LinkMode mode) {
    WaitCursor wait;
    switch (mode) {
        case LinkMode::Dongle:
            return ShowLoad(LoadThroughDongle(device_.link, device_.commands, device_.store),
                            LinkMode::Dongle);
        case LinkMode::Cable:
            return ShowLoad(LoadOnCable(device_.link, device_.commands, device_.store),
                            LinkMode::Cable);
        case LinkMode::None:
            break;
    }
    return result::Done;
}

std::uint8_t CUpdaterDlg::ShowLoad(const LoadReport& report, LinkMode mode) {
    if (report.donglePresent) {
        pairing_->SetPairButtonEnabled(true);
    }
    if (report.recognition) {
        mouseRecognition_ = *report.recognition;
    }
    if (report.dongleVersion) {
        if (const auto version =
                ShownDongleVersion(*report.dongleVersion, mode == LinkMode::Dongle)) {
            ui_.dongleVersionText->setText(Text(*version));
        }
    }
    if (mode == LinkMode::Dongle && report.Recognised()) {
        ui_.connectionText->setText(Text(text::Wireless));
    }
    if (report.battery) {
        ui_.batteryText->setText(Text(BatteryText(*report.battery, mode == LinkMode::Cable)));
    }
    if (report.mouseVersion) {
        ui_.mouseVersionText->setText(Text(DecimalCodedVersion(*report.mouseVersion).text));
    }
    if (!report.Loaded()) {
        SetDeviceControlsEnabled(false);
        if (report.toPairing) {
            ShowPairingPage();
        }
        return report.result;
    }
    LoadPages();
    return result::Done;
}

void CUpdaterDlg::LoadPages() {
    SetDeviceControlsEnabled(true);
    ui_.applyButton->setEnabled(false);
    advanced_->LoadFromConfig();
    basic_->LoadFromConfig();
    buttons_->LoadFromConfig();
    power_->LoadFromConfig();
    pairing_->SetPairButtonEnabled(device_.link.DonglePresent());
}

void CUpdaterDlg::SetDeviceControlsEnabled(bool enabled) {
    ui_.factoryResetButton->setEnabled(enabled);
    ui_.applyButton->setEnabled(enabled);
    advanced_->SetControlsEnabled(enabled);
    basic_->SetControlsEnabled(enabled);
    buttons_->SetControlsEnabled(enabled);
    power_->SetControlsEnabled(enabled);
    ShowDeviceHint(enabled);
}

void CUpdaterDlg::ShowDeviceHint(bool loaded) {
    const DeviceHint hint =
        DeviceHintFor(loaded, device_.link.LastDiscovery(), device_.link.DonglePresent());
    ui_.deviceHint->setText(Text(DeviceHintText(hint)));
    ui_.deviceHint->setVisible(hint != DeviceHint::None);
}

void CUpdaterDlg::RefreshApplyButton() {
    ui_.applyButton->setEnabled(device_.store.ConfigsDiffer());
}

void CUpdaterDlg::ShowPairingPage() {
    ui_.pageTabs->setCurrentIndex(PairingTab);
    pairing_->FocusPairButton();
}

bool CUpdaterDlg::PairingPageVisible() const {
    return pairing_ && pairing_->isVisible();
}

bool CUpdaterDlg::HandleKey(int key) {
    const bool pairingReady = device_.link.DonglePresent() && PairingPageVisible();
    switch (key) {
        case Qt::Key_Escape:
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (pairingReady) {
                pairing_->PairRequest();
            }
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (pairingReady) {
                pairing_->FocusPairButton();
            }
            return true;
        default:
            return false;
    }
}

bool CUpdaterDlg::PageTakesKey(QObject* watched, const QKeyEvent& event) const {
    for (QObject* at = watched; at && at != this; at = at->parent()) {
        if (auto* page = qobject_cast<SettingsPage*>(at)) {
            return page->PreviewKey(event);
        }
    }
    return false;
}

bool CUpdaterDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // The page the key was pressed in sees it first.
    return PageTakesKey(watched, key) || HandleKey(key.key());
}

void CUpdaterDlg::mousePressEvent(QMouseEvent* event) {
    const QWidget* under = childAt(event->position().toPoint());
    const bool background =
        !under || qobject_cast<const QLabel*>(under) || qobject_cast<const QGroupBox*>(under);
    if (event->button() == Qt::LeftButton && background && windowHandle()) {
        windowHandle()->startSystemMove();
        return;
    }
    QDialog::mousePressEvent(event);
}

}  // namespace qx9
