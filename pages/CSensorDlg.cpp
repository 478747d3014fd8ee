#include "CSensorDlg.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>

#include "BasicSettingsRules.h"
#include "UiTexts.h"

namespace qx9 {
namespace {

using namespace basic;

constexpr std::array<std::uint32_t, 4> StartingCpi{400, 800, 1600, 3200};
const std::array<QColor, 4> SwatchColours{QColor(0, 0, 255), QColor(0, 255, 0), QColor(255, 255, 0),
                                          QColor(255, 0, 0)};

void SetSliderQuietly(QSlider* slider, int position) {
    const QSignalBlocker quiet(slider);
    slider->setValue(position);
}

QString Decimal(std::uint32_t value) {
    return QString::number(value);
}

}  // namespace

CSensorDlg::CSensorDlg(ConfigStore& store, Notifier& notifier, QWidget* parent)
    : SettingsPage(parent), store_(store), notifier_(notifier) {
    ui_.setupUi(this);
    SetUpLevelRows();
    ShowCreationState();
    ConnectHandlers();
}

void CSensorDlg::SetUpLevelRows() {
    const std::array<QRadioButton*, 4> selectors{ui_.levelSelector1, ui_.levelSelector2,
                                                 ui_.levelSelector3, ui_.levelSelector4};
    const std::array<NotifyingLabel*, 4> labels{ui_.levelLabel1, ui_.levelLabel2, ui_.levelLabel3,
                                                ui_.levelLabel4};
    const std::array<COrvStatic*, 4> swatches{ui_.colourSwatch1, ui_.colourSwatch2,
                                              ui_.colourSwatch3, ui_.colourSwatch4};
    const std::array<QSlider*, 4> xSliders{ui_.xSlider1, ui_.xSlider2, ui_.xSlider3, ui_.xSlider4};
    const std::array<QSlider*, 4> ySliders{ui_.ySlider1, ui_.ySlider2, ui_.ySlider3, ui_.ySlider4};
    const std::array<QLineEdit*, 4> xBoxes{ui_.xBox1, ui_.xBox2, ui_.xBox3, ui_.xBox4};
    const std::array<QLineEdit*, 4> yBoxes{ui_.yBox1, ui_.yBox2, ui_.yBox3, ui_.yBox4};
    const std::array<QWidget*, 4> xAxisLabels{ui_.xAxisLabel1, ui_.xAxisLabel2, ui_.xAxisLabel3,
                                              ui_.xAxisLabel4};
    const std::array<QWidget*, 4> yAxisLabels{ui_.yAxisLabel1, ui_.yAxisLabel2, ui_.yAxisLabel3,
                                              ui_.yAxisLabel4};
    // Selectors are marked by the page alone; a click on a marked one keeps it.
    selectors_.setExclusive(true);
    for (int level = 0; level < LevelRows; ++level) {
        const auto k = static_cast<std::size_t>(level);
        selectors_.addButton(selectors[k], level);
        rows_[k] = {
            selectors[k],
            labels[k],
            swatches[k],
            {xAxisLabels[k], xSliders[k], xBoxes[k], yAxisLabels[k], ySliders[k], yBoxes[k]}};
        fields_[2 * k] = {level, Axis::X, xSliders[k], xBoxes[k]};
        fields_[2 * k + 1] = {level, Axis::Y, ySliders[k], yBoxes[k]};
        swatches[k]->SetBackgroundColour(SwatchColours[k]);
    }
    const auto* digitsOnly =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (const CpiField& field : fields_) {
        field.box->setValidator(digitsOnly);
        field.box->installEventFilter(this);
    }
}

void CSensorDlg::ShowCreationState() {
    for (const LevelRow& row : rows_) {
        row.selector->show();
        row.label->show();
        row.swatch->show();
    }
    ui_.levelCount->setCurrentIndex(LevelRows - 1);
    FillLodList(0, DefaultLodCode);
    for (int level = 0; level < LevelRows; ++level) {
        const auto k = static_cast<std::size_t>(level);
        xValues_[k] = yValues_[k] = StartingCpi[k];
        SetSliderQuietly(fields_[2 * k].slider, CpiToSliderPos(StartingCpi[k]));
        SetSliderQuietly(fields_[2 * k + 1].slider, CpiToSliderPos(StartingCpi[k]));
    }
    ShowValues();
}

void CSensorDlg::ConnectHandlers() {
    for (const CpiField& field : fields_) {
        connect(field.slider, &QSlider::valueChanged, this,
                [this, &field](int position) { OnSliderMoved(field, position); });
        connect(field.box, &QLineEdit::textChanged, this,
                [this, &field] { OnCpiTextChanged(field); });
    }
    connect(&selectors_, &QButtonGroup::idClicked, this, &CSensorDlg::OnSelectorClicked);
    for (int level = 0; level < LevelRows; ++level) {
        const LevelRow& row = rows_[static_cast<std::size_t>(level)];
        connect(row.label, &NotifyingLabel::clicked, this,
                [this, level] { OnLevelCaptionClicked(level); });
        connect(row.swatch, &COrvStatic::clicked, this,
                [this, level] { OnLevelCaptionClicked(level); });
    }
    connect(ui_.xySettingsBox, &QCheckBox::clicked, this, &CSensorDlg::OnXySettingsClicked);
    connect(ui_.levelCount, &QComboBox::activated, this, &CSensorDlg::OnLevelCountChosen);
    connect(ui_.lodList, &QComboBox::activated, this, &CSensorDlg::OnLodChosen);
    connect(ui_.angleSnappingBox, &QCheckBox::clicked, this, [this](bool checked) {
        store_.EditConfig().AngleSnapping = checked ? 1 : 0;
        emit EditConfigChanged();
    });
    connect(ui_.rippleControlBox, &QCheckBox::clicked, this, [this](bool checked) {
        store_.EditConfig().RippleControl = checked ? 1 : 0;
        emit EditConfigChanged();
    });
    connect(ui_.disableLedBox, &QCheckBox::clicked, this, [this](bool checked) {
        store_.EditConfig().LiftOffLed = LiftOffLedFor(checked);
        emit EditConfigChanged();
    });
}

// --- page values --------------------------------------------------------------

bool CSensorDlg::Split() const {
    return ui_.xySettingsBox->isChecked();
}

std::uint32_t& CSensorDlg::ValueOf(const CpiField& field) {
    auto& values = field.axis == Axis::X ? xValues_ : yValues_;
    return values[static_cast<std::size_t>(field.level)];
}

std::uint16_t& CSensorDlg::ConfigValueOf(const CpiField& field) {
    CpiLevel& level = store_.EditConfig().CpiLevels[static_cast<std::size_t>(field.level)];
    return field.axis == Axis::X ? level.CpiX : level.CpiY;
}

const CSensorDlg::CpiField& CSensorDlg::PartnerOf(const CpiField& field) const {
    const auto at = static_cast<std::size_t>(2 * field.level);
    return field.axis == Axis::X ? fields_[at + 1] : fields_[at];
}

bool CSensorDlg::ReadControls() {
    for (const CpiField& field : fields_) {
        const auto value = ReadCpiText(field.box->text().toStdString());
        if (!value) {
            // Only an emptied box gets here: the validator admits digits alone.
            notifier_.Inform(QString::fromUtf8(text::EnterPositiveInteger));
            CommitCpiBox(field);
            field.box->setFocus(Qt::OtherFocusReason);
            field.box->selectAll();
            return false;
        }
        // A value the mouse does not take never becomes a page value.
        ValueOf(field) = NormalizeCpi(*value);
    }
    split_ = Split();
    return true;
}

void CSensorDlg::ShowValues() {
    // Each box's text change reads every control back; showing from a copy
    // keeps the boxes not yet written from overwriting the values being shown.
    const auto xValues = xValues_;
    const auto yValues = yValues_;
    ui_.xySettingsBox->setChecked(split_);
    for (const CpiField& field : fields_) {
        const auto& values = field.axis == Axis::X ? xValues : yValues;
        field.box->setText(Decimal(values[static_cast<std::size_t>(field.level)]));
    }
}

// --- CPI boxes and sliders ------------------------------------------------------

void CSensorDlg::OnSliderMoved(const CpiField& field, int position) {
    const std::uint32_t value = SliderPosToCpi(position);
    ValueOf(field) = value;
    ConfigValueOf(field) = static_cast<std::uint16_t>(value);
    if (!Split()) {
        const CpiField& partner = PartnerOf(field);
        ValueOf(partner) = value;
        ConfigValueOf(partner) = static_cast<std::uint16_t>(value);
        SetSliderQuietly(partner.slider, position);
    }
    ShowValues();
    emit EditConfigChanged();
}

void CSensorDlg::OnCpiTextChanged(const CpiField& field) {
    if (!ReadControls()) {
        return;
    }
    ConfigValueOf(field) = static_cast<std::uint16_t>(ValueOf(field));
    emit EditConfigChanged();
}

void CSensorDlg::CommitCpiBox(const CpiField& field) {
    const std::uint32_t value = CommittedCpi(field.box->text().toStdString());
    const int position = CpiToSliderPos(value);
    ValueOf(field) = value;
    SetSliderQuietly(field.slider, position);
    field.box->setText(Decimal(value));
    if (!Split()) {
        const CpiField& partner = PartnerOf(field);
        ValueOf(partner) = value;
        partner.box->setText(Decimal(value));
        SetSliderQuietly(partner.slider, position);
    }
}

const CSensorDlg::CpiField* CSensorDlg::FocusedCpiField() const {
    for (const CpiField& field : fields_) {
        if (field.box->hasFocus()) {
            return &field;
        }
    }
    return nullptr;
}

void CSensorDlg::CommitFocusedBox() {
    if (const CpiField* field = FocusedCpiField()) {
        CommitCpiBox(*field);
        ShowValues();
    }
}

bool CSensorDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (const CpiField& field : fields_) {
            if (field.box == watched) {
                CommitCpiBox(field);
            }
        }
    }
    return SettingsPage::eventFilter(watched, event);
}

void CSensorDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        CommitFocusedBox();  // the box keeps the focus
    }
    // The page's background is not the window's: a press here does not drag it.
    event->accept();
}

bool CSensorDlg::PreviewKey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            CommitFocusedBox();
            return true;
        case Qt::Key_Escape:
            return true;
        default:
            return SettingsPage::PreviewKey(event);
    }
}

void CSensorDlg::OnXySettingsClicked() {
    ReadControls();
    if (!split_) {
        for (std::size_t at = 0; at < fields_.size(); at += 2) {
            const CpiField& x = fields_[at];
            const CpiField& y = fields_[at + 1];
            SetSliderQuietly(y.slider, x.slider->value());
            ValueOf(y) = ValueOf(x);
        }
    }
    ShowValues();
}

// --- levels -----------------------------------------------------------------------

void CSensorDlg::OnLevelCountChosen(int index) {
    const auto count = static_cast<std::uint8_t>(index + 1);
    ApplyShownLevels(count, store_.EditConfig().CurrentCpiLevel);
    store_.EditConfig().CpiLevelCount = count;
    emit EditConfigChanged();
}

void CSensorDlg::ApplyShownLevels(std::uint8_t count, std::uint8_t active) {
    const LevelRowsShown shown = ShowLevels(count, active);
    for (int level = 0; level < LevelRows; ++level) {
        const LevelRow& row = rows_[static_cast<std::size_t>(level)];
        const bool visible = level < shown.rows;
        row.selector->setVisible(visible);
        row.label->setVisible(visible);
        row.swatch->setVisible(visible);
        for (QWidget* part : row.body) {
            part->setVisible(visible);
        }
    }
    if (shown.checkedSelector) {
        CheckSelector(*shown.checkedSelector - 1);
    }
}

