#include "app/window_system.h"

#include <QGuiApplication>

namespace app {

bool RunsOnWayland() { return QGuiApplication::platformName().startsWith(QStringLiteral("wayland")); }

}  // namespace app
