#include "platform/jpeg_decoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "platform/jpeg_scan_count.h"
#include "platform/picture_error.h"
#include "platform/picture_file.h"
#include "platform/picture_limits.h"

namespace platform {
namespace {

constexpr size_t kInputBufferSize = 64 * 1024;
constexpr int kMaxRowsPerRead = 16;

// libjpeg reports fatal errors through error_exit, which must not return: we
// keep the formatted message and jump back to DecodeInto.
struct JpegErrorManager {
  jpeg_error_mgr pub;  // first, so libjpeg's pointer converts back
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX + 64];
};

[[noreturn]] void OnJpegError(j_common_ptr cinfo) {
  auto* error = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  if (error->pub.msg_code == JERR_NO_SOI) {
    std::snprintf(error->message, sizeof error->message, "not a JPEG file (starts with 0x%02x 0x%02x)",
                  error->pub.msg_parm.i[0], error->pub.msg_parm.i[1]);
  } else {
    error->pub.format_message(cinfo, error->message);
  }
  std::longjmp(error->jump, 1);
}

// Warnings (corrupt or truncated entropy data) are accepted: libjpeg goes on
// and the picture shows what could be decoded. Nothing goes to stderr.
void OnJpegMessage(j_common_ptr cinfo, int level) {
  if (level < 0) cinfo->err->num_warnings++;
}

// Bounds the decoding work of a multi-scan file. Every scan walks all blocks
// of its components however little data it carries, so a small file with
// many scans over a large picture would keep the decoder busy for minutes.
// The work is counted as blocks visited, summed over the scans: an ordinary
// progressive script visits each block a dozen times or so.
struct JpegWorkBudget {
  jpeg_progress_mgr pub;  // first, so libjpeg's pointer converts back
  int countedScan = 0;
  uint64_t blocksVisited = 0;
};

[[noreturn]] void StopDecoding(j_common_ptr cinfo, const char* cause) {
  auto* error = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  std::snprintf(error->message, sizeof error->message, "%s", cause);
  std::longjmp(error->jump, 1);
}

void OnJpegProgress(j_common_ptr cinfo) {
  auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  auto* budget = reinterpret_cast<JpegWorkBudget*>(cinfo->progress);
  if (dinfo->input_scan_number == budget->countedScan || dinfo->input_scan_number == 0) return;
  budget->countedScan = dinfo->input_scan_number;
  if (dinfo->input_scan_number > kMaxJpegScans) {
    char cause[64];
    std::snprintf(cause, sizeof cause, "more than %d scans in a progressive JPEG", kMaxJpegScans);
    StopDecoding(cinfo, cause);
  }
  for (int i = 0; i < dinfo->comps_in_scan; ++i) {
    const jpeg_component_info* component = dinfo->cur_comp_info[i];
    budget->blocksVisited += uint64_t(component->width_in_blocks) * component->height_in_blocks;
  }
  if (budget->blocksVisited > kMaxJpegBlockVisits) {
    char cause[96];
    std::snprintf(cause, sizeof cause, "%d scans are too many for a picture of this size", dinfo->input_scan_number);
    StopDecoding(cinfo, cause);
  }
}

// Reads the file in blocks and remembers how much of it there was, so that a
// file ending before its picture data can be told from one cut short later.
struct JpegFileSource {
  jpeg_source_mgr pub;  // first, so libjpeg's pointer converts back
  std::FILE* file = nullptr;
  uint64_t bytesRead = 0;
  bool reachedEnd = false;
  JOCTET buffer[kInputBufferSize];

  uint64_t Position() const { return bytesRead - pub.bytes_in_buffer; }
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  auto* source = reinterpret_cast<JpegFileSource*>(cinfo->src);
  size_t count = source->reachedEnd ? 0 : std::fread(source->buffer, 1, kInputBufferSize, source->file);
  if (count == 0) {
    if (source->bytesRead == 0) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    // Premature end: a warning; an inserted EOI marker lets libjpeg finish
    // the picture with what it has.
    WARNMS(cinfo, JWRN_JPEG_EOF);
    source->reachedEnd = true;
    source->buffer[0] = 0xFF;
    source->buffer[1] = JPEG_EOI;
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = 2;
    return TRUE;
  }
  source->bytesRead += count;
  source->pub.next_input_byte = source->buffer;
  source->pub.bytes_in_buffer = count;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* source = cinfo->src;
  while (size_t(count) > source->bytes_in_buffer) {
    count -= long(source->bytes_in_buffer);
    FillInputBuffer(cinfo);
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= size_t(count);
}

// Everything with a destructor lives here, outside the frame that calls
// setjmp, so a longjmp never skips a destructor.
struct JpegDecoding {
  std::string fileName;
  UniqueFile file;
  jpeg_decompress_struct cinfo{};
  JpegErrorManager error{};
  JpegWorkBudget progress{};
  std::unique_ptr<JpegFileSource> source = std::make_unique<JpegFileSource>();
  std::unique_ptr<raster::Bitmap> bitmap;
  std::vector<JSAMPLE> cmykRows;
  raster::Size cover;
  bool created = false;

