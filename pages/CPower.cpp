#include "CPower.h"

#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "UiTexts.h"

namespace qx9 {
namespace {

using namespace power;

QString Decimal(std::uint32_t value) {
    return QString::number(value);
}

QString ProblemText(ReadBackProblem problem) {
    if (problem == ReadBackProblem::OutOfRange) {
        return QString::fromUtf8(text::EnterIntegerBetween).arg(MinMinutes).arg(MaxMinutes);
    }
    return QString::fromUtf8(text::EnterPositiveInteger);
}

}  // namespace

CPower::CPower(ConfigStore& store, Notifier& notifier, QWidget* parent)
    : SettingsPage(parent), store_(store), notifier_(notifier) {
    ui_.setupUi(this);
    powerSaving_ = {ui_.powerSavingBox, ui_.powerSavingMinutes, &DeviceConfig::PowerSaving, true,
                    StartingPowerSavingMinutes};
    deepSleep_ = {ui_.deepSleepBox, ui_.deepSleepMinutes, &DeviceConfig::DeepSleep, false,
                  StartingDeepSleepMinutes};
    const auto* digitsOnly =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (const TimeoutControls* timeout : {&powerSaving_, &deepSleep_}) {
        timeout->field->setValidator(digitsOnly);
        timeout->box->setChecked(false);
    }
    WriteMinutesBack();
    UpdateEnabling();
    ConnectHandlers();
}

void CPower::ConnectHandlers() {
    for (TimeoutControls* timeout : {&powerSaving_, &deepSleep_}) {
        connect(timeout->box, &QCheckBox::clicked, this,
                [this, timeout] { OnBoxClicked(*timeout); });
        connect(timeout->field, &QLineEdit::textChanged, this,
                [this, timeout] { OnMinutesChanged(*timeout); });
    }
}

void CPower::StoreTimeout(const TimeoutControls& timeout) {
    store_.EditConfig().*timeout.stored = ComposeTimeout(timeout.minutes, timeout.box->isChecked());
}

void CPower::OnBoxClicked(TimeoutControls& timeout) {
    ReadFieldsBack();
    StoreTimeout(timeout);
    UpdateEnabling();
    emit EditConfigChanged();
}

void CPower::OnMinutesChanged(TimeoutControls& timeout) {
    const QString typed = timeout.field->text();
    if (typed.isEmpty()) {
        return;
    }
    timeout.minutes = CommittedMinutes(typed.toStdString());
    StoreTimeout(timeout);
    emit EditConfigChanged();
    // A clamped value replaces what was typed; an emptied partner shows its value again.
    WriteMinutesBack();
}

void CPower::WriteMinutesBack() {
    for (const TimeoutControls* timeout : {&powerSaving_, &deepSleep_}) {
        const QString shown = Decimal(timeout->minutes);
        if (timeout->field->text() != shown) {
            const QSignalBlocker quiet(timeout->field);
            timeout->field->setText(shown);
        }
    }
}

void CPower::ReadFieldsBack() {
    TimeoutControls* reported = nullptr;
    for (TimeoutControls* timeout : {&powerSaving_, &deepSleep_}) {
        const ReadBack read =
            ReadBackMinutes(timeout->field->text().toStdString(), timeout->rangeChecked);
        if (read.problem == ReadBackProblem::None) {
            timeout->minutes = read.minutes;
            continue;
        }
        if (!reported) {
            reported = timeout;
            notifier_.Inform(ProblemText(read.problem));
        }
    }
    // The stored minutes go on, and the fields show what goes on.
    WriteMinutesBack();
    if (reported) {
        reported->field->setFocus(Qt::OtherFocusReason);
        reported->field->selectAll();
    }
}

void CPower::UpdateEnabling() {
    const bool savingInReach = controlsEnabled_ && !powerSavingForced_;
    ui_.powerSavingBox->setEnabled(savingInReach);
    ui_.powerSavingMinutes->setEnabled(savingInReach && ui_.powerSavingBox->isChecked());
    ui_.deepSleepBox->setEnabled(controlsEnabled_);
    ui_.deepSleepMinutes->setEnabled(controlsEnabled_ && ui_.deepSleepBox->isChecked());
}

void CPower::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && powerSaving_.field->hasFocus()) {
        powerSaving_.minutes = CommittedMinutes(powerSaving_.field->text().toStdString());
        // A changed text runs the change handler, as typing does.
        powerSaving_.field->setText(Decimal(powerSaving_.minutes));
    }
    // The page's background is not the window's: a press here does not drag it.
    event->accept();
}

bool CPower::PreviewKey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            return true;
        default:
            return SettingsPage::PreviewKey(event);
    }
}

void CPower::LoadFromConfig() {
    const DeviceConfig& edit = store_.EditConfig();
    const PowerPageState state =
        LoadedPowerPage(edit.PowerSaving, edit.DeepSleep, edit.PollingRate);
    powerSaving_.minutes = state.shown.powerSavingMinutes;
    powerSaving_.box->setChecked(state.shown.powerSavingOn);
    deepSleep_.minutes = state.shown.deepSleepMinutes;
    deepSleep_.box->setChecked(state.shown.deepSleepOn);
    powerSavingForced_ = state.powerSavingForced;
    // What the fields cannot show (0 or more than 120 minutes) is shown
    // within range and replaces the stored value at the next APPLY.
    WriteMinutesBack();
    UpdateEnabling();
}

void CPower::SetControlsEnabled(bool enabled) {
    controlsEnabled_ = enabled;
    if (enabled) {
        // Every input comes back; the load that follows fixes what the rate fixes.
        powerSavingForced_ = false;
    }
    UpdateEnabling();
}

void CPower::SetPowerSavingForced(bool forced) {
    powerSavingForced_ = forced;
    ui_.powerSavingBox->setChecked(forced || (store_.EditConfig().PowerSaving & TimeoutOff) == 0);
    UpdateEnabling();
}

PowerTimeouts CPower::ReadTimeoutsForApply() {
    ReadFieldsBack();
    return {powerSaving_.minutes, powerSaving_.box->isChecked(), deepSleep_.minutes,
            deepSleep_.box->isChecked()};
}

void CPower::SettleEqualMinutes() {
    powerSaving_.box->setChecked(false);
    UpdateEnabling();
}

}  // namespace qx9
