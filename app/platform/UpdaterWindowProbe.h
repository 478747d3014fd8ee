#pragma once

#include <QString>

namespace qx9 {

// Is a top-level window with this title open on the desktop?
class UpdaterWindowProbe {
  public:
    virtual ~UpdaterWindowProbe() = default;
    virtual bool WindowOpen(const QString& title) = 0;
};

// Looks through this process's own top-level windows; the demo's updater
// window and the tests' live there.
class InProcessWindowProbe final : public UpdaterWindowProbe {
  public:
    bool WindowOpen(const QString& title) override;
};

// Looks through the X11 desktop's client windows; finds nothing elsewhere.
class X11WindowProbe final : public UpdaterWindowProbe {
  public:
    bool WindowOpen(const QString& title) override;
};

}  // namespace qx9
