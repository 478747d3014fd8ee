#pragma once

#include <QColor>
#include <QWidget>

namespace qx9 {

// A swatch: its whole rectangle in one solid colour chosen by its owner. It
// reacts to no input itself; a press on it reaches the owner as clicked().
class COrvStatic : public QWidget {
    Q_OBJECT
  public:
    explicit COrvStatic(QWidget* parent = nullptr);

    QColor BackgroundColour() const { return background_; }
    // Shows at the next repaint; the swatch does not repaint itself for it.
    void SetBackgroundColour(const QColor& colour) { background_ = colour; }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QColor background_{240, 240, 240};
};

}  // namespace qx9
