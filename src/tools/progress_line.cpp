#include "tools/progress_line.h"

#include <unistd.h>

#include <cmath>
#include <string>

#include "platform/printable_text.h"

namespace tools {

namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawPeriod = std::chrono::milliseconds(100);

std::string Clock(double seconds) {
  const long s = std::lround(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
  return text;
}

}  // namespace

ProgressLine::ProgressLine(std::FILE* stream) : stream_(stream), terminal_(::isatty(::fileno(stream)) != 0) {}

void ProgressLine::OnProgress(const video_export::ExportProgress& p) {
  if (!terminal_) return;
  const auto now = std::chrono::steady_clock::now();
  const bool last = p.framesDone >= p.framesTotal;
  if (!last && now - lastDrawn_ < kRedrawPeriod) return;
  lastDrawn_ = now;
  const int filled = p.framesTotal > 0 ? int(kBarWidth * p.framesDone / p.framesTotal) : 0;
  const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, '-');
  std::fprintf(stream_, "\r[%s] %lld/%lld frames  %5.1f fps  %s left \033[K", bar.c_str(),
               static_cast<long long>(p.framesDone), static_cast<long long>(p.framesTotal), p.framesPerSecond,
               Clock(p.secondsLeft).c_str());
  std::fflush(stream_);
  shown_ = true;
}

void ProgressLine::OnWarning(const std::string& text) {
  if (shown_) std::fputs("\r\033[K", stream_);
  std::fprintf(stream_, "vantrel-render: warning: %s\n", platform::PrintableText(text).c_str());
  shown_ = false;
}

void ProgressLine::Close() {
  if (shown_) std::fputc('\n', stream_);
  shown_ = false;
}

}  // namespace tools
