// A log's bytes made fit to draw or to put on the clipboard: logs hold whatever
// the build tools printed, in whatever encoding.
#pragma once

#include <string>
#include <string_view>

namespace korvix {

// Valid UTF-8 for any bytes: each invalid sequence (a stray byte, a cut or
// overlong sequence, a surrogate, a code point past U+10FFFF) becomes U+FFFD,
// one for each maximal invalid part, as browsers do. Control characters become
// U+FFFD too, except that a line to draw gets its tabs as spaces to the next
// stop of 4 (`for_clipboard` false), and text for the clipboard keeps its tabs
// and line feeds.
std::string displayable_text(std::string_view bytes, bool for_clipboard = false);

}  // namespace korvix
