#include "PairingHotKey.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace qx9 {

bool ShortcutPairingHotKey::Register(QWidget* window) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_P), window);
    shortcut->setContext(Qt::ApplicationShortcut);
    connect(shortcut, &QShortcut::activated, this, &PairingHotKey::Activated);
    return true;
}

}  // namespace qx9
