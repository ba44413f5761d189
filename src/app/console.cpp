#include "app/console.h"

#include <QByteArray>
#include <cstdio>

#include "platform/printable_text.h"

namespace app {

QString PrintableLine(const QString& line) {
  return QString::fromStdString(platform::PrintableText(line.toStdString()));
}

void PrintProblem(const QString& line) {
  const QByteArray text = (QStringLiteral("Project22: ") + PrintableLine(line) + u'\n').toLocal8Bit();
  std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
  std::fflush(stderr);
}

}  // namespace app
