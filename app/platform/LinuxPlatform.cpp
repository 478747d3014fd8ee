#include "LinuxPlatform.h"

#include <QGuiApplication>

#include "XcbPairingHotKey.h"

namespace qx9 {

LinuxPlatform::LinuxPlatform() {
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        hotKey = std::make_unique<XcbPairingHotKey>();
    } else {
        hotKey = std::make_unique<ShortcutPairingHotKey>();
    }
}

}  // namespace qx9
