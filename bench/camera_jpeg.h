// A JPEG written as a camera writes it (quality 90, colour at half the size
// each way), for the benchmarks that start from a photo file.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace bench {

// Writes `width` × `height` RGB pixels to `path`; `fillRow(y, row)` fills the
// 3 × width samples of row y.
template <class FillRow>
void WriteCameraJpeg(const std::filesystem::path& path, int width, int height, FillRow fillRow) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!out) throw std::runtime_error("cannot write " + path.string());
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, out.get());
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    fillRow(static_cast<int>(cinfo.next_scanline), row.data());
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
}

}  // namespace bench
