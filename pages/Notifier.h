#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace qx9 {

// The tool's few message boxes: an OK button, the application's name as caption.
class Notifier {
  public:
    virtual ~Notifier() = default;
    virtual void Inform(const QString& text) = 0;
    // The window the boxes belong to: they open over it and stay in front of
    // it, not in the middle of the screen. Forgotten when the window goes.
    void SetOwner(QWidget* window) { owner_ = window; }

  protected:
    QWidget* Owner() const { return owner_; }

  private:
    QPointer<QWidget> owner_;
};

class MessageBoxNotifier final : public Notifier {
  public:
    void Inform(const QString& text) override;
};

}  // namespace qx9
