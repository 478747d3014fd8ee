#include "SettingsPage.h"

namespace qx9 {

bool SettingsPage::PreviewKey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Tab:
            MoveFocus(!(event.modifiers() & Qt::ShiftModifier));
            return true;
        case Qt::Key_Backtab:
            MoveFocus(false);
            return true;
        default:
            return false;
    }
}

void SettingsPage::MoveFocus(bool forward) {
    QWidget* const start = focusWidget() ? focusWidget() : this;
    QWidget* candidate = start;
    do {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        const bool takesTab = (candidate->focusPolicy() & Qt::TabFocus) != 0;
        if (candidate != this && isAncestorOf(candidate) && takesTab && candidate->isEnabled() &&
            candidate->isVisibleTo(this)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    } while (candidate != start);
}

}  // namespace qx9
