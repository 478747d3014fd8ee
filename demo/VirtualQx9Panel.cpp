#include "VirtualQx9Panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "DeviceContract.h"
#include "UiTexts.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using namespace std::chrono_literals;

constexpr auto ChargeInterval = 1s;
constexpr int TraceLinesKept = 2000;

struct RateChoice {
    const char* name;
    std::uint8_t code;
};
constexpr RateChoice Rates[] = {
    {"4000 Hz", 0x02},       {"2000 Hz", 0x04}, {"1000 Hz", 0x08}, {"1000 Hz power saving", 0x80},
    {"125 Hz office", 0x40},
};

struct ErrorChoice {
    const char* name;
    HidError error;
};
constexpr ErrorChoice Errors[] = {
    {"CRC (retried)", HidError::Crc},
    {"not ready (retried)", HidError::NotReady},
    {"device gone", HidError::DeviceGone},
    {"access denied", HidError::AccessDenied},
};

struct CommandChoice {
    const char* name;
    std::uint8_t code;
};
constexpr CommandChoice Commands[] = {
    {"link check", command::LinkCheck},
    {"dongle info", command::ReadDongleInfo},
    {"mouse info", command::ReadMouseInfo},
    {"battery", command::ReadBattery},
    {"read config", command::ReadConfig},
    {"sensor write", command::WriteSensorSettings},
    {"advanced write", command::WriteAdvancedSettings},
    {"button write", command::WriteButtonMapping},
    {"factory reset", command::FactoryReset},
    {"pair", command::PairDongle},
};

QCheckBox* Toggle(const QString& caption, bool checked) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(caption);
    box->setChecked(checked);
    return box;
}

QPushButton* Button(const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(caption);
    return button;
}

// Inputs without a caption of their own are named after their label.
template <typename Input>
Input* Labelled(Input* input, const QString& label) {
    input->setObjectName(label);
    input->setAccessibleName(label);
    return input;
}

}  // namespace

VirtualQx9Panel::VirtualQx9Panel(emu::Qx9Emulator& emulator, ManualHotPlugSource& hotPlug,
                                 ManualRawMouseInput& rawInput, QWidget* parent)
    : QWidget(parent), emulator_(emulator), hotPlug_(hotPlug), rawInput_(rawInput) {
    setWindowTitle(QStringLiteral("Virtual QX9"));
    auto* layout = new QVBoxLayout(this);
    auto* controls = new QHBoxLayout;
    controls->addWidget(BuildHardware());
    controls->addWidget(BuildMouseActions());
    controls->addWidget(BuildFaults());
    layout->addLayout(controls);
    trace_ = Labelled(new QPlainTextEdit, QStringLiteral("Wire trace"));
    trace_->setReadOnly(true);
    trace_->setLineWrapMode(QPlainTextEdit::NoWrap);
    trace_->setMaximumBlockCount(TraceLinesKept);
    trace_->setFont(QFont(QStringLiteral("monospace")));
    trace_->setMinimumHeight(220);
    layout->addWidget(new QLabel(QStringLiteral("Wire trace")));
    layout->addWidget(trace_);
    charger_.setInterval(ChargeInterval);
    connect(&charger_, &QTimer::timeout, this, &VirtualQx9Panel::ChargeStep);
}

VirtualQx9Panel::~VirtualQx9Panel() = default;

