// The system's own message text for an error number.
#pragma once

#include <string>

namespace korvix {

// FormatMessageW on Windows, strerror elsewhere; one line, no trailing period
// or line end.
std::string system_error_text(unsigned long code);

}  // namespace korvix
