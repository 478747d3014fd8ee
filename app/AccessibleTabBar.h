#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace qx9 {

class GuardedTabBar;

// The guarded tab bar as assistive tools see it: a list of page tabs whose
// "Press" action asks the bar as a click does, so that a refusal holds there too.
class AccessibleTabBar final : public QAccessibleWidget {
  public:
    explicit AccessibleTabBar(GuardedTabBar* bar);
    ~AccessibleTabBar() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text kind) const override;

  private:
    GuardedTabBar* Bar() const;

    mutable QHash<int, QAccessible::Id> tabs_;
};

// For QAccessible::installFactory.
QAccessibleInterface* AccessibleTabBarFactory(const QString& className, QObject* object);

}  // namespace qx9
