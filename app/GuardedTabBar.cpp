#include "GuardedTabBar.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "AccessibleTabBar.h"

namespace qx9 {

GuardedTabBar::GuardedTabBar(QWidget* parent) : QTabBar(parent) {
    // Assistive tools press tabs through the bar's accessible interface, which
    // would otherwise select the tab directly.
    QAccessible::installFactory(AccessibleTabBarFactory);
}

void GuardedTabBar::SetChangeGuard(std::function<bool()> mayChange) {
    mayChange_ = std::move(mayChange);
}

bool GuardedTabBar::RequestTab(int index) {
    if (!MayChange() || index < 0 || index >= count() || !isTabEnabled(index)) {
        return false;
    }
    setCurrentIndex(index);
    return true;
}

bool GuardedTabBar::event(QEvent* event) {
    // A tab title's mnemonic arrives as a shortcut.
    if (event->type() == QEvent::Shortcut && !MayChange()) {
        return true;
    }
    return QTabBar::event(event);
}

void GuardedTabBar::mousePressEvent(QMouseEvent* event) {
    if (MayChange()) {
        QTabBar::mousePressEvent(event);
    }
}

void GuardedTabBar::wheelEvent(QWheelEvent* event) {
    if (MayChange()) {
        QTabBar::wheelEvent(event);
    }
}

void GuardedTabBar::keyPressEvent(QKeyEvent* event) {
    if (MayChange()) {
        QTabBar::keyPressEvent(event);
    }
}

}  // namespace qx9
