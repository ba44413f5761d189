#include "app/theme.h"

#include <QApplication>
#include <QFile>

#include "app/dialogs.h"

namespace app {

std::optional<QString> FindTheme(const QString& name) {
  QFile sheet(QStringLiteral(":/themes/%1.qss").arg(name));
  if (!sheet.open(QIODevice::ReadOnly)) return std::nullopt;
  return QString::fromUtf8(sheet.readAll());
}

bool ApplyTheme(QApplication& application, const QString& name, TDialogs& dialogs) {
  const std::optional<QString> sheet = FindTheme(name);
  if (!sheet) {
    dialogs.Message(nullptr, {QCoreApplication::applicationName(),
                              QStringLiteral("Style '%1' not found").arg(name),
                              TMessageIcon::Error,
                              {TMessageButton::Close}});
    return false;
  }
  application.setStyleSheet(*sheet);
  return true;
}

}  // namespace app
