#include "tools/png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "platform/atomic_file.h"

namespace tools {

namespace {

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  throw std::runtime_error(static_cast<const char*>(png_get_error_ptr(png)) + std::string(": ") + message);
}

// libpng's own writer reports any failure as "Write Error"; this one names
// the cause (a full disk, say).
void WriteToStream(png_structp png, png_bytep data, size_t length) {
  if (std::fwrite(data, 1, length, static_cast<std::FILE*>(png_get_io_ptr(png))) != length) {
    png_error(png, (std::string("write failed: ") + std::strerror(errno)).c_str());
  }
}

void FlushStream(png_structp png) { std::fflush(static_cast<std::FILE*>(png_get_io_ptr(png))); }

}  // namespace

void WritePngRgb(const raster::Bitmap& bitmap, const std::filesystem::path& path) {
  const std::string name = path.string();
  // Written beside the output and renamed over it when complete: a failed
  // write (a full disk) leaves an existing file as it was.
  std::optional<platform::TAtomicFile> file;
  try {
    file.emplace(path);
  } catch (const std::system_error& error) {
    throw std::runtime_error(name + ": cannot open for writing: " + error.code().message());
  }
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, const_cast<char*>(name.c_str()), OnPngError, nullptr);
  if (!png) throw std::runtime_error(name + ": out of memory");
  png_infop info = png_create_info_struct(png);
  struct Cleanup {
    png_structp* png;
    png_infop* info;
    ~Cleanup() { png_destroy_write_struct(png, info); }
  } cleanup{&png, &info};
  if (!info) throw std::runtime_error(name + ": out of memory");

  png_set_write_fn(png, file->Stream(), WriteToStream, FlushStream);
  png_set_IHDR(png, info, png_uint_32(bitmap.Width()), png_uint_32(bitmap.Height()), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 3);
  png_write_info(png, info);
  std::vector<png_byte> row(size_t(bitmap.Width()) * 3);
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    const raster::TRGBQuad* p = bitmap.ScanLine(y);
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      row[size_t(x) * 3] = p[x].rgbRed;
      row[size_t(x) * 3 + 1] = p[x].rgbGreen;
      row[size_t(x) * 3 + 2] = p[x].rgbBlue;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  try {
    file->Commit();
  } catch (const std::system_error& error) {
    throw std::runtime_error(name + ": write failed: " + error.code().message());
  }
}

}  // namespace tools
