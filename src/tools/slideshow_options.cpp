#include "tools/slideshow_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "tools/render_options.h"

namespace tools {

namespace {

using video_export::ExportSettings;

int64_t WholeNumber(const std::string& option, const std::string& text, int64_t max = INT32_MAX) {
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0 || value > max) {
    throw UsageError(option + " expects a whole number, got '" + text + "'");
  }
  return value;
}

double Seconds(const std::string& option, const std::string& text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    throw UsageError(option + " expects a number of seconds, got '" + text + "'");
  }
  return value;
}

void ParseSize(const std::string& text, ExportSettings& s) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) throw UsageError("--size expects WxH, got '" + text + "'");
  s.width = int32_t(WholeNumber("--size", text.substr(0, x)));
  s.height = int32_t(WholeNumber("--size", text.substr(x + 1)));
}

void ParseStyle(const std::string& text, ExportSettings& s) {
  if (text == "random")
    s.order = video_export::StyleOrder::Random;
  else if (text == "cycle")
    s.order = video_export::StyleOrder::Cycle;
  else {
    s.order = video_export::StyleOrder::Fixed;
    s.style = int32_t(WholeNumber("--style", text));
  }
}

video_export::PhotoPlacement Placement(const std::string& text) {
  if (text == "centre") return video_export::PhotoPlacement::Centre;
  if (text == "stretch") return video_export::PhotoPlacement::Stretch;
  if (text == "fit") return video_export::PhotoPlacement::Fit;
  throw UsageError("--placement expects centre, stretch or fit, got '" + text + "'");
}

uint32_t Colour(const std::string& text) {
  const bool hex = text.size() == 7 && text[0] == '#' &&
                   std::all_of(text.begin() + 1, text.end(), [](unsigned char c) { return std::isxdigit(c); });
  if (!hex) throw UsageError("--background expects #RRGGBB, got '" + text + "'");
  return uint32_t(std::stoul(text.substr(1), nullptr, 16));
}

}  // namespace

bool WantsSlideshow(const std::vector<std::string>& args) {
  return std::find(args.begin(), args.end(), "--slideshow") != args.end();
}

ExportSettings ParseSlideshowOptions(const std::vector<std::string>& args) {
  ExportSettings s;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--recursive") {
      s.recursive = true;
      continue;
    }
    if (i + 1 >= args.size()) throw UsageError("unknown option or missing value: " + a);
    const std::string& v = args[++i];
    if (a == "--slideshow")
      s.folder = v;
    else if (a == "--video")
      s.output = v;
    else if (a == "--size")
      ParseSize(v, s);
    else if (a == "--fps")
      s.fps = int32_t(WholeNumber(a, v));
    else if (a == "--interval")
      s.intervalSeconds = Seconds(a, v);
    else if (a == "--transition-ms")
      s.transitionMs = int32_t(WholeNumber(a, v));
    else if (a == "--style")
      ParseStyle(v, s);
    else if (a == "--seed")
      s.seed = uint32_t(WholeNumber(a, v, UINT32_MAX));
    else if (a == "--placement")
      s.placement = Placement(v);
    else if (a == "--background")
      s.background = Colour(v);
    else if (a == "--audio")
      s.audio = v;
    else
      throw UsageError("unknown option for a slideshow video: " + a);
  }
  if (s.folder.empty()) throw UsageError("--slideshow expects a folder");
  if (s.output.empty()) throw UsageError("missing --video OUT (.mp4, .mkv or .webm)");
  return s;
}

}  // namespace tools
