#include "CSupportDlg.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>

#include "NotifyingLabel.h"

namespace qx9 {
namespace {

using namespace advanced;

void SetSliderQuietly(QSlider* slider, int position) {
    const QSignalBlocker quiet(slider);
    slider->setValue(position);
}

}  // namespace

CSupportDlg::CSupportDlg(ConfigStore& store, const DeviceLink& link, QWidget* parent)
    : SettingsPage(parent), store_(store), link_(link) {
    ui_.setupUi(this);
    SetUpRows();
    ShowCreationState();
    ConnectHandlers();
}

void CSupportDlg::SetUpRows() {
    const std::array<QSlider*, FilterRows> sliders{ui_.leftFilterSlider, ui_.rightFilterSlider,
                                                   ui_.middleFilterSlider, ui_.forwardFilterSlider,
                                                   ui_.backFilterSlider};
    const std::array<QLineEdit*, FilterRows> fields{ui_.leftFilterField, ui_.rightFilterField,
                                                    ui_.middleFilterField, ui_.forwardFilterField,
                                                    ui_.backFilterField};
    const std::array<QComboBox*, FilterRows> switchModes{
        ui_.leftSpdtSelector, ui_.rightSpdtSelector, nullptr, nullptr, nullptr};
    for (std::size_t at = 0; at < FilterRows; ++at) {
        rows_[at] = {sliders[at],         fields[at], switchModes[at],
                     FilterRowButton[at], false,      DefaultFilter};
    }
    rows_[AngleRow] = {ui_.angleTuningSlider, ui_.angleTuningField, nullptr, 0, true, 0};

    const auto* digitsOnly =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (const NumberRow& row : rows_) {
        if (!row.angle) {
            row.field->setValidator(digitsOnly);  // the angle field takes any text
        }
        row.field->installEventFilter(this);
    }
}

void CSupportDlg::ShowCreationState() {
    ui_.reportRateList->setCurrentIndex(0);
    for (NumberRow& row : rows_) {
        if (row.switchMode) {
            row.switchMode->setCurrentIndex(SwitchModeOff);
        }
        row.value = row.angle ? 0 : DefaultFilter;
        SetSliderQuietly(row.slider, row.value);
    }
    ui_.slamclickFilterBox->setChecked(true);
    // The caption wraps beside its box; a screen reader reads it as the box's name.
    ui_.acknowledgementBox->setAccessibleName(ui_.acknowledgementText->text());
    ShowValues();
    UpdateEnabling();
}

void CSupportDlg::ConnectHandlers() {
    for (NumberRow& row : rows_) {
        connect(row.slider, &QSlider::valueChanged, this,
                [this, &row](int position) { OnSliderMoved(row, position); });
        connect(row.field, &QLineEdit::textChanged, this,
                [this, &row] { OnNumberTextChanged(row); });
        if (row.switchMode) {
            connect(row.switchMode, &QComboBox::activated, this,
                    [this, &row](int entry) { OnSwitchModeChosen(row, entry); });
        }
    }
    connect(ui_.reportRateList, &QComboBox::activated, this, &CSupportDlg::OnRateChosen);
    connect(ui_.glassModeBox, &QCheckBox::clicked, this, &CSupportDlg::OnGlassModeClicked);
    connect(ui_.motionSyncBox, &QCheckBox::clicked, this, [this](bool checked) {
        store_.EditConfig().MotionSync = checked ? 1 : 0;
        emit EditConfigChanged();
    });
    connect(ui_.slamclickFilterBox, &QCheckBox::clicked, this,
            [this](bool checked) { SetFlag(SlamclickFilterFlag, checked); });
    connect(ui_.forceMaxFpsBox, &QCheckBox::clicked, this,
            [this](bool checked) { SetFlag(ForceMaxFpsFlag, checked); });
    connect(ui_.acknowledgementBox, &QCheckBox::clicked, this,
            &CSupportDlg::OnAcknowledgementClicked);
    connect(ui_.acknowledgementText, &NotifyingLabel::clicked, ui_.acknowledgementBox,
            &QCheckBox::click);
}

// --- number rows --------------------------------------------------------------------

void CSupportDlg::ShowValues() {
    for (const NumberRow& row : rows_) {
        const QString shown = QString::number(row.value);
        if (row.field->text() != shown) {
            const QSignalBlocker quiet(row.field);
            row.field->setText(shown);
        }
    }
}

int CSupportDlg::ValueFromText(const NumberRow& row) const {
    const std::string typed = row.field->text().toStdString();
    return row.angle ? AngleFromText(typed) : FilterFromText(typed);
}

bool CSupportDlg::InSwitchMode(const NumberRow& row) const {
    return row.switchMode && row.switchMode->currentIndex() != SwitchModeOff;
}

void CSupportDlg::StoreValue(NumberRow& row, int value) {
    row.value = value;
    DeviceConfig& edit = store_.EditConfig();
    if (row.angle) {
        edit.AngleTuning = static_cast<std::int8_t>(value);
    } else if (!InSwitchMode(row)) {
        // A button in a switch mode keeps its mode code.
        edit.Buttons[row.button].MulticlickFilter = static_cast<std::uint8_t>(value);
    }
}

void CSupportDlg::OnSliderMoved(NumberRow& row, int position) {
    StoreValue(row, position);
    ShowValues();
    emit EditConfigChanged();
}

void CSupportDlg::OnNumberTextChanged(NumberRow& row) {
    if (row.field->text().isEmpty()) {
        return;
    }
    const int value = ValueFromText(row);
    StoreValue(row, value);
    SetSliderQuietly(row.slider, value);
    // The field is rewritten at once: a clamped value, or 0 for a lone sign.
    ShowValues();
    emit EditConfigChanged();
}

void CSupportDlg::CommitField(NumberRow& row) {
    const int value = ValueFromText(row);  // empty text gives 0
    SetSliderQuietly(row.slider, value);
    // A changed text runs the change rule, which stores the value.
    row.field->setText(QString::number(value));
}

CSupportDlg::NumberRow* CSupportDlg::FocusedRow() {
    for (NumberRow& row : rows_) {
        if (row.field->hasFocus()) {
            return &row;
        }
    }
    return nullptr;
}

void CSupportDlg::CommitFocusedField() {
    if (NumberRow* row = FocusedRow()) {
        CommitField(*row);
    }
}

bool CSupportDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (NumberRow& row : rows_) {
            if (row.field == watched) {
                CommitField(row);
            }
        }
    }
    return SettingsPage::eventFilter(watched, event);
}

void CSupportDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        CommitFocusedField();  // the field keeps the focus
    }
    // The page's background is not the window's: a press here does not drag it.
    event->accept();
}

bool CSupportDlg::PreviewKey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            CommitFocusedField();
            return true;
        case Qt::Key_Escape:
            return true;
        default:
            return SettingsPage::PreviewKey(event);
    }
}

// --- report rate and surface ------------------------------------------------------------

void CSupportDlg::SelectRate(int entry, bool fixed) {
    ui_.reportRateList->setCurrentIndex(entry);
    rateSelectorFixed_ = fixed;
}

std::uint8_t CSupportDlg::CollectedRate() const {
    // On glass the mouse keeps its own rate whatever the selector shows.
    if (ui_.glassModeBox->isChecked()) {
        return store_.BaseConfig().PollingRate;
    }
    return RateCodeAt(ui_.reportRateList->currentIndex());
}

void CSupportDlg::FollowRate(std::uint8_t code, bool forceMaxFpsChecked) {
    const bool powerSaving = IsPowerSavingRate(code);
    if (!powerSaving) {
        ui_.forceMaxFpsBox->setChecked(forceMaxFpsChecked);
    }
    maxFpsFixedByRate_ = powerSaving;
    UpdateEnabling();
    emit PowerSavingForcedChanged(powerSaving);
}

