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

// Everything with a destructor lives here, outside the frame that calls
// setjmp, so libpng's longjmp never skips a destructor.
struct PngDecoding {
  std::string fileName;
  UniqueFile file;
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::unique_ptr<raster::Bitmap> bitmap;
  std::vector<png_bytep> rows;
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

void ReadFromFile(png_structp png, png_bytep data, size_t length) {
  auto* d = static_cast<PngDecoding*>(png_get_io_ptr(png));
  if (std::fread(data, 1, length, d->file.get()) != length) png_error(png, "file ends too early (truncated)");
}

// Asks libpng for 8-bit blue, green, red, alpha whatever the file holds.
void RequestBgra(png_structp png, png_infop info) {
  png_set_expand(png);    // palette to RGB, grey below 8 bits to 8, tRNS to alpha
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
