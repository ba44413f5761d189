// Text with file names in it, made safe for a terminal or a message box.
#include <gtest/gtest.h>

#include <string>

#include "platform/printable_text.h"

namespace {

TEST(PrintableText, EscapesWhatCouldDriveATerminalAndKeepsTheRest) {
  const struct {
    const char* name;
    std::string text, shown;
  } cases[] = {
      {"plain", "photo 1.jpg", "photo 1.jpg"},
      {"other scripts", "照片 café ñ.jpg", "照片 café ñ.jpg"},
      {"terminal title", "a\x1b]0;title\x07.jpg", "a\\x1B]0;title\\x07.jpg"},
      {"newline, tab, DEL", "a\nb\tc\x7f", "a\\x0Ab\\x09c\\x7F"},
      {"C1 control as UTF-8 (CSI)",
       "a\xc2\x9b"
       "31m",
       "a\\x9B31m"},
      {"C1 control as a lone byte",
       "a\x9b"
       "31m",
       "a\\x9B31m"},
      {"invalid UTF-8", "caf\xe9.jpg", "caf\\xE9.jpg"},
      {"overlong encoding of '/'", "\xc0\xaf", "\\xC0\\xAF"},
      {"encoded surrogate", "\xed\xa0\x80", "\\xED\\xA0\\x80"},
      {"cut short at the end", "a\xe7\x85", "a\\xE7\\x85"},
      {"right-to-left override",
       "gpj.\xe2\x80\xae"
       "exe",
       "gpj.\\u{202E}exe"},
      {"isolate", "\xe2\x81\xa6x", "\\u{2066}x"},
      {"four-byte character", "\xf0\x9f\x93\xb7", "\xf0\x9f\x93\xb7"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::PrintableText(c.text), c.shown) << c.name;
  }
}

TEST(PrintableText, KeepsNewlinesOfAMessageWhenAsked) {
  EXPECT_EQ(platform::PrintableText("line\nnext\r", true), "line\nnext\\x0D");
}

}  // namespace
