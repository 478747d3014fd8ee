#include "CMouseSet.h"

#include <QLabel>
#include <QPushButton>

#include "ButtonMappingRules.h"
#include "CFixedCPI.h"
#include "CKeyboard.h"
#include "UiTexts.h"

namespace qx9 {
namespace {

using namespace buttons;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CMouseSet::CMouseSet(ConfigStore& store, Notifier& notifier, QWidget* parent)
    : SettingsPage(parent), store_(store), notifier_(notifier) {
    ui_.setupUi(this);
    rows_ = {{
        {ui_.mainButtonLabel, ui_.mainButtonAction},
        {ui_.middleButtonLabel, ui_.middleButtonAction},
        {ui_.forwardButtonLabel, ui_.forwardButtonAction},
        {ui_.backButtonLabel, ui_.backButtonAction},
        {ui_.wheelUpLabel, ui_.wheelUpAction},
        {ui_.wheelDownLabel, ui_.wheelDownAction},
    }};
    ShowFirstRowLabel(false);
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        rows_[row].button->setText(Text(Caption(MappingRows[row].shownAtStart)));
        connect(rows_[row].button, &QPushButton::clicked, this,
                [this, row] { OnRowButtonClicked(row); });
    }
    connect(ui_.leftHandedBox, &QCheckBox::clicked, this, &CMouseSet::OnLeftHandedClicked);
    BuildMenu();
}

void CMouseSet::BuildMenu() {
    menu_ = new QMenu(this);
    for (const MenuItem& item : ActionMenu) {
        QMenu* addTo = menu_;
        if (!item.submenu.empty()) {
            addTo = menu_->addMenu(Text(item.submenu));
        }
        for (const Entry entry : item.entries) {
            QAction* action = addTo->addAction(Text(Caption(entry)));
            connect(action, &QAction::triggered, this, [this, entry] { OnEntryChosen(entry); });
            if (entry == Entry::FixedCpi) {
                cpiMenu_ = addTo;
                fixedCpiAction_ = action;
            }
        }
    }
}

void CMouseSet::ShowFirstRowLabel(bool leftHanded) {
    rows_[0].label->setText(
        QString::fromUtf8(leftHanded ? text::LeftButtonRow : text::RightButtonRow));
}

// --- choosing an action ----------------------------------------------------------

void CMouseSet::OnRowButtonClicked(std::size_t row) {
    openRow_ = row;
    openSlot_ = SlotOfRow(row, ui_.leftHandedBox->isChecked());
    if (!MappingRows[row].offersFixedCpi) {
        cpiMenu_->removeAction(fixedCpiAction_);
    } else if (cpiMenu_->actions().size() < static_cast<qsizetype>(CpiEntries.size())) {
        cpiMenu_->addAction(fixedCpiAction_);
    }
    QPushButton* button = rows_[row].button;
    menu_->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void CMouseSet::OnEntryChosen(Entry entry) {
    // An entry chosen through the accessibility tree leaves the menu open.
    menu_->hide();
    switch (entry) {
        case Entry::KeyboardKey:
            ChooseKeyboardKey();
            break;
        case Entry::FixedCpi:
            ChooseFixedCpi();
            break;
        default:
            AssignToOpenRow(ActionOf(entry), Text(Caption(entry)));
            break;
    }
    emit EditConfigChanged();
}

void CMouseSet::ChooseKeyboardKey() {
    CKeyboard dialog(this);
    if (dialog.exec() != QDialog::Accepted || dialog.CapturedKeyLabel().isEmpty()) {
        return;
    }
    AssignToOpenRow(KeyboardKeyAction(dialog.CapturedModifiers(), dialog.CapturedKeyVk()),
                    dialog.CapturedKeyLabel());
}

void CMouseSet::ChooseFixedCpi() {
    CFixedCPI dialog(notifier_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const std::uint32_t x = dialog.FixedCpiX();
    const std::uint32_t y = dialog.FixedCpiY();
    AssignToOpenRow(FixedCpiAction(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)),
                    Text(FixedCpiText(x, y)));
}

void CMouseSet::AssignToOpenRow(const SlotAction& action, const QString& caption) {
    WriteAction(store_.EditConfig().Buttons[openSlot_], action);
    rows_[openRow_].button->setText(caption);
}

// --- left-handed mode ------------------------------------------------------------

void CMouseSet::OnLeftHandedClicked(bool checked) {
    SetLeftHanded(store_.EditConfig().Buttons, checked);
    // The first row's caption stays: the action it shows moved into the slot
    // the row edits from now on.
    ShowFirstRowLabel(checked);
    emit EditConfigChanged();
}

// --- the page as a whole ---------------------------------------------------------

void CMouseSet::LoadFromConfig() {
    const ButtonSlots& buttons = store_.EditConfig().Buttons;
    const bool leftHanded = IsLeftHanded(buttons);
    ui_.leftHandedBox->setChecked(leftHanded);
    ShowFirstRowLabel(leftHanded);
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        // An action no entry makes leaves the row's text as it was.
        if (const auto text = ActionText(buttons[SlotOfRow(row, leftHanded)])) {
            rows_[row].button->setText(QString::fromStdString(*text));
        }
    }
}

void CMouseSet::SetControlsEnabled(bool enabled) {
    ui_.leftHandedBox->setEnabled(enabled);
    for (const Row& row : rows_) {
        row.button->setEnabled(enabled);
    }
    if (!enabled) {
        menu_->hide();  // a choice needs the device
    }
}

bool CMouseSet::PreviewKey(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Escape) {
        return true;
    }
    return SettingsPage::PreviewKey(event);
}

}  // namespace qx9
