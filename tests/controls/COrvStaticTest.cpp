#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "COrvStatic.h"

namespace qx9 {
namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

QColor PaintedColour(COrvStatic& swatch) {
    return swatch.grab().toImage().pixelColor(swatch.width() / 2, swatch.height() / 2);
}

TEST(COrvStaticTest, PaintsLightGreyUntilItsOwnerSetsAColour) {
    COrvStatic swatch;
    swatch.resize(20, 20);
    EXPECT_EQ(PaintedColour(swatch), QColor(240, 240, 240));

    swatch.SetBackgroundColour(QColor(255, 255, 0));
    EXPECT_EQ(PaintedColour(swatch), QColor(255, 255, 0));
}

TEST(COrvStaticTest, ANewColourWaitsForTheNextRepaint) {
    COrvStatic swatch;
    swatch.resize(20, 20);
    swatch.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&swatch));
    QCoreApplication::processEvents();
    PaintCounter counter;
    swatch.installEventFilter(&counter);

    swatch.SetBackgroundColour(Qt::red);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0) << "no repaint was asked for";

    swatch.update();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
}

TEST(COrvStaticTest, APressReachesTheOwnerAndChangesNothingOnTheSwatch) {
    COrvStatic swatch;
    swatch.resize(20, 20);
    swatch.SetBackgroundColour(Qt::blue);
    QSignalSpy clicks(&swatch, &COrvStatic::clicked);

    QTest::mouseClick(&swatch, Qt::LeftButton);

    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(swatch.BackgroundColour(), QColor(Qt::blue));
}

}  // namespace
}  // namespace qx9
