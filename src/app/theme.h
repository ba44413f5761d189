#pragma once
#include <QString>
#include <optional>

class QApplication;

namespace app {

class TDialogs;

inline const QString kThemeName = QStringLiteral("Metropolis UI Green");

// The style sheet of a theme the program carries, or nothing when it carries
// no theme of that name.
std::optional<QString> FindTheme(const QString& name);

// Applies the named theme to the application. When the program carries no
// theme of that name it says so ("Style '<name>' not found", one Close
// button) and leaves the plain look; returns whether the theme was applied.
bool ApplyTheme(QApplication& application, const QString& name, TDialogs& dialogs);

}  // namespace app
