#include "app/console.h"

#include <QByteArray>
#include <cstdio>

namespace app {

void PrintProblem(const QString& line) {
  const QByteArray text = (QStringLiteral("Project22: ") + line + u'\n').toLocal8Bit();
  std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
  std::fflush(stderr);
}

}  // namespace app
