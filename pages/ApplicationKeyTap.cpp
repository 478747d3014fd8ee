#include "ApplicationKeyTap.h"

#include <QGuiApplication>
#include <QWindow>

namespace qx9 {

ApplicationKeyTap::ApplicationKeyTap(QObject* parent)
    : QObject(parent), scanCodes_(ScanCodesOfPlatform(QGuiApplication::platformName())) {
    QGuiApplication::instance()->installEventFilter(this);
}

ApplicationKeyTap::~ApplicationKeyTap() {
    QGuiApplication::instance()->removeEventFilter(this);
}

bool ApplicationKeyTap::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // A key reaches its window once and then walks from widget to parent;
    // taking it at the window reports it exactly once.
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) &&
        qobject_cast<QWindow*>(watched)) {
        emit KeyEvent(VirtualKeyOf(static_cast<const QKeyEvent&>(*event), scanCodes_));
    }
    return false;
}

}  // namespace qx9
