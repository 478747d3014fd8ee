#include "CFixedCPI.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>

#include "BasicSettingsRules.h"
#include "ButtonActions.h"
#include "FixedCpiRules.h"
#include "UiTexts.h"

namespace qx9 {
namespace {

using namespace fixedcpi;

void SetSliderQuietly(QSlider* slider, int position) {
    const QSignalBlocker quiet(slider);
    slider->setValue(position);
}

}  // namespace

CFixedCPI::CFixedCPI(Notifier& notifier, QWidget* parent) : QDialog(parent), notifier_(notifier) {
    ui_.setupUi(this);
    const std::string_view title = buttons::Caption(buttons::Entry::FixedCpi);
    setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    axes_ = {{{ui_.xSlider, ui_.xBox, StartingCpi}, {ui_.ySlider, ui_.yBox, StartingCpi}}};
    const auto* digitsOnly =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (Axis& axis : axes_) {
        SetSliderQuietly(axis.slider, CpiToSliderPos(StartingCpi));
        axis.box->setValidator(digitsOnly);
        axis.box->installEventFilter(this);
        connect(axis.slider, &QSlider::valueChanged, this,
                [this, &axis](int position) { OnSliderMoved(axis, position); });
    }
    connect(ui_.xySettingsBox, &QCheckBox::clicked, this, &CFixedCPI::OnXySettingsClicked);
    connect(ui_.okButton, &QPushButton::clicked, this, &CFixedCPI::OnOk);
    ShowValues();
}

bool CFixedCPI::Split() const {
    return ui_.xySettingsBox->isChecked();
}

CFixedCPI::Axis& CFixedCPI::PartnerOf(const Axis& axis) {
    return &axis == &axes_[0] ? axes_[1] : axes_[0];
}

bool CFixedCPI::ReadControls() {
    for (Axis& axis : axes_) {
        const auto value = basic::ReadCpiText(axis.box->text().toStdString());
        if (!value) {
            // Only an emptied box gets here: the validator admits digits alone.
            notifier_.Inform(QString::fromUtf8(text::EnterPositiveInteger));
            CommitBox(axis);
            axis.box->setFocus(Qt::OtherFocusReason);
            axis.box->selectAll();
            return false;
        }
        axis.value = NormalizeCpi(*value);
    }
    return true;
}

void CFixedCPI::ShowValues() {
    for (const Axis& axis : axes_) {
        axis.box->setText(QString::number(axis.value));
    }
}

void CFixedCPI::OnSliderMoved(Axis& axis, int position) {
    const std::uint32_t value = SliderPosToCpi(position);
    axis.value = value;
    if (!Split()) {
        Axis& partner = PartnerOf(axis);
        partner.value = value;
        SetSliderQuietly(partner.slider, position);
    }
    ShowValues();
}

void CFixedCPI::CommitBox(Axis& axis) {
    const std::uint32_t value = CommittedCpi(axis.box->text().toStdString());
    const int position = CpiToSliderPos(value);
    axis.value = value;
    SetSliderQuietly(axis.slider, position);
    axis.box->setText(QString::number(value));
    if (!Split()) {
        Axis& partner = PartnerOf(axis);
        partner.value = value;
        partner.box->setText(QString::number(value));
        SetSliderQuietly(partner.slider, position);
    }
}

void CFixedCPI::CommitFocusedBox() {
    for (Axis& axis : axes_) {
        if (axis.box->hasFocus()) {
            CommitBox(axis);
            ShowValues();
            return;
        }
    }
}

bool CFixedCPI::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (Axis& axis : axes_) {
            if (axis.box == watched) {
                CommitBox(axis);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CFixedCPI::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        CommitFocusedBox();  // and the dialog stays open
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CFixedCPI::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        CommitFocusedBox();
    }
    QDialog::mousePressEvent(event);
}

void CFixedCPI::OnXySettingsClicked() {
    ReadControls();
    if (!Split()) {
        auto& [x, y] = axes_;
        SetSliderQuietly(y.slider, x.slider->value());
        y.value = x.value;
    }
    ShowValues();
}

void CFixedCPI::OnOk() {
    if (!ReadControls()) {
        return;
    }
    fixedCpiX_ = axes_[0].value;
    fixedCpiY_ = axes_[1].value;
    accept();
}

}  // namespace qx9
