#include "NotifyingLabel.h"

#include <QMouseEvent>

namespace qx9 {

void NotifyingLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked();
    }
    event->accept();
}

}  // namespace qx9
