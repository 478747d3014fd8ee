#include "PageTabs.h"

#include <QKeyEvent>

#include "GuardedTabBar.h"

namespace qx9 {

PageTabs::PageTabs(QWidget* parent) : QTabWidget(parent), bar_(new GuardedTabBar(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    setTabBar(bar_);
    // Every tab stays in view; the window is as wide as the tabs need.
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
}

void PageTabs::SetChangeGuard(std::function<bool()> mayChange) {
    bar_->SetChangeGuard(std::move(mayChange));
}

void PageTabs::keyPressEvent(QKeyEvent* event) {
    // Ctrl+Tab switches pages from anywhere inside the tab widget.
    if (bar_->MayChange()) {
        QTabWidget::keyPressEvent(event);
    } else {
        event->ignore();
    }
}

}  // namespace qx9
