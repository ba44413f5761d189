#include "platform/printable_text.h"

#include <cstdint>
#include <cstdio>

namespace platform {
namespace {

// The length of the valid UTF-8 sequence at text[i] and its code point, or 0
// when the bytes there are not one.
size_t DecodeUtf8(std::string_view text, size_t i, char32_t& point) {
  const auto byte = [&](size_t k) { return uint8_t(text[k]); };
  const uint8_t lead = byte(i);
  size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    point = lead;
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2, point = lead & 0x1Fu, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, point = lead & 0x0Fu, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, point = lead & 0x07u, min = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    point = (point << 6) | (byte(i + k) & 0x3Fu);
  }
  const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
  return point < min || point > 0x10FFFF || surrogate ? 0 : length;
}

bool Reorders(char32_t point) {
  return point == 0x061C || point == 0x200E || point == 0x200F || (point >= 0x202A && point <= 0x202E) ||
         (point >= 0x2066 && point <= 0x2069);
}

bool IsControl(char32_t point) { return point < 0x20 || (point >= 0x7F && point <= 0x9F); }

}  // namespace

std::string PrintableText(std::string_view text, bool keepNewlines) {
  std::string shown;
  shown.reserve(text.size());
  char escape[16];
  for (size_t i = 0; i < text.size();) {
    char32_t point = 0;
    const size_t length = DecodeUtf8(text, i, point);
    if (length == 0) {
      std::snprintf(escape, sizeof escape, "\\x%02X", unsigned(uint8_t(text[i])));
      shown += escape;
      ++i;
      continue;
    }
    if ((IsControl(point) && !(keepNewlines && point == '\n')) || Reorders(point)) {
      std::snprintf(escape, sizeof escape, point < 0x100 ? "\\x%02X" : "\\u{%04X}", unsigned(point));
      shown += escape;
    } else {
      shown.append(text.substr(i, length));
    }
    i += length;
  }
  return shown;
}

}  // namespace platform
