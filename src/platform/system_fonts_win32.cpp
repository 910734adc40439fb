#include "platform/system_fonts.h"

namespace korvix {

std::vector<std::filesystem::path> system_fallback_fonts() { return {}; }

}  // namespace korvix
