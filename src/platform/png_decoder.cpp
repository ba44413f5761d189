#include "platform/png_decoder.h"

#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/picture_error.h"
#include "platform/picture_file.h"
#include "platform/picture_limits.h"

namespace platform {
namespace {

constexpr size_t kSignatureBytes = 8;
constexpr png_uint_32 kIdatChunk = 0x49444154;  // "IDAT"

// Everything with a destructor lives here, outside the frame that calls
// setjmp, so libpng's longjmp never skips a destructor.
struct PngDecoding {
  std::string fileName;
  UniqueFile file;
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::unique_ptr<raster::Bitmap> bitmap;
  std::vector<png_bytep> rows;
  bool interlaced = false;
  uint64_t compressedBytes = 0;  // picture data (IDAT) read so far
  uint64_t compressedLimit = 0;  // most the picture can need; 0 until the header is read
  uint64_t bytesAfterLastRow = 0;  // picture data read once every row was decoded
  char message[256] = "";

  ~PngDecoding() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

// libpng's error callback must not return: keep the message, jump back.
[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  auto* d = static_cast<PngDecoding*>(png_get_error_ptr(png));
  std::snprintf(d->message, sizeof d->message, "%s", message);
  png_longjmp(png, 1);
}

// Warnings concern ancillary data that libpng drops; the picture is intact.
void OnPngWarning(png_structp, png_const_charp) {}

// Whether libpng has produced every row: it then reads the rest of the
// compressed data only to find the end of the stream.
bool AllRowsDecoded(const PngDecoding& d) {
  const png_uint_32 height = png_get_image_height(d.png, d.info);
  return d.interlaced ? png_get_current_pass_number(d.png) >= 7 : png_get_current_row_number(d.png) >= height;
}

// Compressed picture data is bounded by what the picture can need: libpng
// would otherwise inflate all of it, and a few megabytes of deflate data
// inflate to gigabytes. After the last row only the end of the stream may
// follow.
void CountPictureData(PngDecoding& d, size_t length) {
  if (d.compressedLimit == 0 || !(png_get_io_state(d.png) & PNG_IO_CHUNK_DATA)) return;
  if (png_get_io_chunk_type(d.png) != kIdatChunk) return;
  d.compressedBytes += length;
  if (d.compressedBytes > d.compressedLimit) png_error(d.png, "more compressed picture data than the picture needs");
  if (AllRowsDecoded(d)) {
    d.bytesAfterLastRow += length;
    if (d.bytesAfterLastRow > kMaxPngDataAfterLastRow)
      png_error(d.png, "compressed picture data goes on after the last row");
  }
}

void ReadFromFile(png_structp png, png_bytep data, size_t length) {
  auto* d = static_cast<PngDecoding*>(png_get_io_ptr(png));
  CountPictureData(*d, length);
  if (std::fread(data, 1, length, d->file.get()) != length) png_error(png, "file ends too early (truncated)");
}

// Largest deflate stream a picture needs: its filtered rows (a filter byte
// each, per pass when interlaced), plus deflate's worst expansion (fixed codes
// of 9 bits per byte) and room for block headers and the zlib frame.
uint64_t CompressedDataLimit(png_structp png, png_infop info) {
  const uint64_t width = png_get_image_width(png, info), height = png_get_image_height(png, info);
  const uint64_t bitsPerPixel = uint64_t(png_get_channels(png, info)) * png_get_bit_depth(png, info);
  const uint64_t rowBytes = (width * bitsPerPixel + 7) / 8;
  const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  const uint64_t filtered = interlaced ? 2 * height * (rowBytes + 1) : height * (rowBytes + 1);
  return filtered + filtered / 8 + 64 * 1024;
}

// Asks libpng for 8-bit blue, green, red, alpha whatever the file holds.
void RequestBgra(png_structp png, png_infop info) {
  png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  png_set_scale_16(png);  // 16-bit samples rounded to 8
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if (!(png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Runs libpng; returns false when it reported an error (the message is in
// d.message). No object with a destructor is created in this frame.
bool DecodeInto(PngDecoding& d) {
  if (setjmp(png_jmpbuf(d.png))) return false;

  png_set_user_limits(d.png, png_uint_32(kMaxPictureSide), png_uint_32(kMaxPictureSide));
  png_set_chunk_malloc_max(d.png, kMaxPngChunkBytes);
  png_set_chunk_cache_max(d.png, kMaxPngCachedChunks);
  // Only IHDR, PLTE, tRNS, IDAT and IEND matter for the pixels. Every other
  // chunk is skipped unread, so a declared length of a gigabyte costs no
  // memory (libpng would otherwise allocate it for text chunks).
  png_set_keep_unknown_chunks(d.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_set_read_fn(d.png, &d, ReadFromFile);
  png_set_sig_bytes(d.png, int(kSignatureBytes));

  png_read_info(d.png, d.info);
  const png_uint_32 width = png_get_image_width(d.png, d.info);
  const png_uint_32 height = png_get_image_height(d.png, d.info);
  CheckPictureSize(d.fileName, width, height);
  d.interlaced = png_get_interlace_type(d.png, d.info) != PNG_INTERLACE_NONE;
  d.compressedLimit = CompressedDataLimit(d.png, d.info);
  RequestBgra(d.png, d.info);
  if (png_get_rowbytes(d.png, d.info) != size_t(width) * 4) {
    throw PictureError(d.fileName, "unexpected PNG row layout");
  }

  d.bitmap = std::make_unique<raster::Bitmap>(int32_t(width), int32_t(height));
  d.rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) d.rows[y] = reinterpret_cast<png_bytep>(d.bitmap->Row(int32_t(y)));
  png_read_image(d.png, d.rows.data());
  // Reads the chunks after the picture data, which checks the last CRC.
  png_read_end(d.png, nullptr);
  return true;
}

void CheckSignature(PngDecoding& d) {
  png_byte signature[kSignatureBytes] = {};
  const size_t count = std::fread(signature, 1, kSignatureBytes, d.file.get());
  if (count == 0) throw PictureError(d.fileName, "empty file");
  if (count < kSignatureBytes || png_sig_cmp(signature, 0, kSignatureBytes) != 0) {
    char cause[64];
    std::snprintf(cause, sizeof cause, "not a PNG file (starts with 0x%02x 0x%02x)", signature[0],
                  count > 1 ? signature[1] : 0);
    throw PictureError(d.fileName, cause);
  }
}

}  // namespace

std::unique_ptr<raster::Bitmap> DecodePng(const std::filesystem::path& path) {
  PngDecoding d;
  d.fileName = PictureFileName(path);
  d.file = OpenPictureFile(path);
  CheckSignature(d);
  d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &d, OnPngError, OnPngWarning);
  if (d.png) d.info = png_create_info_struct(d.png);
  if (!d.png || !d.info) throw PictureError(d.fileName, "out of memory");
  if (!DecodeInto(d)) throw PictureError(d.fileName, d.message);
  return std::move(d.bitmap);
}

}  // namespace platform
