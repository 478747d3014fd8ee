#include "PageTabs.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace qx9 {

class PageTabs::GuardedTabBar final : public QTabBar {
  public:
    using QTabBar::QTabBar;
    std::function<bool()> mayChange = [] { return true; };

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (Allowed()) {
            QTabBar::mousePressEvent(event);
        }
    }
    void wheelEvent(QWheelEvent* event) override {
        if (Allowed()) {
            QTabBar::wheelEvent(event);
        }
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (Allowed()) {
            QTabBar::keyPressEvent(event);
        }
    }

  private:
    bool Allowed() const { return mayChange(); }
};

PageTabs::PageTabs(QWidget* parent) : QTabWidget(parent), bar_(new GuardedTabBar(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    setTabBar(bar_);
    // Every tab stays in view; the window is as wide as the tabs need.
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
}

void PageTabs::SetChangeGuard(std::function<bool()> mayChange) {
    bar_->mayChange = std::move(mayChange);
}

}  // namespace qx9
