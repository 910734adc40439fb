#include "platform/system_error.h"

#include <cstring>

namespace korvix {

std::string system_error_text(unsigned long code) { return std::strerror(static_cast<int>(code)); }

}  // namespace korvix
