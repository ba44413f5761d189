#include "export/av_handles.h"

#include <new>

#include "export/export_error.h"

namespace video_export {

std::string AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

int CheckAv(int code, const std::string& what) {
  if (code < 0) throw ExportError(what + ": " + AvErrorText(code));
  return code;
}

AVFrame* NewFrame() {
  AVFrame* f = av_frame_alloc();
  if (f == nullptr) throw std::bad_alloc();
  return f;
}

AVPacket* NewPacket() {
  AVPacket* p = av_packet_alloc();
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

}  // namespace video_export
