#pragma once

#include <QTabWidget>
#include <functional>

namespace qx9 {

class GuardedTabBar;

// The window's tab control. A user's change of tab (click, wheel, keys,
// assistive tools) is asked first and may be refused; selecting a tab in code
// is never refused.
class PageTabs : public QTabWidget {
    Q_OBJECT
  public:
    explicit PageTabs(QWidget* parent = nullptr);
    void SetChangeGuard(std::function<bool()> mayChange);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    GuardedTabBar* bar_;
};

}  // namespace qx9
