#pragma once

#include <QLabel>

namespace qx9 {

// A caption that tells its owner when it is pressed, as a level label does.
class NotifyingLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace qx9
