#include "tools/slideshow_command.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <stop_token>

#include "export/export_error.h"
#include "export/slideshow_export.h"
#include "platform/printable_text.h"
#include "tools/progress_line.h"
#include "tools/slideshow_options.h"

namespace tools {

namespace {

constexpr int kInterruptedStatus = 130;

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnInterrupt(int) { interrupted.store(true); }

// Ctrl-C, a kill and a closed terminal all ask the export to stop, however
// often they come: it stops within a frame and removes its temporary file,
// which a signal's default action (ending the program at once) would leave.
void CatchInterrupt() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

std::string Shown(const std::filesystem::path& path) { return platform::PrintableText(path.string()); }

// The progress line, and the stop request when the user interrupts.
class CommandObserver : public ProgressLine {
 public:
  CommandObserver(std::FILE* stream, std::stop_source& stop) : ProgressLine(stream), stop_(stop) {}
  void OnProgress(const video_export::ExportProgress& p) override {
    if (interrupted.load()) stop_.request_stop();
    ProgressLine::OnProgress(p);
  }

 private:
  std::stop_source& stop_;
};

}  // namespace

int RunSlideshowCommand(const std::vector<std::string>& args) {
  const video_export::ExportSettings settings = ParseSlideshowOptions(args);
  CatchInterrupt();
  std::stop_source stop;
  CommandObserver observer(stderr, stop);
  try {
    const video_export::ExportSummary s = video_export::ExportSlideshow(settings, observer, stop.get_token());
    observer.Close();
    std::fprintf(stderr, "wrote %s: %lld frames, %.2f s, %d photos (%d skipped), %.1f frames/s\n",
                 Shown(settings.output).c_str(), static_cast<long long>(s.frames), s.seconds, s.photos, s.skipped,
                 s.framesPerSecond);
    return 0;
  } catch (const video_export::ExportCancelled&) {
    observer.Close();
    std::fprintf(stderr, "vantrel-render: interrupted; %s was not written\n", Shown(settings.output).c_str());
    return kInterruptedStatus;
  } catch (...) {
    observer.Close();
    throw;
  }
}

}  // namespace tools
