#include "PaintNow.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace qx9 {
namespace {

// A window server that never maps the window must not hold the start-up.
constexpr int ExposeTimeoutMs = 1000;
constexpr int PollIntervalMs = 10;

bool Exposed(const QWidget& window) {
    return window.windowHandle() && window.windowHandle()->isExposed();
}

}  // namespace

void PaintNow(QWidget& window) {
    window.show();
    const auto keepInput = QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers;
    QTimer wake;
    wake.start(PollIntervalMs);
    const QDeadlineTimer deadline(ExposeTimeoutMs);
    while (!Exposed(window) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(keepInput | QEventLoop::WaitForMoreEvents);
    }
    window.repaint();
    QCoreApplication::processEvents(keepInput);
}

}  // namespace qx9
