#pragma once

#include <QAccessible>
#include <QCheckBox>
#include <QTest>

namespace qx9::test {

// A check box stretched by its layout is wider than what takes a click: aim at
// its indicator.
inline void ClickCheckBox(QCheckBox* box) {
    const int middle = box->height() / 2;
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(middle, middle));
}

// What a screen reader does to press a button; the press lands a moment later.
inline void PressAccessibly(QWidget* widget) {
    QAccessible::queryAccessibleInterface(widget)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
}

}  // namespace qx9::test