void CSupportDlg::OnRateChosen(int entry) {
    DeviceConfig& edit = store_.EditConfig();
    edit.PollingRate = RateCodeAt(entry);
    if (entry >= 0) {
        FollowRate(edit.PollingRate, (edit.FeatureFlags & ForceMaxFpsFlag) != 0);
    }
    emit EditConfigChanged();
}

void CSupportDlg::OnGlassModeClicked(bool checked) {
    DeviceConfig& edit = store_.EditConfig();
    edit.GlassMode = checked ? 1 : 0;
    const LinkMode mode = link_.ConnectionMode();
    if (checked || mode == LinkMode::Cable) {
        SelectRate(FixedRateEntry, true);
    } else if (mode == LinkMode::Dongle) {
        SelectRate(RateEntryForDeviceCode(store_.BaseConfig().PollingRate), false);
    }
    if (mode != LinkMode::None) {
        // Frame rate and power saving follow the rate that APPLY will send.
        FollowRate(CollectedRate(), (edit.FeatureFlags & ForceMaxFpsFlag) != 0);
    }
    UpdateEnabling();
    emit GlassModeChanged(edit.GlassMode);
    emit EditConfigChanged();
    ShowValues();
}

bool CSupportDlg::ShowReportedRate(std::uint8_t code, bool forceMaxFps) {
    const std::optional<int> entry = RateEntryOf(code);
    if (!entry || !RateReportApplies(code, link_.ConnectionMode() == LinkMode::Dongle)) {
        return false;
    }
    DeviceConfig& edit = store_.EditConfig();
    DeviceConfig& base = store_.BaseConfig();
    edit.PollingRate = base.PollingRate = code;
    if (!IsPowerSavingRate(code)) {
        // The mouse says how its frame rate is set: both records agree with it.
        edit.FeatureFlags = WithFlag(edit.FeatureFlags, ForceMaxFpsFlag, forceMaxFps);
        base.FeatureFlags = WithFlag(base.FeatureFlags, ForceMaxFpsFlag, forceMaxFps);
    }
    ui_.reportRateList->setCurrentIndex(*entry);
    FollowRate(code, forceMaxFps);
    return true;
}

// --- boxes and switch modes -----------------------------------------------------------------

void CSupportDlg::SetFlag(std::uint8_t flag, bool set) {
    DeviceConfig& edit = store_.EditConfig();
    edit.FeatureFlags = WithFlag(edit.FeatureFlags, flag, set);
    emit EditConfigChanged();
}

void CSupportDlg::OnSwitchModeChosen(NumberRow& row, int entry) {
    if (entry != SwitchModeOff) {
        row.value = DefaultFilter;
        SetSliderQuietly(row.slider, DefaultFilter);
        ShowValues();
    }
    store_.EditConfig().Buttons[row.button].MulticlickFilter =
        FilterByteFor(entry, row.slider->value());
    UpdateEnabling();
    emit EditConfigChanged();
}

void CSupportDlg::OnAcknowledgementClicked(bool checked) {
    DeviceConfig& edit = store_.EditConfig();
    edit.FeatureFlags = WithFlag(edit.FeatureFlags, AcknowledgedFlag, checked);
    if (!checked) {
        // Without the acknowledgement every filter goes back to its default.
        for (NumberRow& row : rows_) {
            if (row.angle) {
                continue;
            }
            if (row.switchMode) {
                row.switchMode->setCurrentIndex(SwitchModeOff);
            }
            SetSliderQuietly(row.slider, DefaultFilter);
            StoreValue(row, DefaultFilter);
        }
        ShowValues();
    }
    SetFilterGroupEnabled(checked);
    emit EditConfigChanged();
}

// --- enabling ------------------------------------------------------------------------------

void CSupportDlg::SetFilterGroupEnabled(bool enabled) {
    filterGroupEnabled_ = enabled;
    UpdateEnabling();
}

void CSupportDlg::SetControlsEnabled(bool enabled) {
    controlsEnabled_ = enabled;
    if (enabled) {
        // Every input comes back; the load that follows fixes what the rate fixes.
        rateSelectorFixed_ = false;
        maxFpsFixedByRate_ = false;
    }
    UpdateEnabling();
}

