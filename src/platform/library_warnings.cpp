#include "platform/library_warnings.h"

#include <tiffio.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace platform {
namespace {

std::atomic<bool> g_shown{false};

void WriteLibraryMessage(const char* module, const char* format, va_list arguments) {
  if (!g_shown.load()) return;
  if (module) std::fprintf(stderr, "%s: ", module);
  std::vfprintf(stderr, format, arguments);
  std::fputc('\n', stderr);
}

void OnTiffMessage(const char* module, const char* format, va_list arguments) {
  WriteLibraryMessage(module, format, arguments);
}

}  // namespace

void InstallLibraryWarningFilter() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    TIFFSetWarningHandler(OnTiffMessage);
    TIFFSetErrorHandler(OnTiffMessage);
  });
}

void ShowLibraryWarnings(bool shown) {
  g_shown.store(shown);
  InstallLibraryWarningFilter();
}

}  // namespace platform