QWidget* VirtualQx9Panel::BuildHardware() {
    auto* group = new QGroupBox(QStringLiteral("Hardware"));
    auto* form = new QVBoxLayout(group);
    auto* cable = Toggle(QStringLiteral("Cable plugged"), emulator_.CablePlugged());
    auto* dongle = Toggle(QStringLiteral("Dongle plugged"), emulator_.DonglePlugged());
    auto* power = Toggle(QStringLiteral("Mouse on"), emulator_.MousePowered());
    auto* paired = Toggle(QStringLiteral("Paired with the dongle"), true);
    auto* charging = Toggle(QStringLiteral("Charging"), false);
    auto* updater = Toggle(QStringLiteral("Firmware updater window open"), false);
    battery_ = Labelled(new QSpinBox, QStringLiteral("Battery level"));
    battery_->setRange(0, 100);
    battery_->setSuffix(QStringLiteral(" %"));
    battery_->setValue(emulator_.Battery());
    connect(cable, &QCheckBox::toggled, this, &VirtualQx9Panel::PlugCable);
    connect(dongle, &QCheckBox::toggled, this, &VirtualQx9Panel::PlugDongle);
    connect(power, &QCheckBox::toggled, this, &VirtualQx9Panel::SwitchMouse);
    connect(paired, &QCheckBox::toggled, this, &VirtualQx9Panel::Pair);
    connect(charging, &QCheckBox::toggled, this,
            [this](bool on) { on ? charger_.start() : charger_.stop(); });
    connect(updater, &QCheckBox::toggled, this, &VirtualQx9Panel::ShowUpdaterWindow);
    connect(battery_, &QSpinBox::valueChanged, this, [this](int level) {
        emulator_.SetBattery(static_cast<std::uint8_t>(level));
        emulator_.ReportBattery();
    });
    for (QWidget* widget : std::initializer_list<QWidget*>{cable, dongle, power, paired}) {
        form->addWidget(widget);
    }
    auto* batteryRow = new QFormLayout;
    batteryRow->addRow(QStringLiteral("Battery level"), battery_);
    form->addLayout(batteryRow);
    form->addWidget(charging);
    form->addWidget(updater);
    form->addStretch();
    return group;
}

QWidget* VirtualQx9Panel::BuildMouseActions() {
    auto* group = new QGroupBox(QStringLiteral("Mouse"));
    auto* form = new QVBoxLayout(group);
    auto* cpi = Button(QStringLiteral("Press the CPI button"));
    auto* move = Button(QStringLiteral("Move the mouse"));
    auto* drop = Button(QStringLiteral("Drop the wireless link"));
    reportRate_ = Labelled(new QComboBox, QStringLiteral("Report rate"));
    for (const RateChoice& rate : Rates) {
        reportRate_->addItem(QString::fromUtf8(rate.name), rate.code);
    }
    forcedMaxFps_ = Toggle(QStringLiteral("Force max sensor fps"), false);
    auto* setRate = Button(QStringLiteral("Change the report rate"));
    connect(cpi, &QPushButton::clicked, this, [this] { emulator_.PressCpiButton(); });
    connect(move, &QPushButton::clicked, this, &VirtualQx9Panel::MoveMouse);
    connect(drop, &QPushButton::clicked, this, [this] { emulator_.DropWirelessLink(); });
    connect(setRate, &QPushButton::clicked, this, [this] {
        emulator_.ChangeReportRate(static_cast<std::uint8_t>(reportRate_->currentData().toUInt()),
                                   forcedMaxFps_->isChecked());
    });
    form->addWidget(cpi);
    form->addWidget(move);
    form->addWidget(drop);
    auto* rateRow = new QFormLayout;
    rateRow->addRow(QStringLiteral("Report rate"), reportRate_);
    form->addLayout(rateRow);
    form->addWidget(forcedMaxFps_);
    form->addWidget(setRate);
    form->addStretch();
    return group;
}

