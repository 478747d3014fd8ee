#include "CKeyboard.h"

#include <QKeyEvent>

#include "ButtonActions.h"
#include "KeyTables.h"

namespace qx9 {
namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CKeyboard::CKeyboard(QWidget* parent) : QDialog(parent) {
    ui_.setupUi(this);
    // Titled after the menu entry that opens it.
    setWindowTitle(Text(buttons::Caption(buttons::Entry::KeyboardKey)));
    connect(ui_.okButton, &QPushButton::clicked, this, &CKeyboard::OnOk);
}

void CKeyboard::showEvent(QShowEvent* event) {
    if (!tap_) {
        tap_ = std::make_unique<ApplicationKeyTap>();
        connect(tap_.get(), &ApplicationKeyTap::KeyEvent, this, &CKeyboard::OnHookedKey);
    }
    QDialog::showEvent(event);
}

void CKeyboard::hideEvent(QHideEvent* event) {
    tap_.reset();
    QDialog::hideEvent(event);
}

void CKeyboard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();  // a key to capture, never a way to close
        return;
    }
    QDialog::keyPressEvent(event);
}

void CKeyboard::OnHookedKey(std::uint16_t vk) {
    capturedKeyVk_ = vk;
    capturedKeyLabel_ = Text(keys::KeyNameForVk(vk));
    ui_.keyField->setText(capturedKeyLabel_);
}

void CKeyboard::OnOk() {
    std::uint8_t modifiers = 0;
    const std::pair<const QCheckBox*, std::uint8_t> boxes[] = {
        {ui_.shiftBox, buttons::modifier::Shift},
        {ui_.ctrlBox, buttons::modifier::Ctrl},
        {ui_.winBox, buttons::modifier::Win},
        {ui_.altBox, buttons::modifier::Alt},
    };
    for (const auto& [box, bit] : boxes) {
        if (box->isChecked()) {
            modifiers |= bit;
        }
    }
    capturedModifiers_ = modifiers;
    capturedKeyLabel_ = Text(buttons::ModifierPrefixes(modifiers)) + ui_.keyField->text();
    accept();
}

}  // namespace qx9