void CSupportDlg::UpdateEnabling() {
    const bool on = controlsEnabled_;
    ui_.reportRateList->setEnabled(on && !rateSelectorFixed_);
    ui_.forceMaxFpsBox->setEnabled(on && !maxFpsFixedByRate_);
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui_.slamclickFilterBox, ui_.motionSyncBox, ui_.glassModeBox, ui_.angleTuningSlider,
             ui_.angleTuningField}) {
        control->setEnabled(on);
    }
    const bool filters = on && filterGroupEnabled_;
    for (const NumberRow& row : rows_) {
        if (row.angle) {
            continue;
        }
        if (row.switchMode) {
            row.switchMode->setEnabled(filters);
        }
        row.slider->setEnabled(filters && !InSwitchMode(row));
        row.field->setEnabled(filters && !InSwitchMode(row));
    }
}

void CSupportDlg::HideAcknowledgementBox() {
    ui_.acknowledgementPanel->hide();
}

// --- the page as a whole ---------------------------------------------------------------------

void CSupportDlg::LoadFromConfig() {
    DeviceConfig& edit = store_.EditConfig();
    ui_.motionSyncBox->setChecked(edit.MotionSync == 1);
    switch (link_.ConnectionMode()) {
        case LinkMode::Cable:
            ui_.glassModeBox->setChecked(edit.GlassMode == 1);
            SelectRate(FixedRateEntry, true);
            break;
        case LinkMode::Dongle:
            ui_.glassModeBox->setChecked(edit.GlassMode == 1);
            if (edit.GlassMode == 1) {
                SelectRate(FixedRateEntry, true);
            } else if (const auto entry = RateEntryOf(edit.PollingRate)) {
                SelectRate(*entry, false);
                maxFpsFixedByRate_ = IsPowerSavingRate(edit.PollingRate);
            } else {
                // An unknown rate leaves the selector and the frame-rate box as they were.
                rateSelectorFixed_ = false;
            }
            break;
        case LinkMode::None:
            break;
    }
    for (NumberRow& row : rows_) {
        if (row.angle) {
            row.value = ShownAngle(edit.AngleTuning);
        } else {
            const std::uint8_t stored = edit.Buttons[row.button].MulticlickFilter;
            if (row.switchMode) {
                row.switchMode->setCurrentIndex(SwitchModeEntryOf(stored));
            }
            row.value = ShownFilter(stored);
        }
        SetSliderQuietly(row.slider, row.value);
    }
    ShowValues();
    ui_.slamclickFilterBox->setChecked((edit.FeatureFlags & SlamclickFilterFlag) != 0);
    const bool acknowledged = (edit.FeatureFlags & AcknowledgedFlag) != 0;
    edit.AckShown = acknowledged ? AcknowledgedFlag : 0;
    ui_.acknowledgementBox->setChecked(acknowledged);
    ui_.acknowledgementPanel->setVisible(!acknowledged);
    SetFilterGroupEnabled(acknowledged);
    ui_.forceMaxFpsBox->setChecked((edit.FeatureFlags & ForceMaxFpsFlag) != 0);
}

void CSupportDlg::CollectIntoConfig() {
    DeviceConfig& edit = store_.EditConfig();
    edit.MotionSync = ui_.motionSyncBox->isChecked() ? 1 : 0;
    edit.PollingRate = CollectedRate();
    edit.FeatureFlags =
        ComposeFeatureFlags({ui_.slamclickFilterBox->isChecked(),
                             ui_.acknowledgementBox->isChecked(), ui_.forceMaxFpsBox->isChecked()});
    for (const NumberRow& row : rows_) {
        if (row.angle) {
            edit.AngleTuning = static_cast<std::int8_t>(row.slider->value());
        } else {
            const int mode = row.switchMode ? row.switchMode->currentIndex() : SwitchModeOff;
            edit.Buttons[row.button].MulticlickFilter = FilterByteFor(mode, row.slider->value());
        }
    }
}

}  // namespace qx9
