#include "WindowActivation.h"

#include <QWidget>

namespace qx9 {

void BringToFront(QWidget& window) {
    if (window.isMinimized()) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    }
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace qx9