void CSensorDlg::UncheckAllSelectors() {
    selectors_.setExclusive(false);
    for (const LevelRow& row : rows_) {
        row.selector->setChecked(false);
    }
    selectors_.setExclusive(true);
}

void CSensorDlg::CheckSelector(int level) {
    UncheckAllSelectors();
    rows_[static_cast<std::size_t>(level)].selector->setChecked(true);
}

void CSensorDlg::OnSelectorClicked(int level) {
    // A click on the marked selector sends the level again.
    SelectLevel(level);
}

void CSensorDlg::OnLevelCaptionClicked(int level) {
    QRadioButton* selector = rows_[static_cast<std::size_t>(level)].selector;
    if (selector->isChecked()) {
        return;
    }
    CheckSelector(level);
    SelectLevel(level);
}

void CSensorDlg::SelectLevel(int level) {
    ReadControls();
    DeviceConfig& edit = store_.EditConfig();
    const auto k = static_cast<std::size_t>(level);
    edit.CurrentCpiLevel = static_cast<std::uint8_t>(level);
    if (const int index = ui_.levelCount->currentIndex(); index >= 0) {
        edit.CpiLevelCount = static_cast<std::uint8_t>(index + 1);
    }
    edit.CpiLevels[k] = LevelFromValues(xValues_[k], yValues_[k]);
    emit LevelSwitchRequested();
}

