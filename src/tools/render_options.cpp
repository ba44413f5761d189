#include "tools/render_options.h"

#include <charconv>

#include "effects/catalogue.h"

namespace tools {

namespace {

int64_t ParseInteger(const std::string& option, const std::string& text, int64_t lo, int64_t hi) {
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
    throw UsageError(option + " expects a whole number, got '" + text + "'");
  }
  if (value < lo || value > hi) {
    throw UsageError(option + " must be in " + std::to_string(lo) + ".." + std::to_string(hi) + ", got " + text);
  }
  return value;
}

}  // namespace

RenderOptions ParseRenderOptions(const std::vector<std::string>& args) {
  RenderOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--list" || a == "--verbose") {
      (a == "--list" ? o.list : o.verbose) = true;
      continue;
    }
    if (i + 1 >= args.size()) throw UsageError("unknown option or missing value: " + a);
    const std::string& v = args[++i];
    if (a == "--style")
      o.style = int32_t(ParseInteger(a, v, 0, effects::kEffectCount));
    else if (a == "--old")
      o.oldPath = v;
    else if (a == "--new")
      o.newPath = v;
    else if (a == "--progress")
      o.progress = int32_t(ParseInteger(a, v, 0, 100));
    else if (a == "--seed")
      o.seed = uint32_t(ParseInteger(a, v, 0, UINT32_MAX));
    else if (a == "--randseed")
      o.randSeed = uint32_t(ParseInteger(a, v, 0, UINT32_MAX));
    else if (a == "--out")
      o.outPath = v;
    else if (a == "--frames")
      o.framesDir = v;
    else if (a == "--step")
      o.step = int32_t(ParseInteger(a, v, 1, 100));
    else
      throw UsageError("unknown option: " + a);
  }
  if (o.list) return o;
  if (o.style < 0) throw UsageError("missing --style N (0.." + std::to_string(effects::kEffectCount) + ")");
  if (o.oldPath.empty() || o.newPath.empty()) throw UsageError("missing --old OLD and --new NEW pictures");
  const bool single = o.progress.has_value() || !o.outPath.empty();
  if (single == !o.framesDir.empty()) {
    throw UsageError("give either --progress P --out OUT.png or --frames DIR");
  }
  if (single && (!o.progress || o.outPath.empty())) throw UsageError("--progress and --out go together");
  return o;
}

}  // namespace tools