  ~JpegDecoding() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
};

// Inverted CMYK (as Adobe writes it) stores 255 for no ink; plain CMYK stores
// the ink amount.
void ConvertCmykRow(const JSAMPLE* cmyk, uint32_t* out, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    const uint32_t r = (c * k + 127) / 255, g = (m * k + 127) / 255, b = (y * k + 127) / 255;
    out[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
  }
}

void ReadRows(JpegDecoding& d) {
  jpeg_decompress_struct& cinfo = d.cinfo;
  const bool cmyk = cinfo.out_color_space == JCS_CMYK;
  const int rowsPerRead = std::min(int(cinfo.rec_outbuf_height), kMaxRowsPerRead);
  if (cmyk) d.cmykRows.resize(size_t(cinfo.output_width) * 4 * size_t(rowsPerRead));
  JSAMPROW rows[kMaxRowsPerRead];
  while (cinfo.output_scanline < cinfo.output_height) {
    const JDIMENSION first = cinfo.output_scanline;
    const int count = int(std::min<JDIMENSION>(JDIMENSION(rowsPerRead), cinfo.output_height - first));
    for (int i = 0; i < count; ++i) {
      rows[i] = cmyk ? d.cmykRows.data() + size_t(i) * cinfo.output_width * 4
                     : reinterpret_cast<JSAMPROW>(d.bitmap->Row(int32_t(first) + i));
    }
    const JDIMENSION read = jpeg_read_scanlines(&cinfo, rows, JDIMENSION(count));
    if (read == 0) throw PictureError(d.fileName, "decoding stalled");
    if (cmyk) {
      for (JDIMENSION i = 0; i < read; ++i) {
        ConvertCmykRow(rows[i], d.bitmap->Row(int32_t(first + i)), cinfo.output_width, cinfo.saw_Adobe_marker);
      }
    }
  }
}

// Picks the smallest scale (in eighths) whose output covers d.cover, by
// libjpeg's own rounding of the scaled size.
void ChooseScale(JpegDecoding& d) {
  jpeg_decompress_struct& cinfo = d.cinfo;
  if (d.cover.width <= 0 || d.cover.height <= 0) return;
  cinfo.scale_denom = 8;
  for (cinfo.scale_num = 1; cinfo.scale_num < 8; ++cinfo.scale_num) {
    jpeg_calc_output_dimensions(&cinfo);
    if (cinfo.output_width >= JDIMENSION(d.cover.width) && cinfo.output_height >= JDIMENSION(d.cover.height)) return;
  }
}

// Runs libjpeg; returns false when it reported a fatal error (the message is
// in d.error). No object with a destructor is created in this frame.
bool DecodeInto(JpegDecoding& d) {
  jpeg_decompress_struct& cinfo = d.cinfo;
  if (setjmp(d.error.jump)) return false;

  jpeg_create_decompress(&cinfo);
  d.created = true;
  cinfo.mem->max_memory_to_use = kMaxJpegMemory;
  d.progress.pub.progress_monitor = OnJpegProgress;
  cinfo.progress = &d.progress.pub;

  JpegFileSource& source = *d.source;
  source.file = d.file.get();
  source.pub.init_source = InitSource;
  source.pub.fill_input_buffer = FillInputBuffer;
  source.pub.skip_input_data = SkipInputData;
  source.pub.resync_to_restart = jpeg_resync_to_restart;
  source.pub.term_source = TermSource;
  cinfo.src = &source.pub;

  jpeg_read_header(&cinfo, TRUE);
  const uint64_t pictureDataStart = source.Position();
  CheckPictureSize(d.fileName, cinfo.image_width, cinfo.image_height);
  switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
      cinfo.out_color_space = JCS_EXT_BGRA;  // libjpeg-turbo writes 255 in the fourth byte
      break;
    case JCS_CMYK:
    case JCS_YCCK: cinfo.out_color_space = JCS_CMYK; break;
    default:
      throw PictureError(d.fileName,
                         "unsupported JPEG colour space with " + std::to_string(cinfo.num_components) + " components");
  }

  ChooseScale(d);
  jpeg_start_decompress(&cinfo);
  d.bitmap = std::make_unique<raster::Bitmap>(int32_t(cinfo.output_width), int32_t(cinfo.output_height));
  ReadRows(d);
  if (source.reachedEnd && source.bytesRead <= pictureDataStart) {
    throw PictureError(d.fileName, "file ends before its picture data");
  }
  // Whatever follows the last row (trailing markers, junk) does not change the
  // picture, so the rest of the stream is not read: jpeg_destroy_decompress
  // releases everything.
  return true;
}

}  // namespace

std::unique_ptr<raster::Bitmap> DecodeJpeg(const std::filesystem::path& path, raster::Size cover) {
  JpegDecoding d;
  d.cover = cover;
  d.fileName = PictureFileName(path);
  d.file = OpenPictureFile(path);
  // A progressive file's scans are counted from their headers first, so that
  // one asking for too much is refused before libjpeg allocates and walks
  // its coefficients; the progress monitor keeps the same budget while
  // decoding.
  const JpegScanWork work = CountProgressiveScanWork(d.file.get(), kMaxJpegBlockVisits);
  if (work.blockVisits > kMaxJpegBlockVisits) {
    throw PictureError(d.fileName, std::to_string(work.scans) + " scans are too many for a picture of this size");
  }
  d.cinfo.err = jpeg_std_error(&d.error.pub);
  d.error.pub.error_exit = OnJpegError;
  d.error.pub.emit_message = OnJpegMessage;
  if (!DecodeInto(d)) throw PictureError(d.fileName, d.error.message);
  return std::move(d.bitmap);
}

}  // namespace platform