void CSensorDlg::SetActiveLevel(std::uint8_t level) {
    store_.EditConfig().CurrentCpiLevel = level;
    store_.BaseConfig().CurrentCpiLevel = level;
    CheckSelector(SelectorForActiveLevel(level) - 1);
}

// --- lift-off distance --------------------------------------------------------------

void CSensorDlg::FillLodList(std::uint8_t glassMode, int selected) {
    lodGlassMode_ = glassMode;
    ui_.lodList->clear();
    for (const std::string_view entry : LodEntries(glassMode)) {
        ui_.lodList->addItem(QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
    }
    ui_.lodList->setCurrentIndex(selected);
}

void CSensorDlg::OnLodChosen(int position) {
    store_.EditConfig().LiftOffDistance = LodCodeAt(lodGlassMode_, position);
    emit EditConfigChanged();
}

void CSensorDlg::SetLodListForGlassMode(std::uint8_t mode) {
    const auto remapped = RemapLodForGlassMode(mode, store_.EditConfig().LiftOffDistance);
    if (!remapped) {
        return;
    }
    store_.EditConfig().LiftOffDistance = remapped->code;
    FillLodList(mode, remapped->position);
}

// --- the page as a whole ------------------------------------------------------------

void CSensorDlg::LoadFromConfig() {
    const DeviceConfig& edit = store_.EditConfig();
    ui_.disableLedBox->setChecked(DisableLedChecked(edit.LiftOffLed));
    FillLodList(edit.GlassMode == GlassModeOn ? GlassModeOn : 0,
                LodPositionOf(edit.GlassMode, edit.LiftOffDistance));
    ui_.angleSnappingBox->setChecked(edit.AngleSnapping == 1);
    ui_.rippleControlBox->setChecked(edit.RippleControl == 1);
    ui_.levelCount->setCurrentIndex(LevelCountIndexOf(edit.CpiLevelCount));
    split_ = edit.CpiLevels[0].XySeparate != 0;
    for (const CpiField& field : fields_) {
        const CpiLevel& stored = edit.CpiLevels[static_cast<std::size_t>(field.level)];
        ValueOf(field) = NormalizeCpi(field.axis == Axis::X ? stored.CpiX : stored.CpiY);
        SetSliderQuietly(field.slider, CpiToSliderPos(ValueOf(field)));
    }
    ApplyShownLevels(edit.CpiLevelCount, edit.CurrentCpiLevel);
    ShowValues();
}

void CSensorDlg::CollectIntoConfig() {
    ReadControls();
    DeviceConfig& edit = store_.EditConfig();
    edit.LiftOffDistance = LodCodeAt(lodGlassMode_, ui_.lodList->currentIndex());
    edit.AngleSnapping = ui_.angleSnappingBox->isChecked() ? 1 : 0;
    edit.LiftOffLed = LiftOffLedFor(ui_.disableLedBox->isChecked());
    edit.RippleControl = ui_.rippleControlBox->isChecked() ? 1 : 0;
    if (const int index = ui_.levelCount->currentIndex(); index >= 0) {
        edit.CpiLevelCount = static_cast<std::uint8_t>(index + 1);
    }
    for (std::size_t k = 0; k < CpiLevelSlots; ++k) {
        edit.CpiLevels[k] = LevelFromValues(xValues_[k], yValues_[k]);
    }
    if (const int checked = selectors_.checkedId(); checked >= 0) {
        edit.CurrentCpiLevel = static_cast<std::uint8_t>(checked);
    }
}

void CSensorDlg::SetControlsEnabled(bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui_.lodList, ui_.levelCount, ui_.xySettingsBox, ui_.rippleControlBox,
             ui_.angleSnappingBox, ui_.disableLedBox}) {
        control->setEnabled(enabled);
    }
    for (const LevelRow& row : rows_) {
        row.selector->setEnabled(enabled);
    }
    for (const CpiField& field : fields_) {
        field.slider->setEnabled(enabled);
        field.box->setEnabled(enabled);
    }
    UncheckAllSelectors();
}

}  // namespace qx9
