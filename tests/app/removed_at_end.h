#pragma once
#include <unistd.h>

#include <QByteArray>
#include <vector>

namespace app_test {

// Files removed by their bytes when the test ends: Qt cannot name files whose
// names aren't UTF-8, so a QTemporaryDir holding one cannot remove it.
struct TRemovedAtEnd {
  std::vector<QByteArray> paths;
  ~TRemovedAtEnd() {
    for (const QByteArray& path : paths) ::unlink(path.constData());
  }
};

}  // namespace app_test
