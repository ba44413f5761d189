// Renders transition frames from two pictures through the effect catalogue,
// or a slideshow video from a folder of photos.
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "effects/catalogue.h"
#include "effects/frame_rule.h"
#include "export/codec_messages.h"
#include "platform/library_warnings.h"
#include "platform/picture_decoder.h"
#include "platform/printable_text.h"
#include "platform/raster/drawing.h"
#include "platform/raster/heap_policy.h"
#include "platform/raster/random.h"
#include "tools/png_writer.h"
#include "tools/render_options.h"
#include "tools/slideshow_command.h"
#include "tools/slideshow_options.h"

namespace {

constexpr int kUsageStatus = 2;

constexpr const char* kHelp =
    "Usage: vantrel-render --style N --old OLD --new NEW --progress P --out OUT.png\n"
    "       vantrel-render --style N --old OLD --new NEW --frames DIR [--step S]\n"
    "       vantrel-render --list\n"
    "       vantrel-render --slideshow FOLDER --video OUT [options]\n"
    "\n"
    "Draws transition frames from two pictures of one size through the catalogue of 172 effects,\n"
    "or makes a slideshow video of a folder of photos.\n"
    "\n"
    "Frames:\n"
    "  --style N            effect number, 1 to 172 (0 keeps the old picture to the end)\n"
    "  --old OLD, --new NEW the pictures the transition goes from and to\n"
    "  --progress P         one frame at P percent (0 to 100), written to --out as PNG\n"
    "  --frames DIR         every frame from 0 to 100 percent, in steps of --step (4)\n"
    "  --seed N             the new picture's seed for the styles that use one (1)\n"
    "  --randseed N         the shared random generator's state before the frame (0)\n"
    "  --list               list the effects by number and name\n"
    "  --verbose            also show the picture libraries' warnings\n"
    "\n"
    "Slideshow video:\n"
    "  --size WxH (1920x1080), --fps N (30), --interval SECONDS (3), --transition-ms MS (1000),\n"
    "  --style N|random|cycle (cycle), --seed N, --placement centre|stretch|fit (fit),\n"
    "  --background #RRGGBB (#000000), --audio FILE, --recursive.\n"
    "  .mp4 and .mkv are H.264 with AAC sound, .webm VP9 with Opus sound.\n"
    "\n"
    "Bad input exits with status 2 and one line on standard error.\n";

bool WantsHelp(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

void PrintList() {
  for (int32_t style = 1; style <= effects::kEffectCount; ++style) {
    std::cout << style << '\t' << effects::VantrelEffects[style].Name << '\n';
  }
}

// One frame: the old picture, then the style's drawing for `progress`.
void RenderFrame(raster::Bitmap& display, const raster::Bitmap& oldPic, const raster::Bitmap& newPic, int32_t style,
                 int32_t progress) {
  raster::BitBlt(display, 0, 0, oldPic.Width(), oldPic.Height(), oldPic, 0, 0);
  effects::DrawEffectFrame(display, newPic, newPic.Width(), newPic.Height(), style, progress);
}

int Run(const tools::RenderOptions& o) {
  if (o.list) {
    PrintList();
    return 0;
  }
  const auto oldPic = platform::DecodePicture(o.oldPath);
  const auto newPic = platform::DecodePicture(o.newPath);
  if (oldPic->Width() != newPic->Width() || oldPic->Height() != newPic->Height()) {
    throw tools::UsageError("pictures differ in size: " + o.oldPath + " is " + std::to_string(oldPic->Width()) + "x" +
                            std::to_string(oldPic->Height()) + ", " + o.newPath + " is " +
                            std::to_string(newPic->Width()) + "x" + std::to_string(newPic->Height()));
  }
  newPic->SetHandle(o.seed);
  raster::RandSeed.store(o.randSeed);
  raster::Bitmap display(oldPic->Width(), oldPic->Height());

  if (o.framesDir.empty()) {
    RenderFrame(display, *oldPic, *newPic, o.style, *o.progress);
    tools::WritePngRgb(display, o.outPath);
  } else {
    std::filesystem::create_directories(o.framesDir);
    int frame = 0;
    for (int32_t p = 0;; p = std::min(p + o.step, 100)) {
      RenderFrame(display, *oldPic, *newPic, o.style, p);
      char name[32];
      std::snprintf(name, sizeof name, "frame_%03d.png", frame++);
      tools::WritePngRgb(display, std::filesystem::path(o.framesDir) / name);
      if (p == 100) break;
    }
    std::cerr << "wrote " << frame << " frames to "
              << platform::PrintableText(std::filesystem::absolute(o.framesDir).string()) << '\n';
  }
  std::cout << "randseed=" << raster::RandSeed.load() << '\n';
  return 0;
}

// Qt's image readers warn through Qt's message log; only errors reach stderr
// unless --verbose asks for the rest.
void QuietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::cerr << platform::PrintableText(qFormatLogMessage(type, context, message).toStdString()) << '\n';
  }
}

int Main(const tools::RenderOptions& o) {
  platform::ShowLibraryWarnings(o.verbose);
  if (!o.verbose) qInstallMessageHandler(QuietQtMessages);
  return Run(o);
}

}  // namespace

int main(int argc, char** argv) {
  raster::KeepHeapForNextFrames();
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (WantsHelp(args)) {
      std::cout << kHelp;
      return 0;
    }
    if (tools::WantsSlideshow(args)) {
      video_export::ShowCodecMessages(false);
      return tools::RunSlideshowCommand(args);
    }
    return Main(tools::ParseRenderOptions(args));
  } catch (const std::exception& e) {
    // The message may hold file names: shown with their control characters
    // escaped, so that a name cannot drive the terminal.
    std::cerr << "vantrel-render: " << platform::PrintableText(e.what()) << '\n';
    return kUsageStatus;
  }
}
