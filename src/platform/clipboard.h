// The system's clipboard, through SDL (the window must exist).
#pragma once

#include <string>

namespace korvix {

// Puts UTF-8 text on the clipboard. False, with SDL's reason, when it can't.
bool set_clipboard_text(const std::string& text, std::string& error);

}  // namespace korvix
