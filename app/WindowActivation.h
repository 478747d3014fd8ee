#pragma once

class QWidget;

namespace qx9 {

// Puts a top-level window in front of the others, restored if minimised, and
// gives it the keyboard: what a user expects when asking for the tool while
// another application has the focus.
void BringToFront(QWidget& window);

}  // namespace qx9
