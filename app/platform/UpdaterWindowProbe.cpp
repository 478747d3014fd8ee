#include "UpdaterWindowProbe.h"

#include <QGuiApplication>
#include <QWindow>

namespace qx9 {

bool InProcessWindowProbe::WindowOpen(const QString& title) {
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->isVisible() && window->title() == title) {
            return true;
        }
    }
    return false;
}

}  // namespace qx9
