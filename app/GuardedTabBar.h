#pragma once

#include <QTabBar>
#include <functional>

namespace qx9 {

// A tab bar that may refuse its user a change of tab, however the user asks:
// click, wheel, keys or an assistive tool. Selecting a tab in code
// (setCurrentIndex) is never refused.
class GuardedTabBar final : public QTabBar {
    Q_OBJECT
  public:
    explicit GuardedTabBar(QWidget* parent = nullptr);
    void SetChangeGuard(std::function<bool()> mayChange);
    bool MayChange() const { return mayChange_(); }
    // A user's request for a tab, as an assistive tool makes it. False when
    // refused.
    bool RequestTab(int index);

  protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::function<bool()> mayChange_ = [] { return true; };
};

}  // namespace qx9
