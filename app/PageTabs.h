#pragma once

#include <QTabBar>
#include <QTabWidget>
#include <functional>

namespace qx9 {

// The window's tab control. A user's change of tab (click, wheel, keys) is
// asked first and may be refused; selecting a tab in code is never refused.
class PageTabs : public QTabWidget {
    Q_OBJECT
  public:
    explicit PageTabs(QWidget* parent = nullptr);
    void SetChangeGuard(std::function<bool()> mayChange);

  private:
    class GuardedTabBar;
    GuardedTabBar* bar_;
};

}  // namespace qx9
