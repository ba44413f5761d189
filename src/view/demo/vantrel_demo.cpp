// vantrel-demo FOLDER: plays the pictures of a folder through one transition
// view, one style after another in catalogue order, with the view's defaults.
#include <QApplication>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "effects/catalogue.h"
#include "platform/picture_decoder.h"
#include "platform/raster/heap_policy.h"
#include "view/vantrel.h"

namespace {

constexpr int kShowMs = 1500;

std::vector<std::filesystem::path> PicturesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file() && platform::IsReadablePictureName(entry.path().filename().string())) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The next style after `style` in catalogue order that has a procedure.
view::TShowStyle NextStyle(view::TShowStyle style) {
  for (int i = 0; i < effects::kEffectCount; ++i) {
    style = static_cast<view::TShowStyle>(style % effects::kEffectCount + 1);
    if (effects::VantrelEffects[style].Proc != nullptr) break;
  }
  return style;
}

class Player {
 public:
  Player(view::TVantrel& vantrel, std::vector<std::filesystem::path> files)
      : vantrel_(vantrel), files_(std::move(files)) {
    vantrel_.SetOnStop([this](view::TCustomVantrel&) { QTimer::singleShot(kShowMs, [this] { ShowNext(); }); });
  }

  void ShowNext() {
    for (size_t tries = 0; tries < files_.size(); ++tries) {
      const auto& file = files_[next_++ % files_.size()];
      try {
        vantrel_.Picture().LoadFromFile(file);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "vantrel-demo: %s\n", e.what());
        continue;
      }
      style_ = NextStyle(style_);
      vantrel_.SetStyle(style_);
      vantrel_.window()->setWindowTitle(QString("%1 - %2 %3")
                                            .arg(QString::fromStdString(file.filename().string()))
                                            .arg(style_)
                                            .arg(QString::fromStdString(vantrel_.StyleName())));
      vantrel_.Execute();
      return;
    }
    std::fprintf(stderr, "vantrel-demo: no picture could be read\n");
    QCoreApplication::exit(1);
  }

 private:
  view::TVantrel& vantrel_;
  std::vector<std::filesystem::path> files_;
  size_t next_ = 0;
  view::TShowStyle style_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  raster::KeepHeapForNextFrames();
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantrel-demo FOLDER\n");
    return 2;
  }
  std::vector<std::filesystem::path> files;
  try {
    files = PicturesIn(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vantrel-demo: cannot list %s: %s\n", argv[1], e.what());
    return 1;
  }
  if (files.empty()) {
    std::fprintf(stderr, "vantrel-demo: no pictures in %s\n", argv[1]);
    return 1;
  }
  QWidget window;
  window.resize(800, 600);
  auto* vantrel = new view::TVantrel(&window);
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(vantrel);
  window.show();
  Player player(*vantrel, std::move(files));
  QTimer::singleShot(0, [&] { player.ShowNext(); });
  return app.exec();
}
