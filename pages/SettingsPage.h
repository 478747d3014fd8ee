#pragma once

#include <QKeyEvent>
#include <QWidget>

namespace qx9 {

// A page of the main window. A key pressed anywhere in the page reaches the
// page before the window's own key handling, as a dialog's children see their
// keys before their parent does.
class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

    // True when the page has used the key; the window then does not see it.
    // Tab and Shift+Tab move the focus among the page's own controls.
    virtual bool PreviewKey(const QKeyEvent& event);

  private:
    void MoveFocus(bool forward);
};

}  // namespace qx9
