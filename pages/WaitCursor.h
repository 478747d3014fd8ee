#pragma once

#include <QGuiApplication>

namespace qx9 {

// Shows the wait cursor while a device exchange blocks the window.
class WaitCursor {
  public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

}  // namespace qx9
