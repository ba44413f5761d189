#pragma once
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "app/Uphoto.h"
#include "scripted_dialogs.h"

namespace app_test {

// Writes a small picture of one colour; the format follows the extension.
void WritePicture(const QString& path, QColor color, int width = 48, int height = 32);
// Writes a file with the given bytes (a "picture" that is not one).
void Touch(const QString& path, const QByteArray& content = "not a picture");
// Runs the event loop until `done` holds or `ms` milliseconds have passed.
bool WaitUntil(const std::function<bool()>& done, int ms = 5000);
// Runs the event loop for `ms` milliseconds.
void Pump(int ms);

// A program folder of its own for each test: 1002.jpg beside the program and
// an album folder with photos.
class TProgramFolder {
 public:
  TProgramFolder();
  QString Path() const { return dir_.path(); }
  QString File(const QString& name) const { return dir_.filePath(name); }
  // Creates the folder (relative to the program folder) and fills it.
  QString MakeFolder(const QString& name, const QStringList& pictures = {});

 private:
  QTemporaryDir dir_;
};

// A main window on a program folder, with scripted dialogs.
class AppTest : public ::testing::Test {
 protected:
  // Default layout: 1002.jpg and Photos/ with a.jpg, b.jpg, c.jpg.
  void SetUp() override;
  void TearDown() override;
  // The settings in `start` are applied as remembered settings and options
  // are; returns once the first photo's decoding has ended, as a person sees
  // the window with its first photo at hand.
  void Open(const QStringList& arguments = {}, const app::TStartSettings& start = {}, bool recursive = false);
  // Short transitions (step 25, delay 5) and a short display interval.
  void MakeFast(int intervalMs = 30);
  // Ticks the display timer by hand.
  void Tick();
  // Runs the event loop until the photo chosen to come next is decoded and in
  // the view, or no photo of the folder loads.
  bool WaitForPreload(int ms = 5000);
  // Waits for the view to end its transition.
  bool WaitIdle(int ms = 5000);

  TProgramFolder program;
  TScriptedDialogs dialogs;
  // How the window decodes photos ahead; the platform's decoder when empty.
  app::TPhotoPreload::TDecoder decoder;
  std::unique_ptr<app::TPhotosform> form;
};

}  // namespace app_test
