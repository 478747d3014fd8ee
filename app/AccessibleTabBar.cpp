#include "AccessibleTabBar.h"

#include <QPointer>

#include "GuardedTabBar.h"

namespace qx9 {
namespace {

QString TabName(const QTabBar& bar, int index) {
    const QString name = bar.accessibleTabName(index);
    return name.isEmpty() ? QString(bar.tabText(index)).remove(QLatin1Char('&')) : name;
}

class AccessiblePageTab final : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    AccessiblePageTab(GuardedTabBar* bar, int index) : bar_(bar), index_(index) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    bool isValid() const override { return bar_ && index_ < bar_->count(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(bar_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    int Index() const { return index_; }

    QString text(QAccessible::Text kind) const override {
        if (!isValid()) {
            return {};
        }
        switch (kind) {
            case QAccessible::Name:
                return TabName(*bar_, index_);
            case QAccessible::Description:
                return bar_->tabToolTip(index_);
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect local = bar_->tabRect(index_);
        return {bar_->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const bool current = bar_->currentIndex() == index_;
        state.selectable = true;
        state.selected = current;
        state.focusable = true;
        state.focused = current && bar_->hasFocus();
        state.disabled = !bar_->isEnabled() || !bar_->isTabEnabled(index_);
        state.invisible = !bar_->isVisible() || !bar_->isTabVisible(index_);
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (isValid() && action == pressAction()) {
            bar_->RequestTab(index_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QPointer<GuardedTabBar> bar_;
    int index_;
};

}  // namespace

AccessibleTabBar::AccessibleTabBar(GuardedTabBar* bar)
    : QAccessibleWidget(bar, QAccessible::PageTabList) {}

AccessibleTabBar::~AccessibleTabBar() {
    for (const QAccessible::Id id : std::as_const(tabs_)) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

GuardedTabBar* AccessibleTabBar::Bar() const {
    return static_cast<GuardedTabBar*>(object());
}

int AccessibleTabBar::childCount() const {
    return Bar()->count();
}

QAccessibleInterface* AccessibleTabBar::child(int index) const {
    if (index < 0 || index >= Bar()->count()) {
        return nullptr;
    }
    if (const QAccessible::Id id = tabs_.value(index)) {
        return QAccessible::accessibleInterface(id);
    }
    auto* tab = new AccessiblePageTab(Bar(), index);
    tabs_.insert(index, QAccessible::registerAccessibleInterface(tab));
    return tab;
}

int AccessibleTabBar::indexOfChild(const QAccessibleInterface* child) const {
    if (!child || child->role() != QAccessible::PageTab || child->parent() != this) {
        return -1;
    }
    return static_cast<const AccessiblePageTab*>(child)->Index();
}

QString AccessibleTabBar::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Name && !Bar()->accessibleName().isEmpty()) {
        return Bar()->accessibleName();
    }
    if (kind == QAccessible::Name && Bar()->currentIndex() >= 0) {
        return TabName(*Bar(), Bar()->currentIndex());
    }
    return QAccessibleWidget::text(kind);
}

QAccessibleInterface* AccessibleTabBarFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(GuardedTabBar::staticMetaObject.className())) {
        if (auto* bar = qobject_cast<GuardedTabBar*>(object)) {
            return new AccessibleTabBar(bar);
        }
    }
    return nullptr;
}

}  // namespace qx9
