#pragma once

#include <QString>

namespace qx9 {

// The tool's few message boxes: an OK button, the application's name as caption.
class Notifier {
  public:
    virtual ~Notifier() = default;
    virtual void Inform(const QString& text) = 0;
};

class MessageBoxNotifier final : public Notifier {
  public:
    void Inform(const QString& text) override;
};

}  // namespace qx9
