#pragma once
#include <algorithm>
#include <string_view>

namespace platform {

// Equal when the texts differ at most in the case of the letters A to Z (style
// names and file extensions are plain ASCII; other bytes compare as they are).
constexpr bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace platform