QWidget* VirtualQx9Panel::BuildFaults() {
    auto* group = new QGroupBox(QStringLiteral("Faults"));
    auto* form = new QFormLayout(group);
    auto* count = Labelled(new QSpinBox, QStringLiteral("How many"));
    count->setRange(1, 10);
    auto* error = Labelled(new QComboBox, QStringLiteral("Error"));
    for (const ErrorChoice& choice : Errors) {
        error->addItem(QString::fromUtf8(choice.name), static_cast<int>(choice.error));
    }
    auto* failSends = Button(QStringLiteral("Fail the next sends"));
    auto* failReads = Button(QStringLiteral("Fail the next reads"));
    auto* busy = Toggle(QStringLiteral("Replies stay busy"), false);
    auto* code = Labelled(new QComboBox, QStringLiteral("Command"));
    for (const CommandChoice& choice : Commands) {
        code->addItem(QString::fromUtf8(choice.name), choice.code);
    }
    auto* refusal = Labelled(new QSpinBox, QStringLiteral("Refusal status"));
    refusal->setRange(0, 255);
    refusal->setValue(status::NotDone);
    auto* refuse = Button(QStringLiteral("Refuse the next such command"));
    auto* vanish = Button(QStringLiteral("Vanish during the next command"));
    const auto kind = [error] { return static_cast<HidError>(error->currentData().toInt()); };
    connect(failSends, &QPushButton::clicked, this,
            [this, count, kind] { emulator_.FailNextSends(count->value(), kind()); });
    connect(failReads, &QPushButton::clicked, this,
            [this, count, kind] { emulator_.FailNextReads(count->value(), kind()); });
    connect(busy, &QCheckBox::toggled, this, [this](bool on) { emulator_.KeepRepliesBusy(on); });
    connect(refuse, &QPushButton::clicked, this, [this, code, refusal] {
        emulator_.RefuseCommand(static_cast<std::uint8_t>(code->currentData().toUInt()),
                                static_cast<std::uint8_t>(refusal->value()));
    });
    connect(vanish, &QPushButton::clicked, this, [this] { emulator_.VanishDuringNextCommand(); });
    form->addRow(QStringLiteral("How many"), count);
    form->addRow(QStringLiteral("Error"), error);
    form->addRow(failSends);
    form->addRow(failReads);
    form->addRow(busy);
    form->addRow(QStringLiteral("Command"), code);
    form->addRow(QStringLiteral("Refusal status"), refusal);
    form->addRow(refuse);
    form->addRow(vanish);
    return group;
}

void VirtualQx9Panel::Notify(Endpoint endpoint, bool arrived) {
    // A device with several interfaces raises one notification per interface.
    for (const std::string& name : emu::Qx9Emulator::InterfaceNames(endpoint)) {
        arrived ? hotPlug_.Arrive(QString::fromStdString(name))
                : hotPlug_.Remove(QString::fromStdString(name));
    }
}

void VirtualQx9Panel::PlugCable(bool plugged) {
    emulator_.PlugCable(plugged);
    Notify(Endpoint::Cable, plugged);
}

void VirtualQx9Panel::PlugDongle(bool plugged) {
    emulator_.PlugDongle(plugged);
    Notify(Endpoint::Dongle, plugged);
}

void VirtualQx9Panel::SwitchMouse(bool on) {
    if (!on && emulator_.MouseReachableWirelessly()) {
        emulator_.DropWirelessLink();  // the dongle notices its mouse is gone
    }
    emulator_.SetMousePowered(on);
    if (on) {
        LinkUp();
    }
}

void VirtualQx9Panel::Pair(bool paired) {
    if (!paired && emulator_.MouseReachableWirelessly()) {
        emulator_.DropWirelessLink();
    }
    emulator_.SetPaired(paired);
    if (paired) {
        LinkUp();
    }
}

void VirtualQx9Panel::LinkUp() {
    emulator_.SetWirelessLink(true);
    emulator_.ReportBattery();  // the first thing a mouse says when it is back
}

void VirtualQx9Panel::MoveMouse() {
    if (emulator_.CablePlugged()) {
        rawInput_.Move(QString::fromStdString(emu::Qx9Emulator::MouseInputName(Endpoint::Cable)));
        return;
    }
    // A mouse that lost its link finds the dongle again as it moves; the
    // pointer moves only when it is on and paired.
    emulator_.SetWirelessLink(true);
    if (emulator_.MouseReachableWirelessly()) {
        rawInput_.Move(QString::fromStdString(emu::Qx9Emulator::MouseInputName(Endpoint::Dongle)));
    }
}

void VirtualQx9Panel::ChargeStep() {
    if (battery_->value() < battery_->maximum()) {
        battery_->setValue(battery_->value() + 1);
    }
}

void VirtualQx9Panel::ShowUpdaterWindow(bool open) {
    if (!open) {
        updaterWindow_.reset();
        return;
    }
    updaterWindow_ = std::make_unique<QWidget>();
    updaterWindow_->setWindowTitle(QString::fromUtf8(text::UpdaterWindowTitle));
    updaterWindow_->resize(360, 120);
    updaterWindow_->show();
}

void VirtualQx9Panel::ShowTraceLine(const QString& line) {
    QMetaObject::invokeMethod(
        this, [this, line] { trace_->appendPlainText(line); }, Qt::QueuedConnection);
}

}  // namespace qx9
