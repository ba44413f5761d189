#pragma once
#include <string>
#include <string_view>

namespace platform {

// Text that is safe to show on a terminal or in a message box although it
// holds file names, which may contain any byte but '/' and NUL: control
// characters (C0, DEL and C1, as bytes or as UTF-8), bytes that are not part
// of valid UTF-8 and the characters that reorder text (bidirectional
// overrides and isolates) become \xNN or \u{NNNN}; newlines stay when
// `keepNewlines` (a message's own line breaks). Everything else is kept, so
// names in any script read as they are.
std::string PrintableText(std::string_view text, bool keepNewlines = false);

}  // namespace platform
