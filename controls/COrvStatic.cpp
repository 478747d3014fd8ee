#include "COrvStatic.h"

#include <QMouseEvent>
#include <QPainter>

namespace qx9 {

COrvStatic::COrvStatic(QWidget* parent) : QWidget(parent) {
    // Nothing behind the swatch shows through: the fill covers all of it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void COrvStatic::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), background_);
}

void COrvStatic::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked();
    }
    event->accept();
}

}  // namespace qx9
