#pragma once

class QWidget;

namespace qx9 {

// Shows a top-level window and has it painted on screen before the caller
// blocks the event loop (device waits at start-up take seconds through the
// dongle). Input that arrives meanwhile is kept for the event loop.
void PaintNow(QWidget& window);

}  // namespace qx9
